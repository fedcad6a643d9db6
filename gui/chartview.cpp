#include "gui/chartview.h"

#include "gui/statuscolours.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

namespace {

// Font sizes in chart points, as the layout measured the texts.
constexpr double kBoxFont = 10;
constexpr double kConnectorFont = 9;
constexpr double kEdgeFont = 9;
constexpr double kTitleFont = 11;
// Below this zoom texts are too small to read and are left out, which also keeps a
// whole large chart quick to paint.
constexpr double kMinTextZoom = 0.3;
constexpr double kCornerRadius = 8;   // of a conditional output and a cluster, in points
constexpr double kNoteFold = 6;       // the folded corner of a note, in points
constexpr double kArrowHalfWidth = 0.35;  // of the arrow head, as a share of its length
constexpr double kFitMaxZoom = 1.5;   // Fit never blows a small chart up further
constexpr double kBadgeSize = 12;     // pixels
constexpr double kWheelStep = 1.0015; // zoom factor per wheel unit (120 to a notch)
constexpr double kFillShare = 0.45;   // of the highlight in a state's fill

QFont chartFont(double points, bool bold = false)
{
    QFont font(QStringLiteral("Helvetica"));
    font.setStyleHint(QFont::SansSerif);
    // A point of the layout is one pixel at zoom 1; the painter's scale does the rest.
    font.setPixelSize(qMax(1, qRound(points)));
    font.setBold(bold);
    return font;
}

QPen cosmeticPen(const QColor &colour, double width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, width, style);
    pen.setCosmetic(true);
    return pen;
}

QRectF nodeRect(const ChartNodeLayout &node)
{
    return QRectF(node.centre.x() - node.size.width() / 2, node.centre.y() - node.size.height() / 2,
                  node.size.width(), node.size.height());
}

} // namespace

struct ChartView::Painting {
    QPainter &painter;
    QRectF exposed;  // in chart points
    QColor base, text, frame, state, walked, error, warning;
    bool texts = true;
};

QColor ChartView::stateFill(const QPalette &palette)
{
    // Held as 8-bit channels, as the screen shows it.
    return QColor(mixColours(palette.color(QPalette::Base), palette.color(QPalette::Highlight), kFillShare).rgb());
}

QColor ChartView::walkedColour(const QPalette &palette)
{
    return palette.color(QPalette::Highlight);
}

ChartView::ChartView(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_fitAction = new QAction(tr("Fit &Chart"), this);
    m_fitAction->setObjectName(QStringLiteral("fitChartAct"));
    m_fitAction->setStatusTip(tr("Ajusta todo el diagrama al espacio visible"));
    m_fitAction->setEnabled(false);
    connect(m_fitAction, &QAction::triggered, this, &ChartView::fit);
    showMessage(tr("Abra o guarde un archivo .vdo para ver su diagrama."));
}

// --- Contents -------------------------------------------------------------------------

void ChartView::setChart(const ChartGraph &graph, const ChartLayout &layout)
{
    const bool first = !m_hasChart;
    m_graph = graph;
    m_layout = layout;
    m_hasChart = true;
    m_message.clear();
    rebuildPaths();
    updateHighlight();
    m_fitAction->setEnabled(true);
    if (first)
        fit();
    else
        updateScrollBars();
    viewport()->update();
}

void ChartView::showMessage(const QString &text)
{
    m_hasChart = false;
    m_graph = ChartGraph();
    m_layout = ChartLayout();
    m_message = text;
    m_edgePaths.clear();
    m_arrowHeads.clear();
    m_nodeShapes.clear();
    m_highlight = ChartHighlight();
    if (m_fitAction)
        m_fitAction->setEnabled(false);
    updateScrollBars();
    viewport()->update();
}

void ChartView::setResults(const RunResults &results)
{
    m_results = results;
    m_cycle = qBound(-1, m_cycle, lastCycle());
    updateHighlight();
    viewport()->update();
}

// The waveforms may still show the run whose path goes, so their cursor is left alone.
void ChartView::clearResults()
{
    m_cycle = -1;
    setResults(RunResults());
}

void ChartView::setWarnings(const DesignWarnings &warnings)
{
    m_warnings.clear();
    for (const DesignWarning &w : warnings)
        if (w.boxPosition >= 0)
            m_warnings[w.boxPosition] << QStringLiteral("%1 [%2]").arg(w.text, w.rule);
    viewport()->update();
}

void ChartView::setEditorModified(bool modified)
{
    m_editorModified = modified;
    viewport()->update();
}

