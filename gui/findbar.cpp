#include "gui/findbar.h"

#include "gui/linepanemodel.h"
#include "gui/linepaneview.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QToolButton>

#include <algorithm>

// ---- Counting and finding matches ------------------------------------------------

qsizetype MatchIndex::next(QStringView text, qsizetype from) const
{
    return from > text.size() ? -1 : text.indexOf(m_term, from, Qt::CaseInsensitive);
}

void MatchIndex::build(QStringView text, const QString &term)
{
    const QString wanted = term;  // term may be this index's own
    clear();
    m_term = wanted;
    if (m_term.isEmpty())
        return;
    for (qsizetype at = next(text, 0); at >= 0; at = next(text, at + m_term.size())) {
        if (m_count % kStride == 0)
            m_kept.append(at);
        ++m_count;
    }
}

void MatchIndex::clear()
{
    m_term.clear();
    m_count = 0;
    m_kept.clear();
}

qsizetype MatchIndex::position(QStringView text, qsizetype ordinal) const
{
    if (ordinal < 0 || ordinal >= m_count)
        return -1;
    qsizetype at = m_kept.value(ordinal / kStride, -1);
    for (qsizetype step = 0; step < ordinal % kStride && at >= 0; ++step)
        at = next(text, at + m_term.size());
    return at;
}

qsizetype MatchIndex::ordinalAtOrAfter(QStringView text, qsizetype pos) const
{
    if (m_count == 0)
        return -1;
    // The last kept match at or before pos; the one after it is past pos, so at most
    // kStride steps lead from it to the match wanted.
    const qsizetype kept = std::upper_bound(m_kept.cbegin(), m_kept.cend(), pos) - m_kept.cbegin() - 1;
    if (kept < 0)
        return 0;
    qsizetype ordinal = kept * kStride;
    qsizetype at = m_kept[kept];
    while (at < pos) {
        if (ordinal + 1 >= m_count)
            return 0;
        at = next(text, at + m_term.size());
        if (at < 0)
            return 0;
        ++ordinal;
    }
    return ordinal;
}

// ---- The editor as a target --------------------------------------------------------

EditorFindTarget::EditorFindTarget(QPlainTextEdit *editor) : FindTarget(editor), m_editor(editor)
{
    // Only a change of the characters counts; the highlighter's formats do not.
    connect(editor->document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (removed == 0 && added == 0)
            return;
        m_stale = true;
        emit textChanged();
    });
}

QWidget *EditorFindTarget::widget() const
{
    return m_editor;
}

QStringView EditorFindTarget::text()
{
    if (m_stale) {
        // The document's plain text has one character per cursor position, so positions
        // in it are cursor positions.
        m_text = m_editor->document()->toPlainText();
        m_stale = false;
    }
    return m_text;
}

qsizetype EditorFindTarget::anchor() const
{
    return m_editor->textCursor().selectionStart();
}

void EditorFindTarget::showMatch(qsizetype position, qsizetype length)
{
    QTextCursor cursor = m_editor->textCursor();
    cursor.setPosition(int(position));
    cursor.setPosition(int(position + length), QTextCursor::KeepAnchor);
    m_editor->setTextCursor(cursor);
    m_editor->ensureCursorVisible();
}

// ---- A pane as a target ------------------------------------------------------------

PaneFindTarget::PaneFindTarget(QListView *pane, LinePaneModel *model) : FindTarget(pane), m_pane(pane), m_model(model)
{
    const auto changed = [this] {
        forgetMatch();
        emit textChanged();
    };
    connect(model, &QAbstractItemModel::modelReset, this, changed);
    connect(model, &QAbstractItemModel::rowsInserted, this, changed);
}

QWidget *PaneFindTarget::widget() const
{
    return m_pane;
}

QStringView PaneFindTarget::text()
{
    // Rows stored but not yet shown are searched too; show them first.
    m_model->flush();
    return m_model->text();
}

qsizetype PaneFindTarget::anchor() const
{
    if (m_match >= 0)
        return m_match;
    const QModelIndex top = m_pane->indexAt(QPoint(0, 0));
    return top.isValid() ? m_model->rowStart(top.row()) : 0;
}

void PaneFindTarget::showMatch(qsizetype position, qsizetype length)
{
    const int row = m_model->rowAt(position);
    if (row < 0)
        return;
    const qsizetype inRow = position - m_model->rowStart(row);
    m_match = position;
    if (LinePaneDelegate *delegate = linePaneDelegate(m_pane))
        delegate->setCurrentMatch(row, inRow, length);
    const QModelIndex index = m_model->index(row);
    m_pane->setCurrentIndex(index);
    m_pane->scrollTo(index, QAbstractItemView::PositionAtCenter);

    // Sideways, so that the match is in sight.
    const QString rowText = m_model->row(row);
    const QString shown = expandTabs(rowText);
    const QFontMetrics metrics = m_pane->fontMetrics();
    const int left = metrics.horizontalAdvance(shown.left(displayColumnAt(rowText, inRow)));
    const int right = metrics.horizontalAdvance(shown.left(displayColumnAt(rowText, inRow + length)));
    QScrollBar *bar = m_pane->horizontalScrollBar();
    const int width = m_pane->viewport()->width();
    if (left < bar->value() || right + 8 > bar->value() + width)
        bar->setValue(qMax(0, left - width / 3));
    m_pane->viewport()->update();
}

