// The chart view: what it paints at a cycle, sampled at the places the layout gives;
// the cycle shared with the waveform cursor and chosen with the keys; a click on a box
// going to its Id line; the chart following the saved file, and the window working on
// when a layout fails or takes too long.
//
// path-decision.vdo, by position/ID: the design is 0/10 Header, 1/11 Ports,
// 2/12 ThreadSync, 3/13 state A, 4/14 decision «X == 1» (Next0 to A, Next1 to B),
// 5/15 state B, 6/16 SyncOps «Y <= 1;», 7/17 connector A (jumps to A); the test bench
// is 8/20 Header, 9/21 ThreadSync, 10/22 to 12/24 its states and 13/25 the end. Its
// cycle 2, worked out from the test bench: X is 1 from cycle 2, so the design walks
// A -> decision -> B (by exit 1) and stands in B; the test bench walks its state 11/23
// and stands in 12/24. Its verification at cycle 4, «=> @2 TB.Y == 1», checks Y and
// belongs to 12/24.

#include "chart/chartfile.h"
#include "chart/chartlayout.h"
#include "core/panesink.h"
#include "gui/chartloader.h"
#include "gui/chartview.h"
#include "gui/codeeditor.h"
#include "gui/linepanemodel.h"
#include "gui/mainwindow.h"
#include "gui/statuscolours.h"
#include "gui/waveformview.h"
#include "run/collectresults.h"
#include "run/rundriver.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainterPath>
#include <QScrollBar>
#include <QSemaphore>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <memory>

namespace {

const QColor kBase(0xff, 0xff, 0xff);
const QColor kText(0x00, 0x00, 0x00);
const QColor kHighlight(0x30, 0x60, 0xc0);

QString dataFile(const QString &name)
{
    return QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(name);
}

RunResults runDesign(const QString &path)
{
    QTemporaryDir dir;
    MemorySink sink;
    SimState state(&sink);
    state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
    runSimulation(state, path);
    return collectRunResults(state);
}

QPalette lightPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Base, kBase);
    palette.setColor(QPalette::Text, kText);
    palette.setColor(QPalette::Window, QColor(0xe0, 0xe0, 0xe0));
    palette.setColor(QPalette::WindowText, kText);
    palette.setColor(QPalette::Highlight, kHighlight);
    return palette;
}

// A box's rectangle in viewport pixels.
QRectF boxRect(const ChartView &view, int position)
{
    const ChartNodeLayout &node = view.layout().nodes.at(position);
    const QPointF half(node.size.width() / 2, node.size.height() / 2);
    return QRectF(view.toViewport(node.centre - half), view.toViewport(node.centre + half));
}

// A view of path-decision.vdo, laid out and run, at zoom 1, in a window of its own.
struct ChartFixture {
    ChartGraph graph;
    ChartLayout layout;
    RunResults results;
    std::unique_ptr<ChartView> view;

    bool make(const QPalette &palette)
    {
        const QString path = dataFile(QStringLiteral("path-decision.vdo"));
        QString error;
        if (!chartOfDesign(path, &graph, &error) || !layoutChart(graph, &layout, &error))
            return false;
        results = runDesign(path);
        view = std::make_unique<ChartView>();
        view->setPalette(palette);
        view->resize(1400, 900);
        view->setChart(graph, layout);
        view->setResults(results);
        view->show();
        if (!QTest::qWaitForWindowExposed(view.get()))
            return false;
        view->setZoom(1);
        return true;
    }

    QImage picture() const
    {
        QImage image = view->viewport()->grab().toImage();
        image.setDevicePixelRatio(1);
        return image;
    }
};

QColor pixel(const QImage &image, const QPointF &at)
{
    const qreal scale = image.width() / qreal(image.width() / qMax<qreal>(1, image.devicePixelRatio()));
    return QColor(image.pixel(qFloor(at.x() * scale), qFloor(at.y() * scale)));
}

// Inside a rectangular box near its top left corner, clear of its outline and of its
// centred texts.
QPointF insideTop(const QRectF &box)
{
    return box.topLeft() + QPointF(4, 4);
}

// Inside a decision, under its top corner.
QPointF underTopCorner(const QRectF &box)
{
    return QPointF(box.center().x(), box.top() + 5);
}

