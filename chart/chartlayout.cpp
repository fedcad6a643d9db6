#include "chart/chartlayout.h"

#include "chart/chartdot.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <QMutex>
#include <QMutexLocker>
#include <algorithm>

namespace {

// Graphviz keeps global state (its context, the parser, the error hook): one caller at
// a time, process-wide.
QMutex &graphvizLock()
{
    static QMutex lock;
    return lock;
}

// Messages Graphviz reports during the call that holds the lock.
QString &capturedMessages()
{
    static QString messages;
    return messages;
}

int captureMessage(char *message)
{
    capturedMessages() += QString::fromUtf8(message);
    return 0;
}

// The one context, made on first use under the lock and kept for the life of the process:
// making one loads the plugins, which is slow.
GVC_t *graphvizContext()
{
    static GVC_t *context = nullptr;
    if (!context) {
        agseterrf(captureMessage);
        agseterr(AGWARN);
        context = gvContext();
    }
    return context;
}

QString failure(const char *what)
{
    QString text = QString::fromUtf8(what);
    const QString details = capturedMessages().trimmed();
    if (!details.isEmpty())
        text += QStringLiteral(": ") + details;
    return text;
}

// A parsed graph that is closed (its layout freed first, when it has one) on every way out.
class ParsedGraph {
public:
    ParsedGraph(GVC_t *context, const QByteArray &source) : m_context(context)
    {
        // agmemread takes a mutable string in some releases.
        QByteArray copy = source;
        m_graph = agmemread(copy.data());
    }
    ~ParsedGraph()
    {
        if (m_graph && m_laidOut)
            gvFreeLayout(m_context, m_graph);
        if (m_graph)
            agclose(m_graph);
    }
    ParsedGraph(const ParsedGraph &) = delete;
    ParsedGraph &operator=(const ParsedGraph &) = delete;

    Agraph_t *graph() const { return m_graph; }
    bool layOut()
    {
        m_laidOut = gvLayout(m_context, m_graph, "dot") == 0;
        return m_laidOut;
    }

private:
    GVC_t *m_context;
    Agraph_t *m_graph = nullptr;
    bool m_laidOut = false;
};

// Reads the number after a one-letter prefix of a name ("b12" → 12); -1 for another prefix.
int numberAfter(const char *name, char prefix)
{
    if (!name || name[0] != prefix || name[1] == '\0')
        return -1;
    bool ok = false;
    const int value = QByteArray(name + 1).toInt(&ok);
    return ok && value >= 0 ? value : -1;
}

struct Frame {
    double left = 0;
    double top = 0;
    QPointF map(pointf p) const { return {p.x - left, top - p.y}; }
    QRectF map(boxf b) const { return QRectF(map(pointf{b.LL.x, b.UR.y}), map(pointf{b.UR.x, b.LL.y})); }
};

void readNodes(Agraph_t *g, const Frame &frame, ChartLayout &layout)
{
    for (Agnode_t *n = agfstnode(g); n; n = agnxtnode(g, n)) {
        ChartNodeLayout node;
        node.position = numberAfter(agnameof(n), 'b');
        node.stub = numberAfter(agnameof(n), 's');
        if (node.position < 0 && node.stub < 0)
            continue;
        node.centre = frame.map(ND_coord(n));
        node.size = QSizeF(ND_width(n) * 72.0, ND_height(n) * 72.0);
        layout.nodes.append(node);
    }
    std::sort(layout.nodes.begin(), layout.nodes.end(), [](const ChartNodeLayout &a, const ChartNodeLayout &b) {
        const bool aStub = a.position < 0, bStub = b.position < 0;
        if (aStub != bStub)
            return bStub;
        return aStub ? a.stub < b.stub : a.position < b.position;
    });
}

void readEdges(Agraph_t *g, const Frame &frame, ChartLayout &layout)
{
    for (Agnode_t *n = agfstnode(g); n; n = agnxtnode(g, n)) {
        for (Agedge_t *e = agfstout(g, n); e; e = agnxtout(g, e)) {
            ChartEdgeLayout edge;
            edge.edge = numberAfter(agget(e, const_cast<char *>("id")), 'e');
            if (edge.edge < 0)
                continue;
            if (const splines *spl = ED_spl(e)) {
                for (int i = 0; i < spl->size; ++i) {
                    const bezier &bz = spl->list[i];
                    for (int k = 0; k < bz.size; ++k)
                        edge.bezier.append(frame.map(bz.list[k]));
                    if (bz.eflag) {
                        edge.hasArrow = true;
                        edge.arrowTip = frame.map(bz.ep);
                    }
                }
            }
            const textlabel_t *label = ED_tail_label(e) ? ED_tail_label(e) : ED_label(e);
            if (label && label->set) {
                edge.hasLabel = true;
                edge.labelCentre = frame.map(label->pos);
            }
            layout.edges.append(edge);
        }
    }
    std::sort(layout.edges.begin(), layout.edges.end(),
              [](const ChartEdgeLayout &a, const ChartEdgeLayout &b) { return a.edge < b.edge; });
}

void readClusters(Agraph_t *g, const Frame &frame, ChartLayout &layout)
{
    for (int i = 1; i <= GD_n_cluster(g); ++i) {
        Agraph_t *sub = GD_clust(g)[i];
        const QByteArray name = agnameof(sub);
        bool ok = false;
        const int index = name.startsWith("cluster_") ? name.mid(8).toInt(&ok) : -1;
        if (!ok)
            continue;
        const textlabel_t *label = GD_label(sub);
        layout.clusters.append({index, frame.map(GD_bb(sub)), label ? QString::fromUtf8(label->text) : QString()});
    }
    std::sort(layout.clusters.begin(), layout.clusters.end(),
              [](const ChartClusterLayout &a, const ChartClusterLayout &b) { return a.cluster < b.cluster; });
}

// Parses and lays out the source under the lock, then hands the laid-out graph to read.
template<typename Read>
bool withLaidOutGraph(const QByteArray &source, QString *error, Read read)
{
    QMutexLocker locker(&graphvizLock());
    GVC_t *context = graphvizContext();
    capturedMessages().clear();
    QString problem;
    if (!context) {
        problem = QStringLiteral("Graphviz no se pudo iniciar");
    } else {
        ParsedGraph parsed(context, source);
        if (!parsed.graph())
            problem = failure("El grafo no se pudo leer");
        else if (!parsed.layOut())
            problem = failure("La disposición del grafo falló");
        else
            problem = read(context, parsed.graph());
    }
    capturedMessages().clear();
    if (error)
        *error = problem;
    return problem.isEmpty();
}

} // namespace