void PaneFindTarget::markAll(const QString &term)
{
    if (LinePaneDelegate *delegate = linePaneDelegate(m_pane))
        delegate->setSearchTerm(term);
    if (term.isEmpty())
        forgetMatch();
    m_pane->viewport()->update();
}

void PaneFindTarget::forgetMatch()
{
    m_match = -1;
    if (LinePaneDelegate *delegate = linePaneDelegate(m_pane))
        delegate->setCurrentMatch(-1, 0, 0);
}

// ---- The bar -----------------------------------------------------------------------

namespace {

QToolButton *makeButton(QWidget *parent, const char *themeIcon, QStyle::StandardPixmap fallback, const QString &tip)
{
    auto *button = new QToolButton(parent);
    button->setIcon(QIcon::fromTheme(QLatin1String(themeIcon), parent->style()->standardIcon(fallback)));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

} // namespace

FindBar::FindBar(FindTarget *target, QWidget *parent) : QWidget(parent), m_target(target)
{
    target->setParent(this);
    m_edit = new QLineEdit(this);
    m_edit->setPlaceholderText(tr("Buscar"));
    m_edit->setClearButtonEnabled(true);
    m_count = new QLabel(this);
    m_previous = makeButton(this, "go-up", QStyle::SP_ArrowUp, tr("Anterior (Mayús+Intro)"));
    m_next = makeButton(this, "go-down", QStyle::SP_ArrowDown, tr("Siguiente (Intro)"));
    m_close = makeButton(this, "window-close", QStyle::SP_DialogCloseButton, tr("Cerrar (Esc)"));

    // Room for a term of some 40 characters; the rest of the row stays empty.
    m_edit->setMaximumWidth(40 * m_edit->fontMetrics().averageCharWidth());
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_count);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addStretch(1);
    layout->addWidget(m_close);

    connect(m_edit, &QLineEdit::textChanged, this, &FindBar::search);
    connect(m_previous, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(m_next, &QToolButton::clicked, this, &FindBar::findNext);
    connect(m_close, &QToolButton::clicked, this, &FindBar::closeBar);
    connect(target, &FindTarget::textChanged, this, &FindBar::targetChanged);
    hide();
}

QString FindBar::countText() const
{
    if (m_index.term().isEmpty())
        return QString();
    if (m_index.count() == 0)
        return tr("Sin coincidencias");
    if (m_current < 0)
        return m_index.count() == 1 ? tr("1 coincidencia") : tr("%1 coincidencias").arg(m_index.count());
    return tr("%1 de %2").arg(m_current + 1).arg(m_index.count());
}

void FindBar::open()
{
    setVisible(true);
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
    if (!m_edit->text().isEmpty())
        search();
}

void FindBar::closeBar()
{
    hide();
    m_target->markAll(QString());
    m_target->widget()->setFocus(Qt::OtherFocusReason);
}

// A new term: count it and show the first match at or after where the user is.
void FindBar::search()
{
    const QString term = m_edit->text();
    m_index.build(m_target->text(), term);
    m_stale = false;
    m_target->markAll(term);
    m_current = m_currentPosition = -1;
    if (m_index.count() > 0)
        showOrdinal(m_index.ordinalAtOrAfter(m_target->text(), m_target->anchor()));
    updateCount();
}

void FindBar::findNext()
{
    if (m_stale || m_index.term() != m_edit->text())
        search();
    const qsizetype count = m_index.count();
    if (count == 0)
        return;
    const qsizetype anchor = m_target->anchor();
    if (m_current >= 0 && anchor == m_currentPosition)
        showOrdinal((m_current + 1) % count);
    else
        showOrdinal(m_index.ordinalAtOrAfter(m_target->text(), anchor));
}

void FindBar::findPrevious()
{
    if (m_stale || m_index.term() != m_edit->text())
        search();
    const qsizetype count = m_index.count();
    if (count == 0)
        return;
    const qsizetype anchor = m_target->anchor();
    if (m_current >= 0 && anchor == m_currentPosition) {
        showOrdinal((m_current + count - 1) % count);
        return;
    }
    // The match before the anchor: the one before the first at or after it, or the last
    // match when none is at or after it.
    const qsizetype after = m_index.ordinalAtOrAfter(m_target->text(), anchor);
    const bool wrapped = m_index.position(m_target->text(), after) < anchor;
    showOrdinal(wrapped ? count - 1 : (after + count - 1) % count);
}

void FindBar::showOrdinal(qsizetype ordinal)
{
    const qsizetype at = m_index.position(m_target->text(), ordinal);
    if (at < 0)
        return;
    m_current = ordinal;
    m_currentPosition = at;
    m_target->showMatch(at, m_index.term().size());
    updateCount();
}

// The text changed under the bar: count again, with no current match until the user
// moves to one.
void FindBar::targetChanged()
{
    m_stale = true;
    m_current = m_currentPosition = -1;
    if (isVisible() && !m_index.term().isEmpty()) {
        m_index.build(m_target->text(), m_index.term());
        m_stale = false;
    }
    updateCount();
}

void FindBar::updateCount()
{
    m_count->setText(countText());
}

void FindBar::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        closeBar();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & Qt::ShiftModifier)
            findPrevious();
        else
            findNext();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
