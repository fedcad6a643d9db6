#include "chart/chartgraph.h"

#include "model/boxaccess.h"

#include <QQueue>

namespace {

const QString kNoText = QStringLiteral("null");
const QChar kEllipsis(0x2026);

// The text lines a box shows, top to bottom: its TextUp, Text and TextDown values.
QStringList boxTextLines(const DesignModel &model, int pos)
{
    QStringList lines;
    for (const TextMatrix *matrix : {&model.textUpMatrix, &model.textMatrix, &model.textDownMatrix}) {
        for (int row = 0; row < matrix->size(); ++row) {
            const QString cell = textCell(*matrix, row, pos);
            if (cell != kNoText)
                lines << cell;
        }
    }
    return lines;
}

// A link draws an edge unless it is 0 or -1.
bool isLink(qint32 value)
{
    return value != 0 && value != -1;
}

// Adds the edge of one link: to the last box carrying the ID, else to a new stub.
void addLink(ChartGraph &graph, const DesignModel &model, int from, qint32 value, ChartLink link)
{
    if (!isLink(value))
        return;
    ChartEdge edge{from, lastBoxWithId(model, value), -1, link};
    if (edge.to < 0) {
        edge.stub = int(graph.stubs.size());
        graph.stubs.append({value, -1});
    }
    graph.edges.append(edge);
}

ChartNode nodeOf(const DesignModel &model, int pos)
{
    ChartNode node;
    node.position = pos;
    node.id = boxIdAt(model, pos);
    node.type = boxTypeAt(model, pos);
    node.typeName = boxTypeName(node.type);
    const bool connector = isConnectorBox(model, pos);
    node.shape = connector ? ChartShape::Connector : chartShapeOf(node.type);
    const QStringList lines = connector ? QStringList{firstTextLine(model, pos)} : boxTextLines(model, pos);
    node.label = cutChartLabel(lines);
    node.fullText = lines.join(QLatin1Char('\n'));
    node.loneConnector = connector && connectorTarget(model, pos) < 0;
    return node;
}

// Out-going neighbours of every box, the connector jumps included.
QVector<QVector<int>> successors(const ChartGraph &graph)
{
    QVector<QVector<int>> next(graph.nodes.size());
    for (const ChartEdge &edge : graph.edges)
        if (edge.to >= 0)
            next[edge.from].append(edge.to);
    return next;
}

// The diagram's name: the text of its first Header box, else its root box's name.
QString diagramName(const DesignModel &model, const ChartGraph &graph, const ChartCluster &cluster)
{
    for (int pos : cluster.nodes) {
        const QString text = firstTextLine(model, pos);
        if (graph.nodes.at(pos).type == BoxType::Header && text != kNoText)
            return text;
    }
    const QString root = firstTextLine(model, cluster.root);
    return root != kNoText ? root : QStringLiteral("ID %1").arg(boxIdAt(model, cluster.root));
}

// A cluster per diagram in parent order, holding what its links reach first; then one
// for the boxes no diagram reaches, when there are any.
void assignClusters(ChartGraph &graph, const DesignModel &model)
{
    const QVector<QVector<int>> next = successors(graph);
    for (int c = 0; c < model.parentIts.size(); ++c) {
        const int root = model.parentIts.at(c);
        if (root < 0 || root >= graph.nodes.size() || graph.nodes.at(root).cluster >= 0)
            continue;
        const int index = int(graph.clusters.size());
        ChartCluster cluster;
        cluster.root = root;
        cluster.kind = c < model.parentKinds.size() ? model.parentKinds.at(c) : DiagramKind::None;
        QQueue<int> queue;
        queue.enqueue(root);
        graph.nodes[root].cluster = index;
        while (!queue.isEmpty()) {
            for (int to : next.at(queue.dequeue())) {
                if (graph.nodes.at(to).cluster < 0) {
                    graph.nodes[to].cluster = index;
                    queue.enqueue(to);
                }
            }
        }
        graph.clusters.append(cluster);
    }
    ChartCluster unreached;
    for (ChartNode &node : graph.nodes) {
        if (node.cluster < 0) {
            node.cluster = int(graph.clusters.size());
            unreached.title = QStringLiteral("Cajas sin diagrama");
        }
    }
    if (!unreached.title.isEmpty())
        graph.clusters.append(unreached);
    for (const ChartNode &node : graph.nodes)
        graph.clusters[node.cluster].nodes.append(node.position);
    for (ChartCluster &cluster : graph.clusters) {
        if (cluster.root < 0)
            continue;
        cluster.name = diagramName(model, graph, cluster);
        const QString kind =
            cluster.kind == DiagramKind::None ? QStringLiteral("Sin tipo") : diagramKindName(cluster.kind);
        cluster.title = kind + QStringLiteral(": ") + cluster.name;
    }
}

} // namespace

