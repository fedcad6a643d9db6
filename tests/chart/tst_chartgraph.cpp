// The chart's graph and its dot source for hand-made designs: every box, every link (a
// stub for an ID no box carries), connectors and their dashed links, the clusters of the
// diagrams and of the unreached boxes, and the same bytes every time.

#include "chart/chartdot.h"
#include "chart/chartgraph.h"
#include "chartdata.h"
#include "testmain.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

struct Link {
    int from;
    int to;    // -1 for a stub
    int stub;  // -1 for a box
    ChartLink link;
};

void compareEdges(const ChartGraph &graph, const QVector<Link> &expected)
{
    QCOMPARE(graph.edges.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const ChartEdge &edge = graph.edges.at(i);
        const Link &want = expected.at(i);
        QVERIFY2(edge.from == want.from && edge.to == want.to && edge.stub == want.stub && edge.link == want.link,
                 qPrintable(QStringLiteral("edge %1: %2 -> %3 / stub %4").arg(i).arg(edge.from).arg(edge.to).arg(edge.stub)));
    }
}

QVector<int> clusterOfEachNode(const ChartGraph &graph)
{
    QVector<int> clusters;
    for (const ChartNode &node : graph.nodes)
        clusters << node.cluster;
    return clusters;
}

} // namespace

class TestChartGraph : public QObject {
    Q_OBJECT

private slots:
    // A design and its test bench: the decision's exits, the connector S0 that stands for
    // the first S0, each diagram a cluster titled with its kind and Header text.
    void twoDiagrams()
    {
        const ChartGraph graph = chartOfDataFile(QStringLiteral("chart-two-diagrams.vdo"));
        QCOMPARE(graph.nodes.size(), 9);
        const QVector<ChartShape> shapes{ChartShape::Note,     ChartShape::Note,       ChartShape::StateBox,
                                         ChartShape::Decision, ChartShape::Operations, ChartShape::Connector,
                                         ChartShape::Note,     ChartShape::StateBox,   ChartShape::StateBox};
        for (int pos = 0; pos < shapes.size(); ++pos) {
            QCOMPARE(graph.nodes.at(pos).position, pos);
            QCOMPARE(graph.nodes.at(pos).shape, shapes.at(pos));
        }
        QCOMPARE(graph.nodes.at(3).id, 13);
        QCOMPARE(graph.nodes.at(3).typeName, QStringLiteral("Decision"));
        QCOMPARE(graph.nodes.at(1).label, QStringLiteral("INPUT CLK, EN\nOUTPUT Q"));
        QCOMPARE(graph.nodes.at(7).label, QStringLiteral("<2>\nTB.EN <= 1"));
        QVERIFY(!graph.nodes.at(5).loneConnector);
        compareEdges(graph, {{0, 1, -1, ChartLink::Next},
                             {1, 2, -1, ChartLink::Next},
                             {2, 3, -1, ChartLink::Next},
                             {3, 2, -1, ChartLink::Next0},
                             {3, 4, -1, ChartLink::Next1},
                             {4, 5, -1, ChartLink::Next},
                             {5, 2, -1, ChartLink::ConnectorJump},
                             {6, 7, -1, ChartLink::Next},
                             {7, 8, -1, ChartLink::Next}});
        QVERIFY(graph.stubs.isEmpty());
        QCOMPARE(graph.clusters.size(), 2);
        QCOMPARE(graph.clusters.at(0).title, QStringLiteral("Design: CUENTA"));
        QCOMPARE(graph.clusters.at(1).title, QStringLiteral("TestBench: BANCO"));
        QCOMPARE(graph.clusters.at(0).nodes, (QVector<int>{0, 1, 2, 3, 4, 5}));
        QCOMPARE(graph.clusters.at(1).nodes, (QVector<int>{6, 7, 8}));
    }

