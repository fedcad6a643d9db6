// The one stage list, the analysis of a design up to a named stage on a state of its
// own, and the process-pane rows of the cycles' headings in a run's results.

#include "core/panesink.h"
#include "run/analysis.h"
#include "run/rundriver.h"
#include "run/simstate.h"
#include "run/stages.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString dataFile(const QString &name)
{
    return QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(name);
}

// A design whose asynchronous assignment feeds itself: every walk changes Q, so the
// settling of cycle 1 gives up after 1000 changing walks, and the count of changing
// walks carries into the next run.
QByteArray feedbackDesign()
{
    auto box = [](int id, const char *type, const QByteArray &keys) {
        return "Box {\n  Id = " + QByteArray::number(id) + ";\n  Type = " + type + ";\n" + keys + "}\n";
    };
    auto next = [](int id) { return "  Next = " + QByteArray::number(id) + ";\n"; };
    auto text = [](const char *key, const QByteArray &value) { return QByteArray("  ") + key + " = \"" + value + "\";\n"; };
    return box(1, "Header", text("Text", "BUCLE") + next(2)) + box(2, "Ports", text("Text", "INPUT A%CR%OUTPUT Q") + next(3))
           + box(3, "State", text("Text", "S") + next(4)) + box(4, "AsyncOps", text("Text", "Q <= Q + 1;") + next(5))
           + box(5, "State", text("Text", "S") + next(0)) + box(20, "Header", text("Text", "BANCO") + next(21))
           + box(21, "StateAsyncOps", text("TextUp", "<2>") + text("TextDown", "TB.A <= 1") + next(22))
           + box(22, "MetaState", text("Text", "end simulation") + next(0) + "  Next0 = 0;\n");
}

struct Report {
    QStringList output;
    QStringList process;
    QStringList errors;
};

Report runOnce(SimState &state, MemorySink &sink, const QString &path)
{
    runSimulation(state, path);
    return {sink.output, sink.process, state.log.errorList};
}

} // namespace

class TestStages : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_startDir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_startDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }
    void cleanupTestCase() { QDir::setCurrent(m_startDir); }

    // Up to the signal list, the stages show what a whole run shows before its
    // operative stage, line for line.
    void stagesUpToOneShowWhatTheRunShowsUpToThere()
    {
        MemorySink whole;
        SimState run(&whole);
        run.log.outputFile.setFileName(m_dir.filePath(QStringLiteral("whole.txt")));
        runSimulation(run, dataFile(QStringLiteral("counter-enable.vdo")));

        MemorySink part;
        SimState upTo(&part);
        runStages(upTo, dataFile(QStringLiteral("counter-enable.vdo")), Stage::SignalList);
        QVERIFY(!part.output.isEmpty());
        QCOMPARE(whole.output.mid(0, part.output.size()), part.output);
        QCOMPARE(whole.output.value(part.output.size()),
                 QStringLiteral("\n//--------------SIMULACION OPERATIVA-----------------//"));
        QCOMPARE(stageName(Stage::Cycles), QStringLiteral("cycles"));
    }

    // The analysis writes no file and shows nothing, yet leaves what the stages found:
    // the counter with a wrong verification, checked to the end.
    void analysisWritesNoFileAndShowsNothing()
    {
        MemorySink sink;
        SimState window(&sink);
        const auto analysed = analyseDesign(carryOf(window), dataFile(QStringLiteral("counter-wrong.vdo")),
                                            Stage::VerificationCheck);
        QVERIFY(sink.output.isEmpty() && sink.process.isEmpty() && sink.statuses.isEmpty());
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("OutFileSimulation.txt"))));
        QCOMPARE(analysed->simulation.correctVerifications, 6);
        QCOMPARE(analysed->simulation.wrongVerifications, 1);
        QCOMPARE(analysed->signalTable.simCycle, 8);
        QVERIFY(analysed->simulation.cycleHeadingRows.isEmpty());  // no pane, no rows
    }

    // An analysis between two runs leaves the second run's report as it would have been:
    // its own count of changing walks goes up, the window's does not.
    void analysisNeverChangesTheNextRun()
    {
        const QString path = m_dir.filePath(QStringLiteral("feedback.vdo"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(feedbackDesign());
        file.close();

        MemorySink plainSink;
        SimState plain(&plainSink);
        runOnce(plain, plainSink, path);
        const Report expected = runOnce(plain, plainSink, path);

        MemorySink sink;
        SimState window(&sink);
        const Report first = runOnce(window, sink, path);
        // Cycle 1 gives up after 1000 changing walks; cycles 2 and 3 add one each and give
        // up at once, the count being past the limit already.
        const qint32 carried = window.simulation.changedPasses;
        QCOMPARE(carried, 1002);
        const auto analysed = analyseDesign(carryOf(window), path, Stage::Cycles);
        QVERIFY(analysed->simulation.changedPasses > carried);
        QCOMPARE(window.simulation.changedPasses, carried);
        const Report second = runOnce(window, sink, path);

        QCOMPARE(second.errors, expected.errors);
        QCOMPARE(second.output, expected.output);
        QCOMPARE(second.process, expected.process);
        QVERIFY(second.process != first.process);  // the carried count shows in the trace
    }

    // The cycles' headings of the events design are at lines 473, 490, 503, 520 and 535
    // of its hand-written process trace, that is at rows 472 to 534 of the pane.
    void resultsGiveTheProcessRowOfEachCycle()
    {
        MemorySink sink;
        SimState state(&sink);
        state.log.outputFile.setFileName(m_dir.filePath(QStringLiteral("events.txt")));
        const RunResults results = runSimulation(state, dataFile(QStringLiteral("presim-events.vdo")));
        QCOMPARE(results.cycleProcessRows, (QVector<int>{-1, 472, 489, 502, 519, 534}));

        QStringList rows;
        for (const QString &item : sink.process)
            rows += item.split(QLatin1Char('\n'));
        for (int cycle = 1; cycle <= results.lastCycle(); ++cycle)
            QCOMPARE(rows.value(results.processRowOfCycle(cycle)), QStringLiteral("CICLO SE SIMULACION NUEVO: %1").arg(cycle));
    }

    // A run that shows no process pane has no rows to give.
    void noPaneNoRows()
    {
        SimState state;
        state.log.outputFile.setFileName(m_dir.filePath(QStringLiteral("quiet.txt")));
        const RunResults results = runSimulation(state, dataFile(QStringLiteral("presim-events.vdo")));
        QCOMPARE(results.lastCycle(), 5);
        QVERIFY(results.cycleProcessRows.isEmpty());
        QCOMPARE(results.processRowOfCycle(1), -1);
    }
};

ASMSIM_REGISTER_TEST(TestStages)
#include "tst_stages.moc"
