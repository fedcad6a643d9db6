#include "gui/waveformview.h"

#include "gui/runverdict.h"
#include "gui/statuscolours.h"

#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

// Each wheel notch zooms by this much.
constexpr double kZoomPerNotch = 1.25;
// The widest a bus's slanted edge gets, in pixels.
constexpr int kSlant = 3;

} // namespace

// What every painting step needs: the painter, the colours of the palette and the part of
// the results in sight (cycles and rows, both inclusive; last < first when none).
struct WaveformView::Painting {
    Painting(QPainter &painter, const QPalette &palette, const QFont &font)
        : painter(painter), metrics(font), base(palette.color(QPalette::Base)),
          window(palette.color(QPalette::Window)), text(palette.color(QPalette::Text)),
          windowText(palette.color(QPalette::WindowText)), grid(palette.color(QPalette::Mid)),
          highlight(palette.color(QPalette::Highlight)), highlightedText(palette.color(QPalette::HighlightedText))
    {
        grid.setAlpha(90);  // a faint line on light and dark palettes alike
    }

    QPainter &painter;
    QFontMetrics metrics;
    QColor base, window, text, windowText, grid, highlight, highlightedText;
    int right = 0;
    int bottom = 0;
    int firstCycle = 0;
    int lastCycle = -1;
    int firstRow = 0;
    int lastRow = -1;
};

WaveformView::WaveformView(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_fitAction = new QAction(tr("Fit"), this);
    m_fitAction->setObjectName(QStringLiteral("fitWaveformsAct"));
    m_fitAction->setStatusTip(tr("Ajusta todos los ciclos al ancho de las formas de onda"));
    m_fitAction->setEnabled(false);
    connect(m_fitAction, &QAction::triggered, this, &WaveformView::fit);
}

// --- Results ------------------------------------------------------------------------

void WaveformView::setResults(const RunResults &results)
{
    m_results = results;
    buildRows();
    setCursorCycle(-1);
    m_fitAction->setEnabled(hasResults());
    updateScrollBars();
    viewport()->update();
}

void WaveformView::clear()
{
    setResults(RunResults());
}

bool WaveformView::hasResults() const
{
    return !m_results.columns.isEmpty() && !m_results.rows.isEmpty() && !m_results.cycleLoopSkipped;
}

QString WaveformView::placeholderText() const
{
    if (hasResults())
        return QString();
    if (m_results.designPath.isEmpty() && m_results.columns.isEmpty())
        return tr("Run (F5) simula el diseño y muestra aquí sus formas de onda");
    if (m_results.cycleLoopSkipped)
        return tr("Sin ciclos simulados: ver los errores del informe");
    return tr("Sin señales declaradas: ver los errores del informe");
}

// The rows come from the results: runs of one value, verification marks, the clock.
void WaveformView::buildRows()
{
    m_rows = waveRows(m_results);
}

int WaveformView::rowOfSignal(const QString &signal) const
{
    return waveRowOfSignal(m_results, signal);
}

qint32 WaveformView::valueAt(int row, int cycle) const
{
    if (cycle < 0 || cycle >= cycleCount() || row < 0 || row >= m_results.rows[cycle].size())
        return -1;
    return m_results.rows[cycle][row];
}

bool WaveformView::fits(int row, qint32 value) const
{
    return valueFitsWidth(row >= 0 && row < rowCount() ? m_results.columns[row].width : 32, value);
}

QString WaveformView::formatValue(int row, qint32 value) const
{
    return formatSignalValue(m_results.columns[row].width, value, radix(row));
}

WaveformView::Radix WaveformView::radix(int row) const
{
    if (row < 0 || row >= rowCount())
        return Decimal;
    return m_radixByName.value(m_results.columns[row].name, Decimal);
}

void WaveformView::setRadix(int row, Radix radix)
{
    if (row < 0 || row >= rowCount())
        return;
    m_radixByName.insert(m_results.columns[row].name, radix);
    viewport()->update();
}

// The clock is drawn as a real clock, 1 from the start of each cycle, so at a cycle it
// reads 1 whatever the table holds for it.
QString WaveformView::valueText(int row, int cycle) const
{
    if (row < 0 || row >= rowCount() || cycle < 0 || cycle >= cycleCount())
        return QString();
    if (m_rows[row].isClock)
        return QStringLiteral("1");
    return formatValue(row, valueAt(row, cycle));
}