    // Odd links: a duplicate ID (the later box wins), a link to an ID no box carries (a
    // stub in the cluster of the box it leaves), links of 0 and -1 (none), a connector
    // whose name no other box carries (alone, marked), and two boxes only each other
    // reach (a cluster of their own). Without a Header the root's name titles a diagram.
    void oddLinks()
    {
        const ChartGraph graph = chartOfDataFile(QStringLiteral("chart-odd-links.vdo"));
        QCOMPARE(graph.nodes.size(), 8);
        compareEdges(graph, {{0, 1, -1, ChartLink::Next},
                             {1, 4, -1, ChartLink::Next},
                             {2, -1, 0, ChartLink::Next},
                             {3, 5, -1, ChartLink::Next0},
                             {4, 5, -1, ChartLink::Next},
                             {6, 7, -1, ChartLink::Next},
                             {7, 6, -1, ChartLink::Next}});
        QCOMPARE(graph.stubs.size(), 1);
        QCOMPARE(graph.stubs.at(0).id, 99);
        QCOMPARE(graph.stubs.at(0).cluster, 2);
        QCOMPARE(graph.nodes.at(5).shape, ChartShape::Connector);
        QVERIFY(graph.nodes.at(5).loneConnector);
        QCOMPARE(clusterOfEachNode(graph), (QVector<int>{0, 0, 2, 1, 0, 0, 2, 2}));
        QCOMPARE(graph.clusters.size(), 3);
        QCOMPARE(graph.clusters.at(0).title, QStringLiteral("Design: A"));
        QCOMPARE(graph.clusters.at(1).title, QStringLiteral("Design: X == 1"));
        QCOMPARE(graph.clusters.at(2).root, -1);
        QCOMPARE(graph.clusters.at(2).title, QStringLiteral("Cajas sin diagrama"));
        QCOMPARE(graph.nodes.at(4).fullText, QStringLiteral("X == 1\nZ <= 1;"));
        QCOMPARE(graph.nodes.at(6).label, QStringLiteral("Ñ <= 1; \\ fin"));
    }

