#include "gui/linepaneview.h"

#include "gui/linepanemodel.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kScrollColumns = 4;  // a click on a sideways arrow scrolls this many columns

} // namespace

LinePaneView::LinePaneView(LinePaneModel *model, QWidget *parent) : QListView(parent), m_model(model)
{
    setModel(model);
    setItemDelegate(new LinePaneDelegate(model, this));
    // Rows can be very many, so all rows share one height; nothing can be edited.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The report's columns line up only in a fixed-width font.
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalScrollBar()->setSingleStep(kScrollColumns * fontMetrics().horizontalAdvance(QLatin1Char(' ')));

    // The context menu's entries; their keys work while the pane has the focus.
    m_copy = new QAction(tr("&Copy"), this);
    m_copy->setShortcut(QKeySequence::Copy);
    m_copy->setShortcutContext(Qt::WidgetShortcut);
    connect(m_copy, &QAction::triggered, this, &LinePaneView::copySelection);
    m_selectAll = new QAction(tr("Select &All"), this);
    m_selectAll->setShortcut(QKeySequence::SelectAll);
    m_selectAll->setShortcutContext(Qt::WidgetShortcut);
    connect(m_selectAll, &QAction::triggered, this, &QAbstractItemView::selectAll);
    addActions({m_copy, m_selectAll});
}

QString LinePaneView::selectedText() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedIndexes())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    QString text;
    for (int row : rows)
        text += m_model->row(row) + QLatin1Char('\n');
    return text;
}

void LinePaneView::copySelection()
{
    const QString text = selectedText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void LinePaneView::scrollToLeft()
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
}

// Ctrl+C belongs to the pane while it has the focus, not to the window's Copy, which
// copies from the editor.
bool LinePaneView::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) {
            event->accept();
            return true;
        }
    }
    return QListView::event(event);
}

void LinePaneView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    QListView::keyPressEvent(event);
    // Home and Ctrl+Home go to the first row, in sight even when it was already the
    // current one, and to the start of the rows sideways.
    if (event->key() == Qt::Key_Home) {
        scrollTo(currentIndex());
        scrollToLeft();
    }
}

void LinePaneView::contextMenuEvent(QContextMenuEvent *event)
{
    m_copy->setEnabled(selectionModel()->hasSelection());
    QMenu menu(this);
    menu.addActions({m_copy, m_selectAll});
    menu.exec(event->globalPos());
}

QListView *makeLinePane(LinePaneModel *model, QWidget *parent)
{
    return new LinePaneView(model, parent);
}

LinePaneDelegate *linePaneDelegate(const QListView *pane)
{
    return pane ? qobject_cast<LinePaneDelegate *>(pane->itemDelegate()) : nullptr;
}