QString ChartView::stripText() const
{
    QString text;
    if (!hasPaths())
        text = tr("Sin simulación: Run muestra el estado y el camino de cada ciclo");
    else if (m_cycle < 0)
        text = tr("Ciclos 0 a %1: elija uno con ←/→, Inicio/Fin o en las formas de onda").arg(lastCycle());
    else
        text = tr("Ciclo %1 de 0 a %2 (←/→, Inicio/Fin)").arg(m_cycle).arg(lastCycle());
    if (m_editorModified)
        text += tr(" — muestra el archivo guardado, no los cambios sin guardar");
    return text;
}

int ChartView::lastCycle() const
{
    return int(m_results.paths.size()) - 1;
}

void ChartView::setCycle(int cycle)
{
    cycle = qBound(-1, cycle, lastCycle());
    if (cycle == m_cycle)
        return;
    m_cycle = cycle;
    updateHighlight();
    viewport()->update();
    emit cycleChanged(cycle);
}

void ChartView::updateHighlight()
{
    m_highlight = m_hasChart ? chartHighlightAt(m_graph, m_results, m_cycle) : ChartHighlight();
}

// The curves, arrow heads and shapes in chart points, made once per layout so that a
// repaint only strokes them.
void ChartView::rebuildPaths()
{
    m_edgePaths.clear();
    m_arrowHeads.clear();
    for (const ChartEdgeLayout &edge : m_layout.edges) {
        QPainterPath curve;
        if (!edge.bezier.isEmpty()) {
            curve.moveTo(edge.bezier.first());
            for (int i = 1; i + 2 < edge.bezier.size(); i += 3)
                curve.cubicTo(edge.bezier[i], edge.bezier[i + 1], edge.bezier[i + 2]);
        }
        QPainterPath head;
        if (edge.hasArrow && !edge.bezier.isEmpty()) {
            const QPointF from = edge.bezier.last();
            const QPointF along = edge.arrowTip - from;
            const QPointF across(-along.y() * kArrowHalfWidth, along.x() * kArrowHalfWidth);
            head.moveTo(edge.arrowTip);
            head.lineTo(from + across);
            head.lineTo(from - across);
            head.closeSubpath();
        }
        m_edgePaths.append(curve);
        m_arrowHeads.append(head);
    }
    m_nodeShapes.clear();
    for (int i = 0; i < m_layout.nodes.size(); ++i)
        m_nodeShapes.append(shapeOf(i));
}

QPainterPath ChartView::shapeOf(int nodeIndex) const
{
    const ChartNodeLayout &node = m_layout.nodes.at(nodeIndex);
    const QRectF r = nodeRect(node);
    QPainterPath path;
    switch (node.position < 0 ? ChartShape::Operations : node.shape) {
    case ChartShape::Decision:
        path.moveTo(r.center().x(), r.top());
        path.lineTo(r.right(), r.center().y());
        path.lineTo(r.center().x(), r.bottom());
        path.lineTo(r.left(), r.center().y());
        path.closeSubpath();
        break;
    case ChartShape::ConditionalOutput:
        path.addRoundedRect(r, kCornerRadius, kCornerRadius);
        break;
    case ChartShape::Connector:
        path.addEllipse(r);
        break;
    case ChartShape::Note:
        path.moveTo(r.topLeft());
        path.lineTo(r.right() - kNoteFold, r.top());
        path.lineTo(r.right(), r.top() + kNoteFold);
        path.lineTo(r.bottomRight());
        path.lineTo(r.bottomLeft());
        path.closeSubpath();
        break;
    case ChartShape::StateBox:
    case ChartShape::Operations:
        path.addRect(r);
        break;
    }
    return path;
}

// --- Geometry -------------------------------------------------------------------------

QPointF ChartView::toViewport(const QPointF &chartPoint) const
{
    const QPointF fromCorner = chartPoint - m_layout.boundingBox.topLeft();
    return QPointF(fromCorner.x() * m_zoom + kMargin - horizontalScrollBar()->value(),
                   fromCorner.y() * m_zoom + kMargin + kStripHeight - verticalScrollBar()->value());
}

QPointF ChartView::toChart(const QPointF &viewportPoint) const
{
    const double x = (viewportPoint.x() - kMargin + horizontalScrollBar()->value()) / m_zoom;
    const double y = (viewportPoint.y() - kMargin - kStripHeight + verticalScrollBar()->value()) / m_zoom;
    return m_layout.boundingBox.topLeft() + QPointF(x, y);
}