ChartShape chartShapeOf(BoxType type)
{
    switch (type) {
    case BoxType::State:
    case BoxType::MetaState:
    case BoxType::StateAsyncOps:
        return ChartShape::StateBox;
    case BoxType::Decision:
        return ChartShape::Decision;
    case BoxType::CondSyncOps:
    case BoxType::CondAsyncOps:
        return ChartShape::ConditionalOutput;
    case BoxType::SyncOps:
    case BoxType::AsyncOps:
    case BoxType::None:
        return ChartShape::Operations;
    case BoxType::Header:
    case BoxType::Ports:
    case BoxType::Code:
    case BoxType::ThreadSync:
    case BoxType::Default:
    case BoxType::Event:
    case BoxType::Instance:
    case BoxType::Initial:
        return ChartShape::Note;
    }
    return ChartShape::Operations;
}

int connectorTarget(const DesignModel &model, int connector)
{
    const QString name = firstTextLine(model, connector);
    int target = -1;
    for (int pos = 0; pos < model.boxCount; ++pos)
        if (!isConnectorBox(model, pos) && firstTextLine(model, pos) == name)
            target = pos;
    return target;
}

int lastBoxWithId(const DesignModel &model, qint32 id)
{
    for (int pos = qMin(model.boxCount, int(model.boxIds.size())) - 1; pos >= 0; --pos)
        if (model.boxIds.at(pos) == id)
            return pos;
    return -1;
}

QString cutChartLabel(const QStringList &lines)
{
    QStringList shown;
    for (const QString &line : lines.mid(0, kChartLabelRows)) {
        const QString simple = line.simplified();
        shown << (simple.size() > kChartLabelColumns ? simple.left(kChartLabelColumns - 1) + kEllipsis : simple);
    }
    if (lines.size() > kChartLabelRows)
        shown.last() = kEllipsis;
    return shown.join(QLatin1Char('\n'));
}

ChartGraph buildChartGraph(const DesignModel &model)
{
    ChartGraph graph;
    for (int pos = 0; pos < model.boxCount; ++pos)
        graph.nodes.append(nodeOf(model, pos));
    for (int pos = 0; pos < model.boxCount; ++pos) {
        const BoxLinks links = boxLinksAt(model, pos);
        addLink(graph, model, pos, links.next, ChartLink::Next);
        addLink(graph, model, pos, links.next0, ChartLink::Next0);
        addLink(graph, model, pos, links.next1, ChartLink::Next1);
        if (graph.nodes.at(pos).shape == ChartShape::Connector && !graph.nodes.at(pos).loneConnector)
            graph.edges.append({pos, connectorTarget(model, pos), -1, ChartLink::ConnectorJump});
    }
    assignClusters(graph, model);
    for (const ChartEdge &edge : graph.edges)
        if (edge.stub >= 0)
            graph.stubs[edge.stub].cluster = graph.nodes.at(edge.from).cluster;
    return graph;
}
