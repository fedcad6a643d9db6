#include "gui/linepanemodel.h"

#include "gui/statuscolours.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int kTextMargin = 3;     // pixels left of a row's text, as the toolkit's own views

inline qsizetype nextTabStop(qsizetype column, int tabWidth)
{
    return (column / tabWidth + 1) * tabWidth;
}

} // namespace

QString expandTabs(QStringView text, int tabWidth)
{
    QString expanded;
    expanded.reserve(text.size() + 16);
    for (QChar c : text) {
        if (c == QLatin1Char('\t'))
            expanded.append(QString(nextTabStop(expanded.size(), tabWidth) - expanded.size(), QLatin1Char(' ')));
        else
            expanded.append(c);
    }
    return expanded;
}

qsizetype displayColumns(QStringView text, int tabWidth)
{
    return displayColumnAt(text, text.size(), tabWidth);
}

qsizetype displayColumnAt(QStringView text, qsizetype pos, int tabWidth)
{
    // Every row of a pane passes through here as it is stored: a plain loop over the
    // UTF-16 units is the quickest way for rows as short as a report's.
    const char16_t *unit = text.utf16();
    const char16_t *end = unit + qBound<qsizetype>(0, pos, text.size());
    qsizetype column = 0;
    for (; unit < end; ++unit)
        column = *unit == u'\t' ? nextTabStop(column, tabWidth) : column + 1;
    return column;
}

// ---- The model ---------------------------------------------------------------------

LinePaneModel::LinePaneModel(QObject *parent) : QAbstractListModel(parent) {}

int LinePaneModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

QVariant LinePaneModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_shownRows)
        return QVariant();
    if (role == Qt::DisplayRole)
        return row(index.row());
    if (role == LineKindRole)
        return int(lineKind(index.row()));
    return QVariant();
}

void LinePaneModel::setLineKind(int first, int count, LineKind kind)
{
    const int from = qMax(0, first);
    const int to = qMin(first + count, storedRowCount());  // one past the last row marked
    if (from >= to)
        return;
    for (int r = from; r < to; ++r) {
        if (kind == PlainLine)
            m_kinds.remove(r);
        else
            m_kinds.insert(r, kind);
    }
    const int lastShown = qMin(to, m_shownRows) - 1;
    if (from <= lastShown)
        emit dataChanged(index(from), index(lastShown), {LineKindRole});
}

QString LinePaneModel::row(int i) const
{
    if (i < 0 || i >= m_starts.size())
        return QString();
    const qsizetype begin = m_starts[i];
    const qsizetype end = (i + 1 < m_starts.size() ? m_starts[i + 1] : m_text.size()) - 1;
    return m_text.mid(begin, end - begin);
}

QStringList LinePaneModel::rows() const
{
    QStringList all;
    all.reserve(m_starts.size());
    for (int i = 0; i < m_starts.size(); ++i)
        all << row(i);
    return all;
}

int LinePaneModel::rowAt(qsizetype pos) const
{
    if (pos < 0 || pos >= m_text.size())
        return -1;
    const auto after = std::upper_bound(m_starts.cbegin(), m_starts.cend(), pos);
    return int(after - m_starts.cbegin()) - 1;
}

void LinePaneModel::addRow(QStringView text)
{
    m_starts.append(m_text.size());
    m_text.append(text);
    m_text.append(QLatin1Char('\n'));
    // A row takes at most kTabWidth columns per character: most rows of a report are
    // too short to be the widest, and need no count.
    if (text.size() * kTabWidth > m_maxColumns)
        m_maxColumns = qMax(m_maxColumns, displayColumns(text));
}

void LinePaneModel::appendItems(const QStringList &items)
{
    for (const QString &item : items) {
        for (QStringView line : QStringView(item).split(QLatin1Char('\n')))
            addRow(line);
    }
    ++m_revision;
    if (!m_flushPending && m_starts.size() > m_shownRows) {
        m_flushPending = true;
        QTimer::singleShot(0, this, &LinePaneModel::flush);
    }
}