    // Every box and every link of both designs is in the source, named by position.
    void dotHoldsEveryBoxAndLink_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("two diagrams") << QStringLiteral("chart-two-diagrams.vdo")
                                      << QStringList{"subgraph cluster_0 {", "label=\"Design: CUENTA\"",
                                                     "subgraph cluster_1 {", "label=\"TestBench: BANCO\"",
                                                     "b0 [id=b0, shape=note, label=\"CUENTA\"",
                                                     "b3 [id=b3, shape=diamond, label=\"EN == 1\"",
                                                     "b5 [id=b5, shape=circle", "b8 [id=b8, shape=box",
                                                     "{ rank=min; b0; b1; }", "{ rank=min; b6; }",
                                                     "b0 -> b1 [id=e0]", "b1 -> b2 [id=e1]", "b2 -> b3 [id=e2]",
                                                     "b3 -> b2 [id=e3, taillabel=\"0\"]",
                                                     "b3 -> b4 [id=e4, taillabel=\"1\"]", "b4 -> b5 [id=e5]",
                                                     "b5 -> b2 [id=e6, style=dashed", "b6 -> b7 [id=e7]",
                                                     "b7 -> b8 [id=e8]"};
        QTest::newRow("odd links") << QStringLiteral("chart-odd-links.vdo")
                                   << QStringList{"subgraph cluster_2 {", "label=\"Cajas sin diagrama\"",
                                                  "s0 [id=s0, shape=box, style=dashed, color=red",
                                                  "label=\"ID 99?\"", "b5 [id=b5, shape=circle",
                                                  "color=red, fontcolor=red, peripheries=2",
                                                  "b0 -> b1 [id=e0]", "b1 -> b4 [id=e1]", "b2 -> s0 [id=e2]",
                                                  "b3 -> b5 [id=e3, taillabel=\"0\"]", "b4 -> b5 [id=e4]",
                                                  "b6 -> b7 [id=e5]", "b7 -> b6 [id=e6]",
                                                  "label=\"Ñ <= 1; \\\\ fin\""};
    }
    void dotHoldsEveryBoxAndLink()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, lines);
        const ChartGraph graph = chartOfDataFile(file);
        const QByteArray dot = chartDotSource(graph);
        for (const QString &line : lines)
            QVERIFY2(dot.contains(line.toUtf8()), qPrintable(line));
        for (int pos = 0; pos < graph.nodes.size(); ++pos)
            QVERIFY(dot.contains("    b" + QByteArray::number(pos) + " [id="));
        QCOMPARE(dot.count(" -> "), graph.edges.size());
        QVERIFY(dot.contains("nslimit=") && dot.contains("nslimit1=") && dot.contains("mclimit=")
                && dot.contains("searchsize="));
    }

    // The same design gives the same bytes, twice from one graph and from a second load.
    void dotIsDeterministic()
    {
        for (const char *file : {"chart-two-diagrams.vdo", "chart-odd-links.vdo"}) {
            const ChartGraph first = chartOfDataFile(QLatin1String(file));
            const QByteArray dot = chartDotSource(first);
            QCOMPARE(chartDotSource(first), dot);
            QCOMPARE(chartDotSource(chartOfDataFile(QLatin1String(file))), dot);
        }
    }

    // Quotes and backslashes escaped, line breaks as \n, other control characters blank,
    // non-ASCII kept as UTF-8.
    void dotQuotingIsSafe()
    {
        QCOMPARE(dotQuoted(QStringLiteral("a\"b\\c\nd\te\r")), QByteArray("\"a\\\"b\\\\c\\nd e \""));
        QCOMPARE(dotQuoted(QStringLiteral("año → ∑")), QByteArray("\"a\xc3\xb1o \xe2\x86\x92 \xe2\x88\x91\""));
        QCOMPARE(dotQuoted(QString()), QByteArray("\"\""));
        QCOMPARE(dotQuoted(QStringLiteral("a\\")), QByteArray("\"a\\\\\""));
    }

    // A line longer than the bound keeps one character less and "…"; past the row bound
    // the last shown row is "…".
    void longTextsAreCut()
    {
        const QString longLine(40, QLatin1Char('x'));
        QCOMPARE(cutChartLabel({longLine}), QString(31, QLatin1Char('x')) + QChar(0x2026));
        QCOMPARE(cutChartLabel({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                                QStringLiteral("e"), QStringLiteral("f"), QStringLiteral("g")}),
                 QStringLiteral("a\nb\nc\nd\ne\n…"));
        const ChartGraph graph = chartOfDataFile(QStringLiteral("chart-odd-links.vdo"));
        QCOMPARE(graph.nodes.at(7).label, QStringLiteral("P <= P + 1234567890 + 123456789…"));
        QCOMPARE(graph.nodes.at(7).fullText, QStringLiteral("P <= P + 1234567890 + 1234567890 + 1;"));
    }

    // Graphviz's own dot reads the source without a word and draws it.
    void realDotAcceptsTheSource()
    {
        const QString dotProgram = QStandardPaths::findExecutable(QStringLiteral("dot"));
        if (dotProgram.isEmpty())
            QSKIP("Graphviz's dot is not installed");
        for (const char *file : {"chart-two-diagrams.vdo", "chart-odd-links.vdo"}) {
            QProcess dot;
            dot.start(dotProgram, {QStringLiteral("-Tsvg")});
            QVERIFY(dot.waitForStarted());
            dot.write(chartDotSource(chartOfDataFile(QLatin1String(file))));
            dot.closeWriteChannel();
            QVERIFY(dot.waitForFinished(30000));
            QCOMPARE(dot.exitCode(), 0);
            QCOMPARE(dot.readAllStandardError(), QByteArray());
            QVERIFY(dot.readAllStandardOutput().contains("</svg>"));
        }
    }
};

ASMSIM_REGISTER_TEST(TestChartGraph)
#include "tst_chartgraph.moc"
