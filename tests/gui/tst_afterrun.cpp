// What the window shows after Run: the verdict and where its failure leads, the layout
// on a 1366 x 768 laptop screen, the panes at their start with the errors and warnings
// in their colours, the waveforms or why there are none; and New and Open clearing it
// all while the run state stays.

#include "gui/codeeditor.h"
#include "gui/linepanemodel.h"
#include "gui/mainwindow.h"
#include "gui/statuscolours.h"
#include "gui/verdictbar.h"
#include "gui/waveformview.h"
#include "results/runresults.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

QString dataDesign(const QString &name)
{
    return QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(name + QStringLiteral(".vdo"));
}

QString bundledExample()
{
    return QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(QStringLiteral("../../examples/counter.vdo"));
}

// Rows of a pane that are wholly in sight.
int rowsInSight(const QListView *pane)
{
    const int rowHeight = pane->sizeHintForRow(0);
    return rowHeight > 0 ? pane->viewport()->height() / rowHeight : 0;
}

// Lines of the editor that are wholly in sight.
int editorLinesInSight(const CodeEditor *editor)
{
    return editor->viewport()->height() / editor->fontMetrics().lineSpacing();
}

// True when the widget is shown and no part of it lies outside the window.
bool wholeInWindow(const QWidget *widget, const QWidget *window)
{
    const QRect inWindow(widget->mapTo(window, QPoint(0, 0)), widget->size());
    return widget->isVisible() && !inWindow.isEmpty() && window->rect().contains(inWindow);
}

// True when the pane's row is wholly in sight from top to bottom (rows are as wide as the
// widest, so sideways only their start counts).
bool rowInSight(const QListView *pane, int row)
{
    const QRect r = pane->visualRect(pane->model()->index(row, 0));
    return r.isValid() && r.top() >= 0 && r.bottom() < pane->viewport()->height() && r.left() >= 0;
}

int rowOf(const LinePaneModel *model, const QString &text)
{
    return int(model->rows().indexOf(text));
}

} // namespace