QStringList WaveformView::valuesAt(int cycle) const
{
    QStringList values;
    for (int r = 0; r < rowCount(); ++r)
        values << valueText(r, cycle);
    return values;
}

// --- Geometry, zoom and scrolling --------------------------------------------------------

int WaveformView::waveWidth() const
{
    return std::max(0, viewport()->width() - kWaveLeft);
}

int WaveformView::waveHeight() const
{
    return std::max(0, viewport()->height() - kRulerHeight);
}

// Where a cycle begins in the unscrolled waves; rounded once so that neighbouring cycles
// share their edge.
int WaveformView::contentX(int cycle) const
{
    return int(std::lround(cycle * m_cycleWidth));
}

int WaveformView::cycleX(int cycle) const
{
    return kWaveLeft + contentX(cycle) - horizontalScrollBar()->value();
}

int WaveformView::rowY(int row) const
{
    return kRulerHeight + row * kRowHeight - verticalScrollBar()->value();
}

int WaveformView::cycleAt(int x) const
{
    if (x < kWaveLeft || cycleCount() == 0)
        return -1;
    const int content = x - kWaveLeft + horizontalScrollBar()->value();
    int cycle = int(std::floor(content / m_cycleWidth));
    // The rounding of the edges may put the point one cycle either way.
    if (cycle > 0 && contentX(cycle) > content)
        --cycle;
    else if (contentX(cycle + 1) <= content)
        ++cycle;
    return cycle >= 0 && cycle < cycleCount() ? cycle : -1;
}

int WaveformView::rowAt(int y) const
{
    if (y < kRulerHeight)
        return -1;
    const int row = (y - kRulerHeight + verticalScrollBar()->value()) / kRowHeight;
    return row < rowCount() ? row : -1;
}

void WaveformView::updateScrollBars()
{
    QScrollBar *h = horizontalScrollBar();
    h->setRange(0, std::max(0, contentX(cycleCount()) - waveWidth()));
    h->setPageStep(std::max(1, waveWidth()));
    h->setSingleStep(std::clamp(int(m_cycleWidth), 8, 40));
    QScrollBar *v = verticalScrollBar();
    v->setRange(0, std::max(0, rowCount() * kRowHeight - waveHeight()));
    v->setPageStep(std::max(1, waveHeight()));
    v->setSingleStep(kRowHeight);
}

void WaveformView::setCycleWidth(double width)
{
    zoomBy(width / m_cycleWidth, kWaveLeft);
}

void WaveformView::zoomBy(double factor, int anchorX)
{
    if (!(factor > 0))
        return;
    const double width = std::clamp(m_cycleWidth * factor, kMinCycleWidth, kMaxCycleWidth);
    m_fitted = false;
    const int anchor = std::max(0, anchorX - kWaveLeft);
    const double anchorCycles = (anchor + horizontalScrollBar()->value()) / m_cycleWidth;
    m_cycleWidth = width;
    updateScrollBars();
    horizontalScrollBar()->setValue(int(std::lround(anchorCycles * width)) - anchor);
    viewport()->update();
}

void WaveformView::fit()
{
    // A view out of sight (a tab behind another) has no width of its own yet.
    if (!isVisible()) {
        m_fitPending = hasResults();
        return;
    }
    m_fitPending = false;
    if (!hasResults() || waveWidth() == 0)
        return;
    m_fitted = true;
    m_cycleWidth = std::clamp(double(waveWidth()) / cycleCount(), kMinCycleWidth, kMaxCycleWidth);
    updateScrollBars();
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void WaveformView::setCursorCycle(int cycle)
{
    if (cycle < -1 || cycle >= cycleCount())
        cycle = -1;
    if (cycle == m_cursorCycle)
        return;
    m_cursorCycle = cycle;
    emit cursorCycleChanged(cycle);
    viewport()->update();
}

// --- Events -------------------------------------------------------------------------

void WaveformView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    // A fitted view stays fitted: the width lost to a scroll bar that came with the
    // rows, or to a narrower window, is taken from the cycles.
    if (m_fitted && isVisible())
        fit();
    else
        updateScrollBars();
}

