#include "chart/chartdot.h"

namespace {

// Graph attributes. The rank and crossing searches stop after a bounded number of
// iterations whatever the graph, so a layout always ends.
const char kGraphHeader[] =
    "digraph chart {\n"
    "  graph [rankdir=TB, fontname=\"Helvetica\", fontsize=11,\n"
    "         nodesep=0.3, ranksep=0.35, nslimit=3, nslimit1=3, mclimit=0.5, searchsize=30,\n"
    "         remincross=false, outputorder=edgesfirst];\n"
    "  node [fontname=\"Helvetica\", fontsize=10, margin=\"0.08,0.04\"];\n"
    "  edge [fontname=\"Helvetica\", fontsize=9, arrowsize=0.7];\n";

const char *shapeAttributes(ChartShape shape)
{
    switch (shape) {
    case ChartShape::StateBox:
        return "shape=box";
    case ChartShape::Decision:
        return "shape=diamond";
    case ChartShape::ConditionalOutput:
        return "shape=box, style=rounded";
    case ChartShape::Operations:
        return "shape=box";
    case ChartShape::Connector:
        return "shape=circle, width=0.3, margin=0.02, fontsize=9";
    case ChartShape::Note:
        return "shape=note";
    }
    return "shape=box";
}

// A decision's exits are labelled at their tail, as charts draw them; a label in the
// middle of an edge would double the ranks dot has to place.
const char *linkLabel(ChartLink link)
{
    switch (link) {
    case ChartLink::Next0:
        return ", taillabel=\"0\"";
    case ChartLink::Next1:
        return ", taillabel=\"1\"";
    case ChartLink::ConnectorJump:
        return ", style=dashed, constraint=false";
    case ChartLink::Next:
        break;
    }
    return "";
}

// What a box shows: its cut texts, else its type, else its ID.
QString shownLabel(const ChartNode &node)
{
    if (!node.label.isEmpty())
        return node.label;
    return node.typeName.isEmpty() ? QStringLiteral("ID %1").arg(node.id) : node.typeName;
}

QString tooltipOf(const ChartNode &node)
{
    const QString type = node.typeName.isEmpty() ? QStringLiteral("sin tipo") : node.typeName;
    QString tip = QStringLiteral("ID %1, %2").arg(node.id).arg(type);
    if (node.loneConnector)
        tip += QStringLiteral(", sin caja con este nombre");
    if (!node.fullText.isEmpty())
        tip += QLatin1Char('\n') + node.fullText;
    return tip;
}

QByteArray nodeLine(const ChartNode &node)
{
    QByteArray line = "    " + chartNodeName(node.position) + " [id=" + chartNodeName(node.position) + ", "
                      + shapeAttributes(node.shape) + ", label=" + dotQuoted(shownLabel(node))
                      + ", tooltip=" + dotQuoted(tooltipOf(node));
    if (node.loneConnector)
        line += ", color=red, fontcolor=red, peripheries=2";
    return line + "];\n";
}

QByteArray stubLine(const ChartGraph &graph, int stub)
{
    const QByteArray name = chartStubName(stub);
    const QString label = QStringLiteral("ID %1?").arg(graph.stubs.at(stub).id);
    const QString tip = QStringLiteral("Ninguna caja tiene el ID %1").arg(graph.stubs.at(stub).id);
    return "    " + name + " [id=" + name + ", shape=box, style=dashed, color=red, fontcolor=red, label="
           + dotQuoted(label) + ", tooltip=" + dotQuoted(tip) + "];\n";
}

// The notes of a cluster go to its top rank.
QByteArray noteRank(const ChartGraph &graph, const ChartCluster &cluster)
{
    QByteArray names;
    for (int pos : cluster.nodes)
        if (graph.nodes.at(pos).shape == ChartShape::Note)
            names += ' ' + chartNodeName(pos) + ';';
    return names.isEmpty() ? QByteArray() : "    { rank=min;" + names + " }\n";
}

QByteArray clusterBlock(const ChartGraph &graph, int index)
{
    const ChartCluster &cluster = graph.clusters.at(index);
    const QByteArray name = chartClusterName(index);
    QByteArray block = "  subgraph " + name + " {\n    id=" + name + "; label=" + dotQuoted(cluster.title)
                       + "; labeljust=l; style=rounded; color=gray50;\n";
    for (int pos : cluster.nodes)
        block += nodeLine(graph.nodes.at(pos));
    for (int stub = 0; stub < graph.stubs.size(); ++stub)
        if (graph.stubs.at(stub).cluster == index)
            block += stubLine(graph, stub);
    block += noteRank(graph, cluster);
    return block + "  }\n";
}

QByteArray edgeLine(const ChartGraph &graph, int index)
{
    const ChartEdge &edge = graph.edges.at(index);
    const QByteArray to = edge.to >= 0 ? chartNodeName(edge.to) : chartStubName(edge.stub);
    return "  " + chartNodeName(edge.from) + " -> " + to + " [id=" + chartEdgeName(index)
           + linkLabel(edge.link) + "];\n";
}

} // namespace

QByteArray chartNodeName(int position)
{
    return "b" + QByteArray::number(position);
}

QByteArray chartStubName(int stub)
{
    return "s" + QByteArray::number(stub);
}

QByteArray chartEdgeName(int edge)
{
    return "e" + QByteArray::number(edge);
}

QByteArray chartClusterName(int cluster)
{
    return "cluster_" + QByteArray::number(cluster);
}

QByteArray dotQuoted(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\') + QString(c);
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            escaped += QLatin1Char(' ');
        else
            escaped += c;
    }
    return '"' + escaped.toUtf8() + '"';
}

QByteArray chartDotSource(const ChartGraph &graph)
{
    QByteArray dot = kGraphHeader;
    for (int c = 0; c < graph.clusters.size(); ++c)
        dot += clusterBlock(graph, c);
    for (int e = 0; e < graph.edges.size(); ++e)
        dot += edgeLine(graph, e);
    return dot + "}\n";
}