int ChartView::itemAt(const QPoint &pos) const
{
    if (!m_hasChart || pos.y() < kStripHeight)
        return -1;
    const QPointF at = toChart(pos);
    for (int i = int(m_layout.nodes.size()) - 1; i >= 0; --i) {
        if (!m_nodeShapes.at(i).contains(at))
            continue;
        const ChartNodeLayout &node = m_layout.nodes.at(i);
        return node.position >= 0 ? node.position : -2 - node.stub;
    }
    return -1;
}

QString ChartView::toolTipAt(const QPoint &pos) const
{
    const int item = itemAt(pos);
    if (item <= -2)
        return tr("Ninguna caja tiene el ID %1").arg(m_graph.stubs.value(-2 - item).id);
    if (item < 0 || item >= m_graph.nodes.size())
        return QString();
    const ChartNode &node = m_graph.nodes.at(item);
    QStringList lines{tr("ID %1, %2").arg(node.id).arg(node.typeName.isEmpty() ? tr("sin tipo") : node.typeName)};
    if (node.loneConnector)
        lines.first() += tr(", ninguna caja lleva su nombre");
    if (!node.fullText.isEmpty())
        lines << node.fullText;
    for (const QString &wrong : m_highlight.wrong.value(item))
        lines << tr("Verificación errónea en el ciclo %1: %2").arg(m_cycle).arg(wrong);
    for (const QString &warning : m_warnings.value(item))
        lines << tr("Aviso: %1").arg(warning);
    return lines.join(QLatin1Char('\n'));
}

QRectF ChartView::chartArea() const
{
    return QRectF(0, 0, m_layout.boundingBox.width() * m_zoom + 2 * kMargin,
                  m_layout.boundingBox.height() * m_zoom + 2 * kMargin);
}

void ChartView::updateScrollBars()
{
    const QSize room(viewport()->width(), viewport()->height() - kStripHeight);
    const QRectF area = m_hasChart ? chartArea() : QRectF();
    // Fit makes the chart exactly as wide or high as the room; rounding must not make it
    // a pixel more.
    horizontalScrollBar()->setRange(0, qMax(0, qRound(area.width()) - room.width()));
    verticalScrollBar()->setRange(0, qMax(0, qRound(area.height()) - room.height()));
    horizontalScrollBar()->setPageStep(qMax(1, room.width()));
    verticalScrollBar()->setPageStep(qMax(1, room.height()));
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
}

void ChartView::setZoom(double zoom)
{
    m_zoom = qBound(kMinZoom, zoom, kMaxZoom);
    updateScrollBars();
    viewport()->update();
}

void ChartView::zoomBy(double factor, const QPoint &anchor)
{
    const QPointF kept = toChart(anchor);
    setZoom(m_zoom * factor);
    const QPointF now = toViewport(kept);
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + qRound(now.x() - anchor.x()));
    verticalScrollBar()->setValue(verticalScrollBar()->value() + qRound(now.y() - anchor.y()));
}