void LinePaneModel::flush()
{
    m_flushPending = false;
    const int stored = storedRowCount();
    if (stored <= m_shownRows)
        return;
    beginInsertRows(QModelIndex(), m_shownRows, stored - 1);
    m_shownRows = stored;
    endInsertRows();
}

void LinePaneModel::clear()
{
    beginResetModel();
    m_text.clear();
    m_starts.clear();
    m_maxColumns = 0;
    m_shownRows = 0;
    m_kinds.clear();
    ++m_revision;
    endResetModel();
}

// ---- The delegate ------------------------------------------------------------------

QColor LinePaneDelegate::rowColour(const QPalette &palette, QPalette::ColorGroup group, int kind)
{
    switch (kind) {
    case LinePaneModel::ErrorLine:
        return errorColour(palette);
    case LinePaneModel::WarningLine:
        return warningColour(palette);
    default:
        return palette.color(group, QPalette::Text);
    }
}

LinePaneDelegate::LinePaneDelegate(const LinePaneModel *model, QObject *parent)
    : QAbstractItemDelegate(parent), m_model(model)
{
}

void LinePaneDelegate::setCurrentMatch(int row, qsizetype position, qsizetype length)
{
    m_matchRow = row;
    m_matchPosition = position;
    m_matchLength = length;
}

QSize LinePaneDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const QFontMetrics &metrics = option.fontMetrics;
    const qsizetype columns = m_model ? m_model->maxColumns() : 0;
    // Columns past what an int of pixels can hold are not reachable anyway.
    const qint64 width = qMin<qint64>(qint64(columns + 1) * metrics.horizontalAdvance(QLatin1Char(' ')) + 2 * kTextMargin,
                                      1 << 24);
    return QSize(int(width), metrics.height() + 2);
}

void LinePaneDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QString raw = index.data(Qt::DisplayRole).toString();
    const QString shown = expandTabs(raw);
    const QFontMetrics &metrics = option.fontMetrics;
    const QRect textRect = option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    const QPalette::ColorGroup group = option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    const QPalette &palette = option.palette;
    // The x of a position in the row's text: tabs expanded, in the row's font.
    const auto xAt = [&](qsizetype pos) {
        return textRect.left() + metrics.horizontalAdvance(shown.left(displayColumnAt(raw, pos)));
    };

    painter->save();
    painter->setFont(option.font);
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, palette.color(group, QPalette::Highlight));
    const bool currentRow = index.row() == m_matchRow;
    const auto spanRect = [&](qsizetype from, qsizetype to) {
        return QRect(QPoint(xAt(from), option.rect.top()), QPoint(xAt(to) - 1, option.rect.bottom()));
    };
    if (!m_term.isEmpty()) {
        // Between two of the palette's colours, so that marks follow a light or dark palette.
        const QColor mark = mixColours(palette.color(group, QPalette::Base), palette.color(group, QPalette::Highlight), 0.35);
        for (qsizetype at = raw.indexOf(m_term, 0, Qt::CaseInsensitive); at >= 0;
             at = raw.indexOf(m_term, at + m_term.size(), Qt::CaseInsensitive))
            painter->fillRect(spanRect(at, at + m_term.size()), mark);
    }
    painter->setPen(selected ? palette.color(group, QPalette::HighlightedText)
                             : rowColour(palette, group, index.data(LinePaneModel::LineKindRole).toInt()));
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    if (currentRow && m_matchLength > 0 && m_matchPosition + m_matchLength <= raw.size()) {
        // The current match in the selection's colours, over what was drawn.
        const QRect current = spanRect(m_matchPosition, m_matchPosition + m_matchLength);
        const qsizetype from = displayColumnAt(raw, m_matchPosition);
        const QString part = shown.mid(from, displayColumnAt(raw, m_matchPosition + m_matchLength) - from);
        painter->fillRect(current, palette.color(group, QPalette::Highlight));
        painter->setPen(palette.color(group, QPalette::HighlightedText));
        painter->drawText(QRect(current.left(), textRect.top(), textRect.width(), textRect.height()),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, part);
    }
    if (option.state & QStyle::State_HasFocus) {
        // The row Enter acts on, shown as the style shows keyboard focus.
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = palette.color(group, QPalette::Base);
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}
