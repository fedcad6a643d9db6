#pragma once
// The list panes of a run. A run can show hundreds of thousands of lines, so the rows
// are kept in one text buffer with their start offsets, and new rows reach the view in
// batches. An item that holds line feeds is shown as one row per text line. The rows
// are drawn in the fixed-width font with tab stops every 8 columns, never elided: a
// pane scrolls sideways to its longest row.

#include <QAbstractItemDelegate>
#include <QAbstractListModel>
#include <QHash>
#include <QPalette>
#include <QString>
#include <QStringList>
#include <QVector>

// Tab stops of the report columns.
constexpr int kTabWidth = 8;

// The text with each tab replaced by the blanks up to the next tab stop.
QString expandTabs(QStringView text, int tabWidth = kTabWidth);
// How many columns the text takes once its tabs are expanded.
qsizetype displayColumns(QStringView text, int tabWidth = kTabWidth);
// The column (tabs expanded) at which position pos of the text is shown.
qsizetype displayColumnAt(QStringView text, qsizetype pos, int tabWidth = kTabWidth);

class LinePaneModel : public QAbstractListModel {
    Q_OBJECT

public:
    // What a row is part of: a plain line, or a message the run recorded as an error or
    // as a warning (the message log's kinds). The delegate colours the row by it.
    enum LineKind { PlainLine = 0, ErrorLine = 1, WarningLine = 2 };
    static constexpr int LineKindRole = Qt::UserRole + 1;

    explicit LinePaneModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Stores the items' rows; the view learns of them at the next flush, which is
    // scheduled on the event loop (or called directly).
    void appendItems(const QStringList &items);
    void flush();
    void clear();

    // Marks count rows from first (stored rows only); clear() forgets every mark.
    void setLineKind(int first, int count, LineKind kind);
    LineKind lineKind(int row) const { return m_kinds.value(row, PlainLine); }

    // Every stored row, flushed or not.
    int storedRowCount() const { return int(m_starts.size()); }
    QString row(int i) const;
    QStringList rows() const;
    // The widest stored row, in columns with tabs expanded.
    qsizetype maxColumns() const { return m_maxColumns; }

    // All stored rows as one text, each row followed by a line feed, for searching:
    // a match of a term without line feeds never spans two rows.
    QStringView text() const { return m_text; }
    qsizetype rowStart(int i) const { return i >= 0 && i < m_starts.size() ? m_starts[i] : -1; }
    // The row that holds text position pos (-1 when pos is outside the text).
    int rowAt(qsizetype pos) const;
    // Goes up whenever the stored rows change, so that a search knows to start again.
    quint64 revision() const { return m_revision; }

private:
    void addRow(QStringView text);

    QString m_text;              // all rows, each followed by '\n'
    QVector<qsizetype> m_starts; // where each row begins in m_text
    qsizetype m_maxColumns = 0;
    quint64 m_revision = 0;
    int m_shownRows = 0;         // rows the view has been told of
    bool m_flushPending = false;
    QHash<int, LineKind> m_kinds;  // the rows that are not plain: a report has few
};

// Draws the rows of a pane: tabs expanded, nothing elided, the selected rows and the
// matches of a search marked (the current match in the selection colours), error and
// warning rows in their colours. Colours come from the palette.
class LinePaneDelegate : public QAbstractItemDelegate {
    Q_OBJECT

public:
    explicit LinePaneDelegate(const LinePaneModel *model, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // Every row is as wide as the widest row, so the view scrolls to it.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    void setSearchTerm(const QString &term) { m_term = term; }
    // The current match: its row, its position in the row's text, its length; row -1 for none.
    void setCurrentMatch(int row, qsizetype position, qsizetype length);
    int currentMatchRow() const { return m_matchRow; }
    // The colour of a row's text: the palette's, or the error or warning colour.
    static QColor rowColour(const QPalette &palette, QPalette::ColorGroup group, int kind);

private:
    const LinePaneModel *m_model;
    QString m_term;
    int m_matchRow = -1;
    qsizetype m_matchPosition = 0;
    qsizetype m_matchLength = 0;
};