// A view is given its size before it is shown.
void WaveformView::showEvent(QShowEvent *event)
{
    QAbstractScrollArea::showEvent(event);
    if (m_fitPending)
        fit();
}

bool WaveformView::showVerification(const QString &signal, int cycle)
{
    const int row = rowOfSignal(signal);
    if (!hasResults() || row < 0 || cycle < 0 || cycle >= cycleCount())
        return false;
    if (m_fitPending)
        fit();
    // The cell in the middle of the waves sideways, its row in sight.
    QScrollBar *h = horizontalScrollBar();
    h->setValue(contentX(cycle) + int(m_cycleWidth / 2) - waveWidth() / 2);
    QScrollBar *v = verticalScrollBar();
    const int top = row * kRowHeight;
    if (top < v->value() || top + kRowHeight > v->value() + waveHeight())
        v->setValue(top - std::max(0, waveHeight() - kRowHeight) / 2);
    setCursorCycle(cycle);
    return true;
}

void WaveformView::scrollContentsBy(int, int)
{
    viewport()->update();
}

// Ctrl+wheel zooms about the pointer; Shift+wheel scrolls across the cycles.
void WaveformView::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        const int notches = delta.y() != 0 ? delta.y() : delta.x();
        zoomBy(std::pow(kZoomPerNotch, notches / 120.0), int(event->position().x()));
        event->accept();
        return;
    }
    if ((event->modifiers() & Qt::ShiftModifier) && delta.y() != 0) {
        QScrollBar *h = horizontalScrollBar();
        h->setValue(h->value() - int(std::lround(delta.y() / 120.0 * 3 * h->singleStep())));
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void WaveformView::mouseMoveEvent(QMouseEvent *event)
{
    const int cycle = cycleAt(int(event->position().x()));
    if (cycle >= 0)
        setCursorCycle(cycle);
}

void WaveformView::mousePressEvent(QMouseEvent *event)
{
    const int cycle = cycleAt(int(event->position().x()));
    if (event->button() != Qt::LeftButton || cycle < 0) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setCursorCycle(cycle);
    emit cycleClicked(cycle);
}

// On a signal's name or value: how to write its values; everywhere: Fit.
void WaveformView::contextMenuEvent(QContextMenuEvent *event)
{
    const int row = event->pos().x() < kWaveLeft ? rowAt(event->pos().y()) : -1;
    QMenu menu(this);
    if (row >= 0) {
        menu.addSection(m_results.columns[row].name);
        auto *group = new QActionGroup(&menu);
        const QList<QPair<QString, Radix>> choices{
            {tr("Decimal"), Decimal}, {tr("Hexadecimal"), Hexadecimal}, {tr("Binary"), Binary}};
        for (const auto &[text, choice] : choices) {
            QAction *act = menu.addAction(text);
            act->setCheckable(true);
            act->setChecked(radix(row) == choice);
            group->addAction(act);
            const Radix chosen = choice;
            connect(act, &QAction::triggered, this, [this, row, chosen] { setRadix(row, chosen); });
        }
        menu.addSeparator();
    }
    menu.addAction(m_fitAction);
    menu.exec(event->globalPos());
}

bool WaveformView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, viewport());
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

QString WaveformView::toolTipAt(const QPoint &pos) const
{
    const int row = rowAt(pos.y());
    if (row < 0)
        return QString();
    if (pos.x() < kWaveLeft) {
        const ResultColumn &column = m_results.columns[row];
        QString text = column.name;
        if (column.width > 1)
            text += QStringLiteral(" [%1:0]").arg(column.width - 1);
        const QString kind = signalKindName(column.kind);
        return kind.isEmpty() ? text : text + QStringLiteral(" (") + kind + QLatin1Char(')');
    }
    const int cycle = cycleAt(pos.x());
    if (cycle < 0)
        return QString();
    QStringList lines;
    const qint32 value = valueAt(row, cycle);
    if (!m_rows[row].isClock && !fits(row, value))
        lines << tr("ciclo %1: el valor %2 no cabe en los %3 bits de %4")
                     .arg(QString::number(cycle), QString::number(value),
                          QString::number(effectiveWidth(m_results.columns[row].width)), m_results.columns[row].name);
    for (const Mark &mark : m_rows[row].marks) {
        if (mark.cycle == cycle)
            lines << mark.texts;
    }
    return lines.join(QLatin1Char('\n'));
}

