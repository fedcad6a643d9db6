#pragma once
// The find bar under the editor or a pane: the number of matches of a term, the current
// one, next and previous. Searching ignores case. A pane can hold a million rows, so the
// matches are counted in one pass over the pane's text and only every 1024th position is
// kept; any match is found again from the nearest kept one.

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class LinePaneModel;
class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QToolButton;

class MatchIndex {
public:
    static constexpr qsizetype kStride = 1024;

    // Counts the matches of term in text, each after the end of the one before.
    void build(QStringView text, const QString &term);
    void clear();
    const QString &term() const { return m_term; }
    qsizetype count() const { return m_count; }

    // The position of match number ordinal (from 0) in the same text; -1 when out of range.
    qsizetype position(QStringView text, qsizetype ordinal) const;
    // The number of the first match at or after pos, or 0 (the first match) when there is
    // none after it; -1 when there are no matches.
    qsizetype ordinalAtOrAfter(QStringView text, qsizetype pos) const;

private:
    qsizetype next(QStringView text, qsizetype from) const;

    QString m_term;
    qsizetype m_count = 0;
    QList<qsizetype> m_kept;  // the position of matches 0, kStride, 2 * kStride, ...
};

// What a find bar searches: a text with a line feed between lines, and a way to show a
// match in its widget.
class FindTarget : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    virtual QWidget *widget() const = 0;
    virtual QStringView text() = 0;
    // Where a search begins: the current match or the cursor, as a position in text().
    virtual qsizetype anchor() const = 0;
    virtual void showMatch(qsizetype position, qsizetype length) = 0;
    // Marks every match of the term, or none for an empty term.
    virtual void markAll(const QString &term) { Q_UNUSED(term); }

signals:
    // The text has changed: positions found before mean nothing now.
    void textChanged();
};

class EditorFindTarget : public FindTarget {
    Q_OBJECT

public:
    explicit EditorFindTarget(QPlainTextEdit *editor);
    QWidget *widget() const override;
    QStringView text() override;
    qsizetype anchor() const override;
    void showMatch(qsizetype position, qsizetype length) override;

private:
    QPlainTextEdit *m_editor;
    QString m_text;
    bool m_stale = true;
};

class PaneFindTarget : public FindTarget {
    Q_OBJECT

public:
    PaneFindTarget(QListView *pane, LinePaneModel *model);
    QWidget *widget() const override;
    QStringView text() override;
    qsizetype anchor() const override;
    void showMatch(qsizetype position, qsizetype length) override;
    void markAll(const QString &term) override;

private:
    void forgetMatch();

    QListView *m_pane;
    LinePaneModel *m_model;
    qsizetype m_match = -1;  // position of the current match in the model's text
};

class FindBar : public QWidget {
    Q_OBJECT

public:
    // The bar takes ownership of the target.
    explicit FindBar(FindTarget *target, QWidget *parent = nullptr);

    FindTarget *target() const { return m_target; }
    QLineEdit *termEdit() const { return m_edit; }
    // "%1 de %2", "Sin coincidencias", or empty while there is no term.
    QString countText() const;
    qsizetype matchCount() const { return m_index.count(); }
    qsizetype currentOrdinal() const { return m_current; }

public slots:
    // Shows the bar with the focus in its term, all of it selected.
    void open();
    void closeBar();
    void findNext();
    void findPrevious();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void search();
    void showOrdinal(qsizetype ordinal);
    void targetChanged();
    void updateCount();

    FindTarget *m_target;
    QLineEdit *m_edit;
    QLabel *m_count;
    QToolButton *m_previous;
    QToolButton *m_next;
    QToolButton *m_close;
    MatchIndex m_index;
    qsizetype m_current = -1;          // the match shown, by number
    qsizetype m_currentPosition = -1;  // and its position
    bool m_stale = false;               // the target's text changed since the count
};
