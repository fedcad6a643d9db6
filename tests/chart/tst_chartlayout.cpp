// The chart laid out in process: what is read back lies where it should, the SVG is well
// formed, layouts from two threads at once agree with one alone, and bad input fails
// with a text, never a crash.

#include "chart/chartdot.h"
#include "chart/chartlayout.h"
#include "chartdata.h"
#include "testmain.h"

#include <QFile>
#include <QLineF>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <thread>
#include <vector>

namespace {

// Loose enough for a rectangle's corner and the pen: a point belongs to a node when it
// is within its half diagonal of the centre.
bool nearNode(const ChartNodeLayout &node, QPointF point)
{
    const double reach = QLineF(QPointF(0, 0), QPointF(node.size.width(), node.size.height())).length() / 2 + 2;
    return QLineF(node.centre, point).length() <= reach;
}

ChartLayout laidOut(const QString &file)
{
    ChartLayout layout;
    QString error;
    if (!layoutChart(chartOfDataFile(file), &layout, &error))
        qWarning("%s", qPrintable(error));
    return layout;
}

// Boxes and stubs in one index: the layout lists the boxes first, then the stubs.
const ChartNodeLayout &endOf(const ChartLayout &layout, const ChartGraph &graph, const ChartEdge &edge)
{
    return layout.nodes.at(edge.to >= 0 ? edge.to : int(graph.nodes.size()) + edge.stub);
}

QByteArray bigDesign(int boxes)
{
    QByteArray text;
    for (int id = 1; id <= boxes; ++id)
        text += "Box {\n  Id = " + QByteArray::number(id) + ";\n  Type = SyncOps;\n  Text = \"Q <= "
                + QByteArray::number(id) + ";\";\n  Next = " + QByteArray::number(id % boxes + 1) + ";\n}\n";
    return text;
}

} // namespace

class TestChartLayout : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeDesign(const QString &name, const QByteArray &text)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(text);
        return path;
    }