// --- Painting -----------------------------------------------------------------------

void WaveformView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    Painting p(painter, palette(), font());
    p.right = viewport()->width() - 1;
    p.bottom = viewport()->height() - 1;
    painter.fillRect(viewport()->rect(), p.base);
    if (!hasResults()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(viewport()->rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                         placeholderText());
        return;
    }
    p.firstCycle = std::max(0, cycleAt(kWaveLeft));
    p.lastCycle = cycleAt(std::max(kWaveLeft, p.right));
    if (p.lastCycle < 0)
        p.lastCycle = cycleCount() - 1;
    p.firstRow = verticalScrollBar()->value() / kRowHeight;
    p.lastRow = std::min(rowCount() - 1, (verticalScrollBar()->value() + waveHeight()) / kRowHeight);

    painter.save();
    painter.setClipRect(kWaveLeft, kRulerHeight, waveWidth(), waveHeight());
    for (int r = p.firstRow; r <= p.lastRow; ++r)
        paintRow(p, r);
    paintCursor(p);
    painter.restore();
    paintRuler(p);
    paintNames(p);
}

// Cycle numbers, as often as they fit, with the cursor's cycle picked out.
void WaveformView::paintRuler(Painting &p) const
{
    QPainter &painter = p.painter;
    painter.save();
    painter.setClipRect(kWaveLeft, 0, waveWidth(), kRulerHeight);
    painter.fillRect(kWaveLeft, 0, waveWidth(), kRulerHeight, p.window);
    const int labelWidth = p.metrics.horizontalAdvance(QString::number(cycleCount() - 1)) + 8;
    static const int kSteps[] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000};
    int step = kSteps[0];
    for (int candidate : kSteps) {
        step = candidate;
        if (step * m_cycleWidth >= labelWidth)
            break;
    }
    painter.setPen(p.windowText);
    for (int c = p.firstCycle - p.firstCycle % step; c <= p.lastCycle; c += step) {
        const int x0 = cycleX(c);
        painter.drawLine(x0, kRulerHeight - 6, x0, kRulerHeight - 1);
        if (c != m_cursorCycle)
            painter.drawText(rulerLabelBox(p, c), Qt::AlignCenter, QString::number(c));
    }
    if (m_cursorCycle >= 0) {
        const QRect box = rulerLabelBox(p, m_cursorCycle);
        painter.fillRect(box, p.highlight);
        painter.setPen(p.highlightedText);
        painter.drawText(box, Qt::AlignCenter, QString::number(m_cursorCycle));
    }
    painter.setPen(p.grid);
    painter.drawLine(kWaveLeft, kRulerHeight - 1, p.right, kRulerHeight - 1);
    painter.restore();
}

// A cycle number's box on the ruler: centred on its cycle, but never cut by the names.
QRect WaveformView::rulerLabelBox(const Painting &p, int cycle) const
{
    const int width = p.metrics.horizontalAdvance(QString::number(cycle)) + 6;
    const int centre = (cycleX(cycle) + cycleX(cycle + 1)) / 2;
    return QRect(std::max(kWaveLeft + 1, centre - width / 2), 2, width, kRulerHeight - 6);
}

