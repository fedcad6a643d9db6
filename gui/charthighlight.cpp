#include "gui/charthighlight.h"

#include <QHash>

namespace {

ChartLink chartLinkOf(PathLinkKind kind)
{
    switch (kind) {
    case PathLinkKind::Next0:
        return ChartLink::Next0;
    case PathLinkKind::Next1:
        return ChartLink::Next1;
    case PathLinkKind::ConnectorJump:
        return ChartLink::ConnectorJump;
    case PathLinkKind::Next:
        break;
    }
    return ChartLink::Next;
}

bool inGraph(const ChartGraph &graph, qint32 position)
{
    return position >= 0 && position < graph.nodes.size();
}

// The edge of a link; -1 when the chart has none (the walk and the chart disagree only
// when the results belong to another version of the file).
int edgeOf(const ChartGraph &graph, const PathLink &link)
{
    const ChartLink kind = chartLinkOf(link.kind);
    for (int e = 0; e < graph.edges.size(); ++e) {
        const ChartEdge &edge = graph.edges.at(e);
        if (edge.from == link.from && edge.to == link.to && edge.link == kind)
            return e;
    }
    return -1;
}

void addDiagram(const ChartGraph &graph, const DiagramPath &diagram, ChartHighlight &marks)
{
    if (diagram.state.isValid() && inGraph(graph, diagram.state.it))
        marks.states.insert(diagram.state.it);
    for (qint32 pos : diagram.boxes)
        if (inGraph(graph, pos))
            marks.walked.insert(pos);
    for (const PathLink &link : diagram.links)
        if (const int e = edgeOf(graph, link); e >= 0)
            marks.taken.insert(e);
}

} // namespace

ChartHighlight chartHighlightAt(const ChartGraph &graph, const RunResults &results, int cycle)
{
    ChartHighlight marks;
    if (cycle < 0 || cycle >= results.paths.size())
        return marks;
    for (const DiagramPath &diagram : results.paths.at(cycle).diagrams)
        addDiagram(graph, diagram, marks);
    for (const ResultVerification &v : results.verifications) {
        if (v.cycle != cycle || v.correct || !inGraph(graph, v.box.it))
            continue;
        marks.wrong[v.box.it] << QStringLiteral("%1 esperado %2, simulado %3").arg(v.signal).arg(v.expected).arg(v.actual);
    }
    return marks;
}