void ChartView::fit()
{
    if (!m_hasChart)
        return;
    if (!isVisible() || viewport()->width() <= 2 * kMargin) {
        m_fitPending = true;
        return;
    }
    m_fitPending = false;
    const QSizeF chart = m_layout.boundingBox.size();
    const double across = (viewport()->width() - 2 * kMargin) / qMax(1.0, chart.width());
    const double down = (viewport()->height() - kStripHeight - 2 * kMargin) / qMax(1.0, chart.height());
    setZoom(qMin(qMin(across, down), kFitMaxZoom));
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

// --- Painting -------------------------------------------------------------------------

void ChartView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QPalette &pal = palette();
    painter.fillRect(event->rect(), pal.color(QPalette::Base));
    if (!m_hasChart) {
        paintMessage(painter);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(QRect(0, kStripHeight, viewport()->width(), viewport()->height() - kStripHeight));
    const QPointF origin = toViewport(m_layout.boundingBox.topLeft());
    painter.translate(origin);
    painter.scale(m_zoom, m_zoom);
    painter.translate(-m_layout.boundingBox.topLeft());
    const QRectF exposed(toChart(event->rect().topLeft()), toChart(event->rect().bottomRight() + QPoint(1, 1)));
    const QColor text = pal.color(QPalette::Text);
    Painting p{painter, exposed, pal.color(QPalette::Base), text,
               mixColours(pal.color(QPalette::Base), text, 0.45), stateFill(pal), walkedColour(pal),
               errorColour(pal), warningColour(pal), m_zoom >= kMinTextZoom};
    paintClusters(p);
    paintEdges(p);
    paintNodes(p);
    painter.restore();
    paintStrip(painter);
}

void ChartView::paintMessage(QPainter &painter) const
{
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(viewport()->rect().adjusted(kMargin, kMargin, -kMargin, -kMargin),
                     Qt::AlignCenter | Qt::TextWordWrap, m_message);
}

void ChartView::paintStrip(QPainter &painter) const
{
    const QRect strip(0, 0, viewport()->width(), kStripHeight);
    painter.fillRect(strip, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(strip.adjusted(kMargin / 2, 0, -kMargin / 2, 0), Qt::AlignLeft | Qt::AlignVCenter, stripText());
}

void ChartView::paintClusters(Painting &p) const
{
    p.painter.setFont(chartFont(kTitleFont, true));
    for (const ChartClusterLayout &cluster : m_layout.clusters) {
        if (!cluster.box.intersects(p.exposed))
            continue;
        p.painter.setPen(cosmeticPen(p.frame, 1));
        p.painter.setBrush(Qt::NoBrush);
        p.painter.drawRoundedRect(cluster.box, kCornerRadius, kCornerRadius);
        if (p.texts) {
            p.painter.setPen(p.text);
            const QRectF title(cluster.box.left() + kCornerRadius, cluster.box.top() + 2,
                               cluster.box.width() - 2 * kCornerRadius, kTitleFont * 1.6);
            p.painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter, cluster.title);
        }
    }
}

void ChartView::paintEdges(Painting &p) const
{
    p.painter.setFont(chartFont(kEdgeFont));
    for (int e = 0; e < m_layout.edges.size(); ++e) {
        const ChartEdgeLayout &edge = m_layout.edges.at(e);
        const QPainterPath &curve = m_edgePaths.at(e);
        if (!curve.controlPointRect().united(m_arrowHeads.at(e).boundingRect()).intersects(p.exposed))
            continue;
        const bool taken = m_highlight.taken.contains(edge.edge);
        const bool jump = m_graph.edges.value(edge.edge).link == ChartLink::ConnectorJump;
        const QColor colour = taken ? p.walked : p.text;
        p.painter.setPen(cosmeticPen(colour, taken ? kTakenWidth : 1, jump ? Qt::DashLine : Qt::SolidLine));
        p.painter.setBrush(Qt::NoBrush);
        p.painter.drawPath(curve);
        if (!m_arrowHeads.at(e).isEmpty()) {
            p.painter.setPen(cosmeticPen(colour, 1));
            p.painter.setBrush(colour);
            p.painter.drawPath(m_arrowHeads.at(e));
        }
        if (edge.hasLabel && p.texts) {
            const ChartLink link = m_graph.edges.value(edge.edge).link;
            const QString label = link == ChartLink::Next1 ? QStringLiteral("1") : QStringLiteral("0");
            p.painter.setPen(p.text);
            p.painter.drawText(QRectF(edge.labelCentre - QPointF(8, 8), QSizeF(16, 16)), Qt::AlignCenter, label);
        }
    }
}

void ChartView::paintNodes(Painting &p) const
{
    for (int i = 0; i < m_layout.nodes.size(); ++i) {
        if (!m_nodeShapes.at(i).controlPointRect().adjusted(-kBadgeSize, -kBadgeSize, kBadgeSize, kBadgeSize)
                 .intersects(p.exposed))
            continue;
        paintNode(p, i);
        paintBadges(p, i);
    }
}

void ChartView::paintNode(Painting &p, int nodeIndex) const
{
    const ChartNodeLayout &node = m_layout.nodes.at(nodeIndex);
    const QPainterPath &shape = m_nodeShapes.at(nodeIndex);
    const QRectF r = nodeRect(node);
    QString label;
    if (node.position < 0) {
        // The end of a link to an ID no box carries.
        p.painter.setPen(cosmeticPen(p.error, 1, Qt::DashLine));
        p.painter.setBrush(p.base);
        p.painter.drawPath(shape);
        p.painter.setPen(p.error);
        label = tr("ID %1?").arg(m_graph.stubs.value(node.stub).id);
    } else {
        const ChartNode &box = m_graph.nodes.at(node.position);
        const bool walked = m_highlight.walked.contains(node.position);
        p.painter.setBrush(m_highlight.states.contains(node.position) ? p.state : p.base);
        if (walked)
            p.painter.setPen(cosmeticPen(p.walked, kWalkedWidth));
        else
            p.painter.setPen(cosmeticPen(box.loneConnector ? p.error : p.text, 1));
        p.painter.drawPath(shape);
        if (box.loneConnector) {
            // A connector that stands for no box: a second ring, as dot draws it.
            p.painter.setBrush(Qt::NoBrush);
            p.painter.drawEllipse(r.adjusted(-3, -3, 3, 3));
        }
        if (box.shape == ChartShape::Note)
            p.painter.drawLine(QPointF(r.right() - kNoteFold, r.top()), QPointF(r.right() - kNoteFold, r.top() + kNoteFold));
        p.painter.setPen(box.loneConnector ? p.error : p.text);
        label = box.label.isEmpty() ? (box.typeName.isEmpty() ? tr("ID %1").arg(box.id) : box.typeName) : box.label;
    }
    if (!p.texts)
        return;
    p.painter.setFont(chartFont(node.shape == ChartShape::Connector ? kConnectorFont : kBoxFont));
    p.painter.drawText(r, Qt::AlignCenter, label);
}

// A wrong verification of the cycle rings its test-bench box in the error colour and
// puts a cross on its top right corner; a design warning puts a warning sign on its top
// left corner. Both keep their size in pixels whatever the zoom.
void ChartView::paintBadges(Painting &p, int nodeIndex) const
{
    const ChartNodeLayout &node = m_layout.nodes.at(nodeIndex);
    if (node.position < 0)
        return;
    const QRectF r = nodeRect(node);
    const double size = kBadgeSize / m_zoom;
    if (m_highlight.wrong.contains(node.position)) {
        const double out = 3 / m_zoom;
        p.painter.setPen(cosmeticPen(p.error, 2));
        p.painter.setBrush(Qt::NoBrush);
        p.painter.drawRect(r.adjusted(-out, -out, out, out));
        const QRectF badge(r.right() - size / 2, r.top() - size / 2, size, size);
        p.painter.setBrush(p.error);
        p.painter.drawEllipse(badge);
        p.painter.setPen(cosmeticPen(p.base, 2));
        const double in = size * 0.3;
        p.painter.drawLine(badge.topLeft() + QPointF(in, in), badge.bottomRight() - QPointF(in, in));
        p.painter.drawLine(badge.topRight() + QPointF(-in, in), badge.bottomLeft() + QPointF(in, -in));
    }
    if (m_warnings.contains(node.position)) {
        const QPointF corner(r.left(), r.top());
        QPainterPath sign;
        sign.moveTo(corner + QPointF(0, -size / 2));
        sign.lineTo(corner + QPointF(size / 2, size / 2));
        sign.lineTo(corner + QPointF(-size / 2, size / 2));
        sign.closeSubpath();
        p.painter.setPen(cosmeticPen(p.warning, 1));
        p.painter.setBrush(p.warning);
        p.painter.drawPath(sign);
        p.painter.setPen(cosmeticPen(p.base, 1.5));
        p.painter.drawLine(corner + QPointF(0, -size * 0.15), corner + QPointF(0, size * 0.2));
        p.painter.drawPoint(corner + QPointF(0, size * 0.35));
    }
}

// --- Events ---------------------------------------------------------------------------

void ChartView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    if (m_fitPending)
        fit();
}