// The names column and the cursor's values beside it, with their headings.
void WaveformView::paintNames(Painting &p) const
{
    QPainter &painter = p.painter;
    painter.save();
    painter.setClipRect(0, 0, kWaveLeft, p.bottom + 1);
    painter.fillRect(0, 0, kWaveLeft, p.bottom + 1, p.window);
    painter.setPen(p.windowText);
    painter.drawText(QRect(6, 0, kNamesWidth - 10, kRulerHeight), Qt::AlignVCenter | Qt::AlignLeft, tr("Señal"));
    const QString heading = m_cursorCycle >= 0 ? tr("Ciclo %1").arg(m_cursorCycle) : tr("Valor");
    painter.drawText(QRect(kNamesWidth + 6, 0, kValuesWidth - 10, kRulerHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     heading);
    painter.setClipRect(0, kRulerHeight, kWaveLeft, waveHeight());
    for (int r = p.firstRow; r <= p.lastRow; ++r) {
        const int top = rowY(r);
        const QRect nameBox(6, top, kNamesWidth - 10, kRowHeight - 1);
        painter.setPen(p.windowText);
        painter.drawText(nameBox, Qt::AlignVCenter | Qt::AlignLeft,
                         p.metrics.elidedText(m_results.columns[r].name, Qt::ElideRight, nameBox.width()));
        if (m_cursorCycle >= 0) {
            const QRect valueBox(kNamesWidth + 6, top, kValuesWidth - 10, kRowHeight - 1);
            painter.drawText(valueBox, Qt::AlignVCenter | Qt::AlignLeft,
                             p.metrics.elidedText(valueText(r, m_cursorCycle), Qt::ElideLeft, valueBox.width()));
        }
        painter.setPen(p.grid);
        painter.drawLine(0, top + kRowHeight - 1, kWaveLeft - 1, top + kRowHeight - 1);
    }
    painter.setClipping(false);
    painter.setPen(p.grid);
    painter.drawLine(0, kRulerHeight - 1, kWaveLeft - 1, kRulerHeight - 1);
    painter.drawLine(kNamesWidth - 1, 0, kNamesWidth - 1, p.bottom);
    painter.drawLine(kWaveLeft - 1, 0, kWaveLeft - 1, p.bottom);
    painter.restore();
}

void WaveformView::paintRow(Painting &p, int row) const
{
    const int top = rowY(row);
    p.painter.setPen(p.grid);
    p.painter.drawLine(kWaveLeft, top + kRowHeight - 1, p.right, top + kRowHeight - 1);
    paintMarks(p, row, true);
    if (m_rows[row].isClock)
        paintClock(p, row);
    else if (effectiveWidth(m_results.columns[row].width) == 1)
        paintBit(p, row);
    else
        paintBus(p, row);
    paintMarks(p, row, false);
}

// High from the start of each cycle, low from its half.
void WaveformView::paintClock(Painting &p, int row) const
{
    const int high = rowY(row) + kHighOffset;
    const int low = rowY(row) + kLowOffset;
    QVector<QLine> lines;
    lines.reserve(4 * (p.lastCycle - p.firstCycle + 1));
    for (int c = p.firstCycle; c <= p.lastCycle; ++c) {
        const int x0 = cycleX(c);
        const int x1 = cycleX(c + 1);
        const int half = x0 + (x1 - x0) / 2;
        lines << QLine(x0, low, x0, high) << QLine(x0, high, half, high) << QLine(half, high, half, low)
              << QLine(half, low, x1, low);
    }
    p.painter.setPen(p.text);
    p.painter.drawLines(lines);
}

void WaveformView::paintBit(Painting &p, int row) const
{
    const QVector<Segment> &segments = m_rows[row].segments;
    const int high = rowY(row) + kHighOffset;
    const int low = rowY(row) + kLowOffset;
    QVector<QLine> lines;
    for (int i = firstSegmentInSight(p, row); i < segments.size() && segments[i].start <= p.lastCycle; ++i) {
        const Segment &s = segments[i];
        const int x0 = cycleX(s.start);
        const int x1 = cycleX(s.end);
        if (!fits(row, s.value)) {
            paintUnknown(p, row, x0, x1);
            continue;
        }
        const int y = s.value == 1 ? high : low;
        lines << QLine(x0, y, x1, y);
        // A level change between two known levels is a vertical edge.
        if (i > 0 && fits(row, segments[i - 1].value))
            lines << QLine(x0, high, x0, low);
    }
    p.painter.setPen(p.text);
    p.painter.drawLines(lines);
}

// A bus: one six-sided shape per run of one value, its value written inside when it fits
// in the part of the run in sight.
void WaveformView::paintBus(Painting &p, int row) const
{
    const QVector<Segment> &segments = m_rows[row].segments;
    const int top = rowY(row) + kHighOffset;
    const int bottom = rowY(row) + kLowOffset;
    const int middle = (top + bottom) / 2;
    QVector<QLine> lines;
    QVector<QPair<QRect, QString>> labels;
    for (int i = firstSegmentInSight(p, row); i < segments.size() && segments[i].start <= p.lastCycle; ++i) {
        const Segment &s = segments[i];
        const int x0 = cycleX(s.start);
        const int x1 = cycleX(s.end);
        if (!fits(row, s.value)) {
            paintUnknown(p, row, x0, x1);
            continue;
        }
        const int slant = std::min(kSlant, (x1 - x0) / 3);
        lines << QLine(x0, middle, x0 + slant, top) << QLine(x0 + slant, top, x1 - slant, top)
              << QLine(x1 - slant, top, x1, middle) << QLine(x1, middle, x1 - slant, bottom)
              << QLine(x1 - slant, bottom, x0 + slant, bottom) << QLine(x0 + slant, bottom, x0, middle);
        const int left = std::max(x0 + slant + 2, kWaveLeft + 2);
        const int right = std::min(x1 - slant - 2, p.right - 2);
        if (right - left < 6)
            continue;
        const QString label = formatValue(row, s.value);
        if (p.metrics.horizontalAdvance(label) <= right - left)
            labels.append({QRect(left, top, right - left, bottom - top + 1), label});
    }
    p.painter.setPen(p.text);
    p.painter.drawLines(lines);
    for (const auto &[box, label] : labels)
        p.painter.drawText(box, Qt::AlignCenter, label);
}

QColor WaveformView::unknownFill(const QPalette &palette)
{
    return mixColours(palette.color(QPalette::Base), palette.color(QPalette::Text), 0.12);
}

QColor WaveformView::unknownHatch(const QPalette &palette)
{
    return mixColours(palette.color(QPalette::Base), palette.color(QPalette::Text), 0.45);
}

// A value that does not fit its signal's width: a hatched neutral band, with an x when
// there is room, so that it is never taken for the red of a wrong verification.
void WaveformView::paintUnknown(Painting &p, int row, int x0, int x1) const
{
    const QRect band(x0, rowY(row) + kHighOffset, x1 - x0, kLowOffset - kHighOffset + 1);
    p.painter.fillRect(band, unknownFill(palette()));
    p.painter.fillRect(band, QBrush(unknownHatch(palette()), Qt::BDiagPattern));
    if (band.width() >= p.metrics.horizontalAdvance(QLatin1Char('x')) + 4) {
        const QRect letter = p.metrics.boundingRect(QLatin1Char('x')).adjusted(-2, 0, 2, 0);
        QRect clear(QPoint(0, 0), letter.size());
        clear.moveCenter(band.center());
        p.painter.fillRect(clear, unknownFill(palette()));
        p.painter.setPen(p.text);
        p.painter.drawText(band, Qt::AlignCenter, QStringLiteral("x"));
    }
}

// The verifications of a row in sight: first a light tint of each checked cell, under the
// wave; then a bar along the cell's foot, over it.
void WaveformView::paintMarks(Painting &p, int row, bool tint) const
{
    const QVector<Mark> &marks = m_rows[row].marks;
    const int top = rowY(row);
    auto it = std::partition_point(marks.begin(), marks.end(), [&](const Mark &m) { return m.cycle < p.firstCycle; });
    for (; it != marks.end() && it->cycle <= p.lastCycle; ++it) {
        QColor colour = it->wrong ? wrongColor() : correctColor();
        const int x0 = cycleX(it->cycle);
        const int x1 = cycleX(it->cycle + 1);
        if (tint) {
            colour.setAlpha(50);
            p.painter.fillRect(x0, top, x1 - x0, kRowHeight - 1, colour);
        } else {
            const int inset = x1 - x0 >= 4 ? 1 : 0;
            p.painter.fillRect(x0 + inset, top + kMarkOffset, x1 - x0 - 2 * inset, kMarkHeight, colour);
        }
    }
}

// A line down the middle of the cursor's cycle.
void WaveformView::paintCursor(Painting &p) const
{
    if (m_cursorCycle < p.firstCycle || m_cursorCycle > p.lastCycle)
        return;
    const int x = (cycleX(m_cursorCycle) + cycleX(m_cursorCycle + 1)) / 2;
    p.painter.setPen(p.highlight);
    p.painter.drawLine(x, kRulerHeight, x, p.bottom);
}

// The index of the first run of a row that reaches the first cycle in sight.
int WaveformView::firstSegmentInSight(const Painting &p, int row) const
{
    const QVector<Segment> &segments = m_rows[row].segments;
    auto it = std::partition_point(segments.begin(), segments.end(),
                                   [&](const Segment &s) { return s.end <= p.firstCycle; });
    return int(it - segments.begin());
}
