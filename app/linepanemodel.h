#pragma once
// The rows of a list pane. A run can show hundreds of thousands of lines, so the rows
// are kept in one text buffer with their start offsets, and new rows reach the view in
// batches. An item that holds line feeds is shown as one row per text line.

#include <QAbstractListModel>
#include <QString>
#include <QStringList>
#include <QVector>

class LinePaneModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit LinePaneModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Stores the items' rows; the view learns of them at the next flush, which is
    // scheduled on the event loop (or called directly).
    void appendItems(const QStringList &items);
    void flush();
    void clear();

    // Every stored row, flushed or not.
    int storedRowCount() const { return int(m_starts.size()); }
    QString row(int i) const;
    QStringList rows() const;

private:
    void addRow(QStringView text);

    QString m_text;              // all rows, one after the other
    QVector<qsizetype> m_starts; // where each row begins in m_text
    int m_shownRows = 0;         // rows the view has been told of
    bool m_flushPending = false;
};