void ChartView::showEvent(QShowEvent *event)
{
    QAbstractScrollArea::showEvent(event);
    if (m_fitPending)
        fit();
}

void ChartView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void ChartView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier) || !m_hasChart) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    zoomBy(std::pow(kWheelStep, event->angleDelta().y()), event->position().toPoint());
    event->accept();
}

void ChartView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    m_pressPos = m_lastDragPos = event->position().toPoint();
    m_dragging = false;
    event->accept();
}

void ChartView::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint at = event->position().toPoint();
    if (!m_dragging && (at - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    if (!m_dragging)
        viewport()->setCursor(Qt::ClosedHandCursor);
    m_dragging = true;
    const QPoint moved = at - m_lastDragPos;
    m_lastDragPos = at;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - moved.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - moved.y());
}

void ChartView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_dragging) {
        m_dragging = false;
        viewport()->unsetCursor();
        return;
    }
    const int item = itemAt(event->position().toPoint());
    if (item >= 0 && item < m_graph.nodes.size())
        emit boxClicked(item, m_graph.nodes.at(item).id);
}

void ChartView::keyPressEvent(QKeyEvent *event)
{
    if (!hasPaths()) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        setCycle(m_cycle < 0 ? 0 : qMax(0, m_cycle - 1));
        break;
    case Qt::Key_Right:
        setCycle(m_cycle < 0 ? 0 : m_cycle + 1);
        break;
    case Qt::Key_Home:
        setCycle(0);
        break;
    case Qt::Key_End:
        setCycle(lastCycle());
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

bool ChartView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}