// Fontconfig (through Graphviz's text layout) keeps its font cache for the life of the
// process, and Graphviz its plugin tables: not leaks of a layout. The leak checker of the
// sanitizer builds reads this; elsewhere it is never called.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libgvc\nleak:libpango\nleak:libcairo\n";
}

bool layoutDotSource(const QByteArray &source, ChartLayout *layout, QString *error)
{
    return withLaidOutGraph(source, error, [layout](GVC_t *, Agraph_t *g) {
        ChartLayout result;
        const boxf bb = GD_bb(g);
        const Frame frame{bb.LL.x, bb.UR.y};
        result.boundingBox = QRectF(0, 0, bb.UR.x - bb.LL.x, bb.UR.y - bb.LL.y);
        readNodes(g, frame, result);
        readEdges(g, frame, result);
        readClusters(g, frame, result);
        if (layout)
            *layout = result;
        return QString();
    });
}

bool layoutChart(const ChartGraph &graph, ChartLayout *layout, QString *error)
{
    ChartLayout result;
    if (!layoutDotSource(chartDotSource(graph), &result, error))
        return false;
    for (ChartNodeLayout &node : result.nodes)
        node.shape = node.position >= 0 && node.position < graph.nodes.size() ? graph.nodes.at(node.position).shape
                                                                              : ChartShape::Operations;
    for (ChartClusterLayout &cluster : result.clusters)
        if (cluster.cluster >= 0 && cluster.cluster < graph.clusters.size())
            cluster.title = graph.clusters.at(cluster.cluster).title;
    if (layout)
        *layout = result;
    return true;
}

QByteArray renderChartSvg(const ChartGraph &graph, QString *error)
{
    QByteArray svg;
    withLaidOutGraph(chartDotSource(graph), error, [&svg](GVC_t *context, Agraph_t *g) {
        char *data = nullptr;
        unsigned int length = 0;
        if (gvRenderData(context, g, "svg", &data, &length) != 0 || !data)
            return failure("El dibujo SVG falló");
        svg = QByteArray(data, int(length));
        gvFreeRenderData(data);
        return QString();
    });
    return svg;
}