private slots:
    // Every node and stub comes back, inside the bounding box; every edge leaves its
    // from-node and reaches its to-node; every node lies in its cluster's box; the decision
    // exits carry their labels and the edges their arrows.
    void readBackLiesWhereItShould_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("two diagrams") << QStringLiteral("chart-two-diagrams.vdo");
        QTest::newRow("odd links") << QStringLiteral("chart-odd-links.vdo");
    }
    void readBackLiesWhereItShould()
    {
        QFETCH(QString, file);
        const ChartGraph graph = chartOfDataFile(file);
        ChartLayout layout;
        QString error;
        QVERIFY2(layoutChart(graph, &layout, &error), qPrintable(error));
        QVERIFY(error.isEmpty());
        QCOMPARE(layout.nodes.size(), graph.nodes.size() + graph.stubs.size());
        QCOMPARE(layout.edges.size(), graph.edges.size());
        QCOMPARE(layout.clusters.size(), graph.clusters.size());
        QCOMPARE(layout.boundingBox.topLeft(), QPointF(0, 0));
        const QRectF bounds = layout.boundingBox.adjusted(-0.5, -0.5, 0.5, 0.5);
        for (int i = 0; i < layout.nodes.size(); ++i) {
            const ChartNodeLayout &node = layout.nodes.at(i);
            const bool isBox = i < graph.nodes.size();
            QCOMPARE(node.position, isBox ? i : -1);
            QCOMPARE(node.stub, isBox ? -1 : i - int(graph.nodes.size()));
            if (isBox)
                QCOMPARE(node.shape, graph.nodes.at(i).shape);
            QVERIFY(node.size.width() > 0 && node.size.height() > 0);
            QVERIFY(bounds.contains(QRectF(node.centre - QPointF(node.size.width(), node.size.height()) / 2, node.size)));
            const int cluster = isBox ? graph.nodes.at(i).cluster : graph.stubs.at(node.stub).cluster;
            QVERIFY(layout.clusters.at(cluster).box.adjusted(-0.5, -0.5, 0.5, 0.5).contains(node.centre));
        }
        for (int e = 0; e < layout.edges.size(); ++e) {
            const ChartEdgeLayout &edge = layout.edges.at(e);
            const ChartEdge &link = graph.edges.at(e);
            QCOMPARE(edge.edge, e);
            QVERIFY(edge.bezier.size() >= 4 && (edge.bezier.size() - 1) % 3 == 0);
            QVERIFY2(nearNode(layout.nodes.at(link.from), edge.bezier.first()), qPrintable(QString::number(e)));
            QVERIFY(edge.hasArrow);
            QVERIFY(nearNode(endOf(layout, graph, link), edge.arrowTip));
            QCOMPARE(edge.hasLabel, link.link == ChartLink::Next0 || link.link == ChartLink::Next1);
            if (edge.hasLabel)
                QVERIFY(QLineF(edge.labelCentre, edge.bezier.first()).length() < 40);
        }
        for (int c = 0; c < layout.clusters.size(); ++c) {
            QCOMPARE(layout.clusters.at(c).cluster, c);
            QCOMPARE(layout.clusters.at(c).title, graph.clusters.at(c).title);
        }
    }

    // The notes of a diagram sit on its top rank: none lies below a box of another kind.
    void notesAreOnTop()
    {
        const ChartGraph graph = chartOfDataFile(QStringLiteral("chart-two-diagrams.vdo"));
        const ChartLayout layout = laidOut(QStringLiteral("chart-two-diagrams.vdo"));
        for (const int note : {0, 1})
            for (const int other : {2, 3, 4, 5})
                QVERIFY(layout.nodes.at(note).centre.y() < layout.nodes.at(other).centre.y());
        QCOMPARE(layout.nodes.at(0).centre.y(), layout.nodes.at(1).centre.y());
        QCOMPARE(graph.nodes.at(6).shape, ChartShape::Note);
        QVERIFY(layout.nodes.at(6).centre.y() < layout.nodes.at(7).centre.y());
    }

    // Graphviz's SVG is well-formed XML with a group per box, per stub and per link.
    void svgIsWellFormed()
    {
        const ChartGraph graph = chartOfDataFile(QStringLiteral("chart-odd-links.vdo"));
        QString error;
        const QByteArray svg = renderChartSvg(graph, &error);
        QVERIFY2(!svg.isEmpty(), qPrintable(error));
        QXmlStreamReader xml(svg);
        QStringList ids;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("g"))
                ids << xml.attributes().value(QLatin1String("id")).toString();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        for (const char *id : {"b0", "b7", "s0", "e0", "e6", "cluster_2"})
            QVERIFY2(ids.contains(QLatin1String(id)), id);
        QVERIFY(svg.contains("Cajas sin diagrama"));
        QVERIFY(svg.contains("Ñ &lt;= 1; \\ fin"));
    }

    // Layouts from two threads at once come out as one alone lays them out. Plain threads,
    // whose join ThreadSanitizer sees.
    void twoThreadsAtOnce()
    {
        const QStringList files{QStringLiteral("chart-two-diagrams.vdo"), QStringLiteral("chart-odd-links.vdo")};
        auto centres = [](const ChartLayout &layout) {
            QVector<QPointF> points;
            for (const ChartNodeLayout &node : layout.nodes)
                points << node.centre;
            return points;
        };
        const ChartGraph graphs[2] = {chartOfDataFile(files.at(0)), chartOfDataFile(files.at(1))};
        QVector<QPointF> alone[2], together[2];
        bool ok[2] = {true, true};
        for (int i = 0; i < 2; ++i)
            alone[i] = centres(laidOut(files.at(i)));
        std::vector<std::thread> threads;
        for (int i = 0; i < 2; ++i) {
            threads.emplace_back([&, i] {
                for (int round = 0; round < 5; ++round) {
                    ChartLayout layout;
                    ok[i] = ok[i] && layoutChart(graphs[i], &layout, nullptr);
                    ok[i] = ok[i] && !renderChartSvg(graphs[i], nullptr).isEmpty();
                    together[i] = centres(layout);
                }
            });
        }
        for (std::thread &thread : threads)
            thread.join();
        for (int i = 0; i < 2; ++i) {
            QVERIFY(ok[i]);
            QCOMPARE(together[i], alone[i]);
        }
    }

    // Bad source fails with Graphviz's reason and leaves the next layout working.
    void badSourceFailsCleanly()
    {
        ChartLayout layout;
        QString error;
        QVERIFY(!layoutDotSource("digraph { a -> ; }", &layout, &error));
        QVERIFY(error.startsWith(QStringLiteral("El grafo no se pudo leer")));
        QVERIFY(!layoutDotSource(QByteArray("\0\xff{{{", 6), &layout, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(layoutDotSource("digraph { b0 -> b1 [id=e0]; }", &layout, &error));
        QVERIFY(error.isEmpty());
        QCOMPARE(layout.nodes.size(), 2);
        QCOMPARE(layout.edges.size(), 1);
        // A label that ends in a backslash still ends where it should: two nodes, one edge.
        for (const char *text : {"x\\", "x\\\\", "\\\"\\"}) {
            const QByteArray source = "digraph { b0 [label=" + dotQuoted(QLatin1String(text)) + "]; b0 -> b1 [id=e0]; }";
            QVERIFY2(layoutDotSource(source, &layout, &error), qPrintable(error + QLatin1String(source)));
            QCOMPARE(layout.nodes.size(), 2);
        }
    }

    // A missing file and a file without boxes have no chart; a design past the reader's
    // room is cut to 300 boxes and still laid out.
    void unreadableAndHugeDesigns()
    {
        ChartGraph graph;
        QString error;
        QVERIFY(!chartOfDesign(m_dir.filePath(QStringLiteral("missing.vdo")), &graph, &error));
        QVERIFY(error.startsWith(QStringLiteral("No se puede leer el diseño")));
        QVERIFY(!chartOfDesign(writeDesign(QStringLiteral("empty.vdo"), "no boxes here\n"), &graph, &error));
        QVERIFY(error.contains(QStringLiteral("no tiene ninguna caja")));

        QVERIFY(chartOfDesign(writeDesign(QStringLiteral("big.vdo"), bigDesign(400)), &graph, &error));
        QCOMPARE(graph.nodes.size(), 300);
        // Box 300 links to 301, which the reader left out: a stub.
        QCOMPARE(graph.stubs.size(), 1);
        QCOMPARE(graph.stubs.at(0).id, 301);
        ChartLayout layout;
        QVERIFY2(layoutChart(graph, &layout, &error), qPrintable(error));
        QCOMPARE(layout.nodes.size(), 301);
    }
};

ASMSIM_REGISTER_TEST(TestChartLayout)
#include "tst_chartlayout.moc"