class TestAfterRun : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_settingsDir;
    QTemporaryDir m_work;
    QString m_oldOrganization, m_oldApplication, m_oldCurrentDir;

    // A window with the design loaded and run; the runs' output files go to m_work.
    void run(MainWindow &window, const QString &design)
    {
        window.loadFile(design);
        window.run();
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_settingsDir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_settingsDir->isValid());
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
        // No "Simulando el archivo." box to answer.
        QSettings().setValue(QStringLiteral("showSimulatingMessage"), false);
    }

    // At the first-start size for a 1366 x 768 screen, after Run on the bundled example
    // and without touching the splitter: the verdict, at least 12 lines of the editor
    // and at least 15 rows of the report in view; with the waveforms in view, all three
    // rows of the counter (CLK, EN, Q) and all its cycles.
    void laptopScreenShowsEnoughOfEverything()
    {
        const QRect screen(0, 0, 1366, 768);
        const QRect first = ::firstStartGeometry(screen);
        QVERIFY(screen.contains(first));
        MainWindow window;
        window.setGeometry(first);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), first.size());
        run(window, bundledExample());
        QApplication::processEvents();

        QVERIFY(wholeInWindow(window.verdictBar(), &window));
        QCOMPARE(window.verdictBar()->headline(), QStringLiteral("CORRECTO"));
        QVERIFY(wholeInWindow(window.editor(), &window));
        QVERIFY2(editorLinesInSight(window.editor()) >= 12, qPrintable(QString::number(editorLinesInSight(window.editor()))));

        QTabWidget *tabs = window.reportTabs();
        for (QListView *pane : {window.outputPane(), window.processPane()}) {
            tabs->setCurrentWidget(pane->parentWidget());
            QApplication::processEvents();
            QVERIFY(wholeInWindow(pane, &window));
            QVERIFY2(rowsInSight(pane) >= 15, qPrintable(QString::number(rowsInSight(pane))));
        }

        WaveformView *waves = window.waveforms();
        tabs->setCurrentWidget(waves->parentWidget());
        QApplication::processEvents();
        QVERIFY(wholeInWindow(waves, &window));
        QCOMPARE(waves->rowCount(), 3);
        QVERIFY(waves->rowY(0) >= WaveformView::kRulerHeight);
        QVERIFY(waves->rowY(2) + WaveformView::kRowHeight <= waves->viewport()->height());
        // Fitted after the run: cycles 0 to 8 side by side in the width of the waves.
        QCOMPARE(waves->cycleCount(), 9);
        QCOMPARE(waves->cycleAt(WaveformView::kWaveLeft), 0);
        QVERIFY(waves->cycleX(9) <= waves->viewport()->width());
        QCOMPARE(waves->horizontalScrollBar()->maximum(), 0);
    }

    // The verdict bar stays whatever report is in view and whatever the status bar
    // says, in a tint of the verdict's colour; a second run replaces it.
    void verdictStaysInSight()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        VerdictBar *bar = window.verdictBar();
        QCOMPARE(bar->state(), VerdictBar::NoRun);
        run(window, dataDesign(QStringLiteral("counter-enable")));
        QCOMPARE(bar->state(), VerdictBar::Passed);
        QCOMPARE(bar->failure(), QString());
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Simulación terminada"));
        QCOMPARE(bar->wordColour(), passColour(bar->palette()));
        const QColor window_ = bar->palette().color(QPalette::Window);
        QVERIFY(bar->tint() != window_);
        QVERIFY(bar->tint().green() >= bar->tint().red());

        // A status tip over an action takes the status bar, never the verdict.
        window.statusBar()->showMessage(window.action(QStringLiteral("openAct"))->statusTip());
        for (int tab = 0; tab < window.reportTabs()->count(); ++tab) {
            window.reportTabs()->setCurrentIndex(tab);
            QVERIFY(wholeInWindow(bar, &window));
        }
        QCOMPARE(bar->headline(), QStringLiteral("CORRECTO"));

        run(window, dataDesign(QStringLiteral("counter-wrong")));
        QCOMPARE(bar->state(), VerdictBar::Failed);
        QCOMPARE(bar->headline(), QStringLiteral("FALLO"));
        QCOMPARE(bar->wordColour(), errorColour(bar->palette()));
        QVERIFY(bar->tint().red() > bar->tint().green());
        QCOMPARE(bar->failure(), QStringLiteral("ciclo 5: Q esperado 2, simulado 1"));
    }

    // A click on a wrong verification shows its mark in the waveforms, with the cursor
    // on its cycle, and its cycle's log in the process pane.
    void failureLeadsToTheWrongVerification()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        run(window, dataDesign(QStringLiteral("counter-wrong")));
        auto *link = window.verdictBar()->findChild<QLabel *>(QStringLiteral("verdictFailure"));
        QVERIFY(link && link->isVisible());
        QVERIFY(link->text().contains(QStringLiteral("ciclo 5: Q esperado 2, simulado 1")));
        emit link->linkActivated(QStringLiteral("failure"));

        WaveformView *waves = window.waveforms();
        QCOMPARE(window.reportTabs()->currentWidget(), waves->parentWidget());
        QCOMPARE(waves->cursorCycle(), 5);
        QVERIFY(waves->cycleX(5) >= WaveformView::kWaveLeft && waves->cycleX(6) <= waves->viewport()->width());
        // Q is the counter's third row.
        QVERIFY(waves->rowY(2) + WaveformView::kRowHeight <= waves->viewport()->height());
        const QModelIndex current = window.processPane()->currentIndex();
        QCOMPARE(window.processModel()->row(current.row()), QStringLiteral("CICLO SE SIMULACION NUEVO: 5"));
    }

    // A click on an error goes to its line in the output pane, from where Enter goes on
    // to the design, as on any line.
    void failureLeadsToTheFirstError()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        run(window, dataDesign(QStringLiteral("verdict-error")));
        window.reportTabs()->setCurrentIndex(2);
        QCOMPARE(window.verdictBar()->failure(), QStringLiteral("Error!: BOX PORTS no implantado en Presimulacion Operativa"));
        window.showFailure();
        QCOMPARE(window.reportTabs()->currentWidget(), window.outputPane()->parentWidget());
        const QModelIndex current = window.outputPane()->currentIndex();
        QCOMPARE(window.outputModel()->row(current.row()),
                 QStringLiteral("Error!: BOX PORTS no implantado en Presimulacion Operativa"));
        QVERIFY(rowInSight(window.outputPane(), current.row()));
        QVERIFY(window.outputPane()->hasFocus());
    }

    // After a run the output pane shows its summary block and the process pane its top,
    // both at the start of their rows sideways, wherever the last run left them; Home
    // goes back to the start sideways too.
    void panesStartWhereTheReportSays()
    {
        MainWindow window;
        window.resize(1000, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        run(window, dataDesign(QStringLiteral("counter-wrong")));
        QListView *output = window.outputPane();
        QListView *process = window.processPane();
        // Scrolled down and sideways, as a user leaves them.
        window.reportTabs()->setCurrentWidget(process->parentWidget());
        for (QListView *pane : {output, process}) {
            pane->verticalScrollBar()->setValue(pane->verticalScrollBar()->maximum() / 2);
            pane->horizontalScrollBar()->setValue(pane->horizontalScrollBar()->maximum());
        }
        window.reportTabs()->setCurrentWidget(output->parentWidget());
        QVERIFY(output->horizontalScrollBar()->value() > 0);

        run(window, dataDesign(QStringLiteral("counter-wrong")));
        QApplication::processEvents();
        const int header = rowOf(window.outputModel(), QStringLiteral("//-------------- WARNINGS Y ERRORES --------------//"));
        QVERIFY(header > 0);
        // The summary is the last block: its header and its last row are both in sight.
        QVERIFY(rowInSight(output, header));
        QVERIFY(rowInSight(output, window.outputModel()->rowCount() - 1));
        QCOMPARE(output->horizontalScrollBar()->value(), 0);
        window.reportTabs()->setCurrentWidget(process->parentWidget());
        QApplication::processEvents();
        QCOMPARE(process->indexAt(QPoint(1, 1)).row(), 0);
        QCOMPARE(process->horizontalScrollBar()->value(), 0);

        process->horizontalScrollBar()->setValue(process->horizontalScrollBar()->maximum());
        process->verticalScrollBar()->setValue(process->verticalScrollBar()->maximum());
        process->setFocus();
        QTest::keyClick(process, Qt::Key_Home);
        QCOMPARE(process->horizontalScrollBar()->value(), 0);
        QCOMPARE(process->indexAt(QPoint(1, 1)).row(), 0);
    }

    // The summary's lines of messages recorded as errors take the error colour, those
    // recorded as warnings the warning colour, whatever their text begins with; the
    // text is unchanged. verdict-connector records the warning "WARNING!\t No hay padre
    // de test bench: no se simulan ciclos" and, three times, the error "WARNING!\t No
    // hay State con el mismo nombre;".
    void summaryLinesColouredByKind()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        run(window, dataDesign(QStringLiteral("verdict-connector")));
        QApplication::processEvents();
        LinePaneModel *model = window.outputModel();
        const QStringList rows = model->rows();
        const int header = rowOf(model, QStringLiteral("//-------------- WARNINGS Y ERRORES --------------//"));
        QVERIFY(header > 0);
        QCOMPARE(rows.mid(header + 1),
                 (QStringList{"WARNING!\t No hay padre de test bench: no se simulan ciclos",
                              "WARNING!\t No hay State con el mismo nombre;", "WARNING!\t No hay State con el mismo nombre;",
                              "WARNING!\t No hay State con el mismo nombre;", "Numero de Warnings: 1",
                              "Numero de Errores: 3"}));
        const QList<LinePaneModel::LineKind> kinds = {LinePaneModel::PlainLine,   LinePaneModel::WarningLine,
                                                      LinePaneModel::ErrorLine,   LinePaneModel::ErrorLine,
                                                      LinePaneModel::ErrorLine,   LinePaneModel::PlainLine,
                                                      LinePaneModel::PlainLine};
        for (int i = 0; i < kinds.size(); ++i)
            QCOMPARE(model->lineKind(header + i), kinds[i]);
        for (int row = 0; row < header; ++row)
            QCOMPARE(model->lineKind(row), LinePaneModel::PlainLine);

        // Painted in those colours: the error rows hold the error colour and no warning
        // colour, the warning row the other way round.
        QListView *pane = window.outputPane();
        pane->scrollToBottom();
        QApplication::processEvents();
        const QImage image = pane->viewport()->grab().toImage();
        const QPalette &palette = pane->palette();
        const auto holds = [&](int row, const QColor &colour) {
            const QRect r = pane->visualRect(model->index(row));
            for (int y = qMax(0, r.top()); y <= qMin(image.height() - 1, r.bottom()); ++y)
                for (int x = 0; x < qMin(image.width(), r.right()); ++x)
                    if (image.pixelColor(x, y) == colour)
                        return true;
            return false;
        };
        QVERIFY(holds(header + 2, errorColour(palette)));
        QVERIFY(!holds(header + 2, warningColour(palette)));
        QVERIFY(holds(header + 1, warningColour(palette)));
        QVERIFY(!holds(header + 1, errorColour(palette)));
        QVERIFY(!holds(header + 5, errorColour(palette)));
    }

    // No cycle simulated (no test bench), or no signal declared: the waveforms say why.
    void waveformsSayWhyThereAreNone()
    {
        MainWindow window;
        QCOMPARE(window.waveforms()->placeholderText(),
                 QStringLiteral("Run (F5) simula el diseño y muestra aquí sus formas de onda"));
        run(window, dataDesign(QStringLiteral("two-boxes")));
        QVERIFY(!window.waveforms()->hasResults());
        QCOMPARE(window.waveforms()->placeholderText(), QStringLiteral("Sin ciclos simulados: ver los errores del informe"));
        QVERIFY(!window.waveforms()->fitAction()->isEnabled());
        // A test bench that runs one pass but declares no signal.
        run(window, dataDesign(QStringLiteral("verdict-no-checks")));
        QCOMPARE(window.waveforms()->placeholderText(), QStringLiteral("Sin señales declaradas: ver los errores del informe"));
        run(window, dataDesign(QStringLiteral("counter-enable")));
        QCOMPARE(window.waveforms()->placeholderText(), QString());
    }

    // New and Open empty the panes, the waveforms, the verdict and the results; the run
    // state is the same object, and what it carries from run to run is still there.
    void newAndOpenClearTheResultsButNotTheRunState()
    {
        MainWindow window;
        SimState *state = &window.runState();
        for (int step = 0; step < 2; ++step) {
            run(window, dataDesign(QStringLiteral("counter-wrong")));
            QVERIFY(window.outputModel()->storedRowCount() > 0);
            QVERIFY(window.waveforms()->hasResults());
            QVERIFY(window.action(QStringLiteral("exportVcdAct"))->isEnabled());
            window.runState().simulation.changedPasses = 7;
            window.runState().signalTable.declarationKind = KindInout;
            if (step == 0)
                window.newFile();
            else
                window.openFile(dataDesign(QStringLiteral("counter-enable")));

            QCOMPARE(window.outputModel()->storedRowCount(), 0);
            QCOMPARE(window.processModel()->storedRowCount(), 0);
            QVERIFY(!window.waveforms()->hasResults());
            QVERIFY(window.lastResults().rows.isEmpty());
            QVERIFY(window.lastResults().messages.isEmpty());
            QCOMPARE(window.verdictBar()->state(), VerdictBar::NoRun);
            QVERIFY(!window.action(QStringLiteral("exportVcdAct"))->isEnabled());
            QCOMPARE(&window.runState(), state);
            QCOMPARE(window.runState().simulation.changedPasses, 7);
            QCOMPARE(window.runState().signalTable.declarationKind, KindInout);
        }
        // A file that cannot be opened leaves the last run's results alone.
        run(window, dataDesign(QStringLiteral("counter-wrong")));
        QTimer::singleShot(50, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                QMetaObject::invokeMethod(box, "reject", Qt::QueuedConnection);
        });
        window.openFile(m_work.filePath(QStringLiteral("no-existe.vdo")));
        QVERIFY(window.outputModel()->storedRowCount() > 0);
        QCOMPARE(window.verdictBar()->state(), VerdictBar::Failed);
    }
};

ASMSIM_REGISTER_TEST(TestAfterRun)
#include "tst_afterrun.moc"