// On a box's left side: its outline.
QPointF onLeftSide(const QRectF &box)
{
    return QPointF(box.left(), box.center().y());
}

// The middle of the curve of the edge from one box to another.
QPointF middleOfEdge(const ChartView &view, int from, int to)
{
    for (const ChartEdgeLayout &edge : view.layout().edges) {
        const ChartEdge &e = view.graph().edges.at(edge.edge);
        if (e.from != from || e.to != to)
            continue;
        QPainterPath curve(edge.bezier.first());
        for (int i = 1; i + 2 < edge.bezier.size(); i += 3)
            curve.cubicTo(edge.bezier[i], edge.bezier[i + 1], edge.bezier[i + 2]);
        return view.toViewport(curve.pointAtPercent(0.5));
    }
    return {};
}

QPoint centreOf(const ChartView &view, int position)
{
    return view.toViewport(view.layout().nodes.at(position).centre).toPoint();
}

} // namespace

class TestChartView : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_settingsDir;
    QTemporaryDir m_work;
    QString m_oldOrganization, m_oldApplication, m_oldCurrentDir;

    QString copyOf(const QString &name)
    {
        const QString copy = QDir(m_work.path()).filePath(name);
        QFile::remove(copy);
        if (!QFile::copy(dataFile(name), copy))
            qWarning("could not copy %s", qPrintable(name));
        return copy;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_settingsDir = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir->path());
        m_oldOrganization = QCoreApplication::organizationName();
        m_oldApplication = QCoreApplication::applicationName();
        QCoreApplication::setOrganizationName(QStringLiteral("Brelloc"));
        QCoreApplication::setApplicationName(QStringLiteral("Simulador de circuitos digitales"));
        m_oldCurrentDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_work.path()));
    }

    void cleanupTestCase()
    {
        QDir::setCurrent(m_oldCurrentDir);
        QCoreApplication::setOrganizationName(m_oldOrganization);
        QCoreApplication::setApplicationName(m_oldApplication);
    }

    void init()
    {
        QSettings().clear();
        QSettings(QStringLiteral("Brelloc"), QStringLiteral("Tessivane")).clear();
        QSettings().setValue(QStringLiteral("showSimulatingMessage"), false);
    }

    // Cycle 2: B and the test bench's 12/24 filled; A, the decision and 11/23 walked and
    // outlined; the SyncOps and the connector neither. The decision's exit 1 is thick, its
    // exit 0 is not.
    void pixelsOfACycle()
    {
        ChartFixture f;
        QVERIFY(f.make(lightPalette()));
        f.view->setCycle(2);
        const QImage image = f.picture();
        const QColor fill = ChartView::stateFill(lightPalette());
        QVERIFY(fill != kBase && fill != kHighlight);

        // B was walked into; 12/24 is where the test bench stands, not yet walked.
        QCOMPARE(pixel(image, insideTop(boxRect(*f.view, 5))), fill);
        QCOMPARE(pixel(image, onLeftSide(boxRect(*f.view, 5))), kHighlight);
        QCOMPARE(pixel(image, insideTop(boxRect(*f.view, 12))), fill);
        QVERIFY(pixel(image, onLeftSide(boxRect(*f.view, 12))) != kHighlight);
        for (int walked : {3, 11}) {
            QCOMPARE(pixel(image, insideTop(boxRect(*f.view, walked))), kBase);
            QCOMPARE(pixel(image, onLeftSide(boxRect(*f.view, walked))), kHighlight);
        }
        // The decision's left corner, one pixel in.
        QCOMPARE(pixel(image, onLeftSide(boxRect(*f.view, 4)) + QPointF(1, 0)), kHighlight);
        for (int untouched : {6, 10}) {
            QCOMPARE(pixel(image, insideTop(boxRect(*f.view, untouched))), kBase);
            QVERIFY(pixel(image, onLeftSide(boxRect(*f.view, untouched))) != kHighlight);
        }
        QCOMPARE(pixel(image, middleOfEdge(*f.view, 4, 5)), kHighlight);
        QVERIFY(pixel(image, middleOfEdge(*f.view, 4, 3)) != kHighlight);
        QVERIFY(pixel(image, middleOfEdge(*f.view, 6, 7)) != kHighlight);

        // Cycle 3 goes from B back to A through the SyncOps and the connector's jump.
        f.view->setCycle(3);
        const QImage next = f.picture();
        QCOMPARE(pixel(next, insideTop(boxRect(*f.view, 3))), fill);
        QCOMPARE(pixel(next, onLeftSide(boxRect(*f.view, 6))), kHighlight);
        QCOMPARE(pixel(next, middleOfEdge(*f.view, 6, 7)), kHighlight);
        QCOMPARE(pixel(next, middleOfEdge(*f.view, 7, 3)), kHighlight);
        QCOMPARE(pixel(next, underTopCorner(boxRect(*f.view, 4))), kBase);
    }

    // A verification that came out wrong rings its test-bench box at its own cycle only;
    // the box's tooltip says what was expected.
    void wrongVerificationOnItsBox()
    {
        ChartFixture f;
        QVERIFY(f.make(lightPalette()));
        RunResults wrong = f.results;
        QCOMPARE(wrong.verifications.size(), 2);
        wrong.verifications[1].correct = false;
        wrong.verifications[1].actual = 0;
        f.view->setResults(wrong);
        const QColor error = errorColour(lightPalette());
        const QPointF ring = onLeftSide(boxRect(*f.view, 12)) - QPointF(3, 0);

        f.view->setCycle(4);
        QCOMPARE(pixel(f.picture(), ring), error);
        const QString tip = f.view->toolTipAt(centreOf(*f.view, 12));
        QVERIFY2(tip.contains(QStringLiteral("Verificación errónea en el ciclo 4: Y esperado 1, simulado 0")), qPrintable(tip));
        f.view->setCycle(3);
        QVERIFY(pixel(f.picture(), ring) != error);
        QVERIFY(!f.view->toolTipAt(centreOf(*f.view, 12)).contains(QStringLiteral("errónea")));
    }

    // In a dark palette the state's fill is still apart from the base and the text.
    void darkPalette()
    {
        QPalette dark = lightPalette();
        dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
        dark.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
        ChartFixture f;
        QVERIFY(f.make(dark));
        f.view->setCycle(2);
        const QImage image = f.picture();
        const QColor fill = pixel(image, insideTop(boxRect(*f.view, 5)));
        QCOMPARE(fill, ChartView::stateFill(dark));
        QVERIFY(fill != dark.color(QPalette::Base) && fill != dark.color(QPalette::Text));
        QCOMPARE(pixel(image, insideTop(boxRect(*f.view, 6))), dark.color(QPalette::Base));
        QCOMPARE(pixel(image, onLeftSide(boxRect(*f.view, 3))), dark.color(QPalette::Highlight));
    }

    // Hover: the box's ID, type and whole text; a box's Id line in the editor on a click,
    // not on a drag.
    void hoverAndClick()
    {
        MainWindow window;
        window.resize(1400, 900);
        window.loadFile(copyOf(QStringLiteral("path-decision.vdo")));
        window.reportTabs()->setCurrentWidget(window.chart()->parentWidget());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ChartView *view = window.chart();
        QTRY_VERIFY(view->hasChart());
        view->setZoom(1);
        QCOMPARE(view->toolTipAt(centreOf(*view, 4)), QStringLiteral("ID 14, Decision\nX == 1"));
        QCOMPARE(view->toolTipAt(centreOf(*view, 10)), QStringLiteral("ID 22, StateAsyncOps\n<1>\nTB.X <= 0\n=> TB.Y == 0"));
        QVERIFY(view->toolTipAt(QPoint(2, ChartView::kStripHeight + 2)).isEmpty());

        // Boxes of six lines, the decision's of seven: the Id lines are 2, 8, 14, 20, 26, 33.
        CodeEditor *editor = window.editor();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centreOf(*view, 4));
        QCOMPARE(editor->textCursor().blockNumber() + 1, 26);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centreOf(*view, 5));
        QCOMPARE(editor->textCursor().blockNumber() + 1, 33);

        // A drag pans and goes nowhere.
        view->setZoom(3);
        QTRY_VERIFY(view->horizontalScrollBar()->maximum() > 100);
        const QPoint start = centreOf(*view, 3);
        const int before = view->horizontalScrollBar()->value();
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, start);
        QTest::mouseMove(view->viewport(), start + QPoint(-40, 0));
        QTest::mouseMove(view->viewport(), start + QPoint(-80, 0));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, start + QPoint(-80, 0));
        QCOMPARE(view->horizontalScrollBar()->value(), before + 80);
        QCOMPARE(editor->textCursor().blockNumber() + 1, 33);
    }

    // Fit shows the whole chart; Ctrl+wheel zooms about the pointer, which stays on the
    // same point of the chart (in a view small enough to scroll once zoomed in).
    void fitAndZoom()
    {
        ChartFixture f;
        QVERIFY(f.make(lightPalette()));
        f.view->resize(320, 260);
        QTRY_COMPARE(f.view->viewport()->width() < 320, true);
        f.view->setZoom(3);
        f.view->fitAction()->trigger();
        const QRectF whole = f.view->layout().boundingBox;
        const QRectF room(0, ChartView::kStripHeight, f.view->viewport()->width(),
                          f.view->viewport()->height() - ChartView::kStripHeight);
        QVERIFY(room.contains(f.view->toViewport(whole.topLeft())));
        QVERIFY(room.contains(f.view->toViewport(whole.bottomRight())));
        QVERIFY(f.view->zoom() <= 1.5);

        f.view->setZoom(1);
        f.view->horizontalScrollBar()->setValue(f.view->horizontalScrollBar()->maximum() / 2);
        f.view->verticalScrollBar()->setValue(f.view->verticalScrollBar()->maximum() / 2);
        const double before = f.view->zoom();
        const QPoint anchor = f.view->viewport()->rect().center();
        const QPointF under = f.view->toChart(anchor);
        QWheelEvent wheel(anchor, f.view->viewport()->mapToGlobal(anchor), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.view->viewport(), &wheel);
        QVERIFY(f.view->zoom() > before * 1.1);
        const QPointF after = f.view->toViewport(under);
        QVERIFY2(qAbs(after.x() - anchor.x()) <= 1 && qAbs(after.y() - anchor.y()) <= 1,
                 qPrintable(QStringLiteral("%1,%2").arg(after.x()).arg(after.y())));
    }

    // The waveform cursor and the chart's cycle are one, moved from either side or with
    // the chart's keys, within cycles 0 to 5.
    void oneCycleForChartAndWaves()
    {
        MainWindow window;
        window.loadFile(copyOf(QStringLiteral("path-decision.vdo")));
        window.run();
        ChartView *chart = window.chart();
        WaveformView *waves = window.waveforms();
        QVERIFY(chart->hasPaths());
        QCOMPARE(chart->cycle(), -1);

        waves->setCursorCycle(3);
        QCOMPARE(chart->cycle(), 3);
        chart->setCycle(1);
        QCOMPARE(waves->cursorCycle(), 1);

        const QList<QPair<Qt::Key, int>> keys{{Qt::Key_End, 5}, {Qt::Key_Right, 5}, {Qt::Key_Left, 4},
                                              {Qt::Key_Home, 0}, {Qt::Key_Left, 0},  {Qt::Key_Right, 1}};
        for (const auto &[key, cycle] : keys) {
            QTest::keyClick(chart, key);
            QCOMPARE(chart->cycle(), cycle);
            QCOMPARE(waves->cursorCycle(), cycle);
        }
        QVERIFY(chart->stripText().startsWith(QStringLiteral("Ciclo 1 de 0 a 5")));
        // New clears the chart and its cycle.
        window.newFile();
        QVERIFY(!chart->hasPaths());
        QVERIFY(!chart->hasChart());
        QCOMPARE(chart->cycle(), -1);
    }

    // The chart is of the saved file: edits only say so; a save lays it out again and
    // drops the earlier run's path, which belonged to the file as it was.
    void followsTheSavedFile()
    {
        MainWindow window;
        const QString path = copyOf(QStringLiteral("path-decision.vdo"));
        window.loadFile(path);
        QTRY_VERIFY(window.chart()->hasChart());
        QCOMPARE(window.chart()->graph().nodes.size(), 14);
        window.run();
        QVERIFY(window.chart()->hasPaths());

        window.editor()->appendPlainText(QStringLiteral("Box {\n  Id = 40;\n  Type = State;\n  Text = \"SOLA\";\n  Next = 0;\n}"));
        QVERIFY(window.chart()->stripText().contains(QStringLiteral("muestra el archivo guardado")));
        QCOMPARE(window.chart()->graph().nodes.size(), 14);
        QVERIFY(window.saveFile(path));
        QVERIFY(!window.chart()->stripText().contains(QStringLiteral("muestra el archivo guardado")));
        QVERIFY(!window.chart()->hasPaths());
        QTRY_COMPARE(window.chart()->graph().nodes.size(), 15);

        // Another file's chart replaces this one, which goes at once.
        window.loadFile(copyOf(QStringLiteral("lint-connector-without-state.vdo")));
        QVERIFY(!window.chart()->hasChart());
        QTRY_VERIFY(window.chart()->hasChart());
        QCOMPARE(window.chart()->graph().nodes.at(6).id, 16);
    }

    // A design warning puts its sign on its box, its text in the box's tooltip: the
    // connector CONTAR (6/16) names no box.
    void warningOnItsBox()
    {
        MainWindow window;
        window.resize(1400, 900);
        window.loadFile(copyOf(QStringLiteral("lint-connector-without-state.vdo")));
        window.reportTabs()->setCurrentWidget(window.chart()->parentWidget());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ChartView *view = window.chart();
        QTRY_VERIFY(view->hasChart());
        view->setZoom(1);
        const QString tip = view->toolTipAt(centreOf(*view, 6));
        QVERIFY2(tip.startsWith(QStringLiteral("ID 16, State, ninguna caja lleva su nombre\nCONTAR\nAviso: ")), qPrintable(tip));
        const QPointF corner = boxRect(*view, 6).topLeft();
        QImage image = view->viewport()->grab().toImage();
        const double size = 12;  // the sign's pixels
        QCOMPARE(pixel(image, corner + QPointF(-size * 0.25, size * 0.3)), warningColour(view->palette()));
        QVERIFY(pixel(image, boxRect(*view, 3).topLeft() + QPointF(-size * 0.25, size * 0.3)) != warningColour(view->palette()));
    }

    // A file that cannot be drawn says why in the chart; the rest of the window works, and
    // the next good file is drawn.
    void aFailedLayoutSaysWhy()
    {
        MainWindow window;
        const QString bad = QDir(m_work.path()).filePath(QStringLiteral("sin-cajas.vdo"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("esto no es un diseño\n");
        file.close();
        window.loadFile(bad);
        QTRY_VERIFY(window.chart()->message().startsWith(QStringLiteral("No se puede dibujar el diagrama del archivo guardado:\n")));
        QVERIFY(window.chart()->message().size() > 60);
        QVERIFY(!window.chart()->hasChart());
        window.run();
        QVERIFY(window.outputModel()->rowCount() > 0);
        window.loadFile(copyOf(QStringLiteral("path-decision.vdo")));
        QTRY_VERIFY(window.chart()->hasChart());
    }

    // Past the time bound the chart says so and drops the late layout; the window goes on
    // meanwhile. The layout is held back by the test until then.
    void aSlowLayoutIsGivenUp()
    {
        MainWindow window;
        auto gate = std::make_shared<QSemaphore>();
        window.chartLoader()->setJob([gate](const QString &path) {
            gate->acquire();
            return layoutDesignFile(path);
        });
        window.chartLoader()->setTimeLimit(50);
        const QString path = copyOf(QStringLiteral("path-decision.vdo"));
        window.loadFile(path);
        QTRY_VERIFY(window.chart()->message().startsWith(QStringLiteral("El diagrama tarda demasiado")));
        window.run();
        QVERIFY(window.chart()->hasPaths());
        gate->release();
        QTest::qWait(200);
        QVERIFY(!window.chart()->hasChart());

        window.chartLoader()->setJob(layoutDesignFile);
        window.chartLoader()->setTimeLimit(ChartLoader::kDefaultTimeLimitMs);
        QVERIFY(window.saveFile(path));
        QTRY_VERIFY(window.chart()->hasChart());
    }
};

ASMSIM_REGISTER_TEST(TestChartView)
#include "tst_chartview.moc"
