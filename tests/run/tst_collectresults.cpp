// A run's results as data: the table, the columns' kinds and widths, the clock, the
// verifications as the check compared them, and the messages, read from what a run
// leaves in the state.

#include "core/panesink.h"
#include "run/collectresults.h"
#include "run/rundriver.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Row = QVector<qint32>;

// Runs a design of tests/data with the output file in a temporary folder.
void runDesign(SimState &state, const QTemporaryDir &dir, const QString &name)
{
    state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
    runSimulation(state, QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(name + QStringLiteral(".vdo")));
}

QString verificationLine(const ResultVerification &v)
{
    return QStringLiteral("%1 %2 %3 %4 %5").arg(v.cycle).arg(v.signal).arg(v.expected).arg(v.actual).arg(v.correct);
}

QStringList verificationTexts(const RunResults &r)
{
    QStringList texts;
    for (const ResultVerification &v : r.verifications)
        texts << verificationLine(v);
    return texts;
}

void declare(SimState &s, SignalKind kind, const QString &name, const QString &range)
{
    s.signalTable.namesOf(kind) << name;
    s.signalTable.rangesOf(kind) << range;
}

} // namespace

class TestCollectResults : public QObject {
    Q_OBJECT

private slots:
    // The enabled counter: the table of cycles 0 to 8 and the seven verifications, all
    // correct, as its hand-worked output report gives them; Q is declared [3:0].
    void aWholeRunOfTheEnabledCounter()
    {
        QTemporaryDir dir;
        MemorySink sink;
        SimState state(&sink);
        runDesign(state, dir, QStringLiteral("counter-enable"));
        const RunResults r = collectRunResults(state);

        QCOMPARE(r.designName, QStringLiteral("counter-enable"));
        QVERIFY(r.designPath.endsWith(QStringLiteral("/counter-enable.vdo")));
        QCOMPARE(r.columns.size(), 3);
        QCOMPARE(r.columns.at(0).name, QStringLiteral("CLK"));
        QCOMPARE(r.columns.at(1).name, QStringLiteral("EN"));
        QCOMPARE(r.columns.at(2).name, QStringLiteral("Q"));
        QCOMPARE((QVector<int>{r.columns.at(0).kind, r.columns.at(1).kind, r.columns.at(2).kind}), (QVector<int>{1, 1, 2}));
        // CLK and EN have no range; Q is [3:0].
        QCOMPARE((QVector<int>{r.columns.at(0).width, r.columns.at(1).width, r.columns.at(2).width}),
                 (QVector<int>{32, 32, 4}));

        QCOMPARE(r.lastCycle(), 8);
        const QVector<Row> expected{{10, 0, -1}, {10, 0, -1}, {10, 0, -1}, {10, 1, -1}, {10, 1, 0},
                                    {10, 1, 1},  {10, 0, 2},  {10, 1, 2},  {10, 1, 3}};
        QCOMPARE(r.rows, expected);

        QCOMPARE(r.clockName, QStringLiteral("CLK"));
        QCOMPARE(r.cycleTime, 10);
        QCOMPARE(r.timeUnit, QStringLiteral("ns"));
        QCOMPARE(r.clockColumn(), 0);

        QCOMPARE(verificationTexts(r), (QStringList{"1 Q -1 -1 1", "2 Q -1 -1 1", "3 Q -1 -1 1", "5 Q 1 1 1",
                                                    "6 Q 2 2 1", "7 EN 1 1 1", "7 Q 2 2 1"}));
        QCOMPARE(r.correctCount(), 7);
        QCOMPARE(r.wrongCount(), 0);
        QVERIFY(r.messages.isEmpty());
        QVERIFY(r.passed());
    }

    // The same counter expecting Q == 2 at cycle 5, where it holds 1.
    void aWrongVerificationKeepsBothValues()
    {
        QTemporaryDir dir;
        SimState state;
        runDesign(state, dir, QStringLiteral("counter-wrong"));
        const RunResults r = collectRunResults(state);
        QCOMPARE(verificationTexts(r).at(3), QStringLiteral("5 Q 2 1 0"));
        QCOMPARE(r.correctCount(), 6);
        QCOMPARE(r.wrongCount(), 1);
        QVERIFY(!r.passed());
    }

    // Columns in the table's order (inputs, outputs, inouts, wires), each with the kind
    // and range of its own declaration, also when a name is declared in two kinds.
    void columnsTakeTheirOwnKindAndRange()
    {
        SimState s;
        declare(s, KindInput, QStringLiteral("A"), QStringLiteral("[1:0]"));
        declare(s, KindOutput, QStringLiteral("A"), QStringLiteral("[0:5]"));
        declare(s, KindInout, QStringLiteral("B"), QStringLiteral(" "));
        declare(s, KindWire, QStringLiteral("C"), QStringLiteral("[0:0]"));
        s.simulation.simulationColumnNames = QStringList{"A", "A", "B", "C"};
        s.simulation.simulationTable = QVector<Row>(kSimulationRows, Row(4, -1));
        const RunResults r = collectRunResults(s);
        QCOMPARE(r.columns.size(), 4);
        for (int j = 0; j < 4; ++j) {
            QCOMPARE(r.columns.at(j).kind, j + 1);
            QCOMPARE(r.columns.at(j).width, (QVector<int>{2, 6, 32, 1}).at(j));
        }
    }

    // Rows 0 to simCycle, and never past the table, which has room for cycles 0 to 300.
    void rowsEndAtTheLastCycleAndTheTable_data()
    {
        QTest::addColumn<int>("simCycle");
        QTest::addColumn<int>("rows");
        QTest::newRow("cycles 0 to 4") << 4 << 5;
        QTest::newRow("cycle 0 only") << 0 << 1;
        QTest::newRow("the last row") << 300 << 301;
        QTest::newRow("past the table") << 301 << 301;
        QTest::newRow("nothing simulated") << -1 << 0;
    }

    void rowsEndAtTheLastCycleAndTheTable()
    {
        QFETCH(int, simCycle);
        QFETCH(int, rows);
        SimState s;
        declare(s, KindInput, QStringLiteral("A"), QStringLiteral(" "));
        s.simulation.simulationColumnNames = QStringList{"A"};
        s.simulation.simulationTable = QVector<Row>(kSimulationRows, Row(1, -1));
        for (int c = 0; c < kSimulationRows; ++c)
            s.simulation.simulationTable[c][0] = c * 2;
        s.signalTable.simCycle = simCycle;
        const RunResults r = collectRunResults(s);
        QCOMPARE(r.rows.size(), rows);
        QCOMPARE(r.lastCycle(), rows - 1);
        if (rows > 0)
            QCOMPARE(r.rows.last(), Row{(rows - 1) * 2});
    }

    // The presimulation leaves a cycle time of -1 when none is written; the unit is kept
    // as written even without a declared clock.
    void noClockGivesCycleTimeZero()
    {
        SimState s;
        s.simulation.cycleTime = -1;
        s.simulation.cycleTimeUnit = QStringLiteral("us");
        const RunResults r = collectRunResults(s);
        QCOMPARE(r.clockName, QString());
        QCOMPARE(r.cycleTime, 0);
        QCOMPARE(r.timeUnit, QStringLiteral("us"));
        QCOMPARE(r.clockColumn(), -1);
    }

    // The verification check's comparisons: a name that heads two columns is checked
    // against each; a name no column has, an empty name, and cycles outside 0 to 300 are
    // not checked; a cycle past the last simulated one compares with its table row.
    void verificationsAsTheCheckComparesThem()
    {
        SimState s;
        declare(s, KindInput, QStringLiteral("A"), QStringLiteral(" "));
        declare(s, KindOutput, QStringLiteral("A"), QStringLiteral(" "));
        declare(s, KindOutput, QStringLiteral("B"), QStringLiteral(" "));
        s.simulation.simulationColumnNames = QStringList{"A", "A", "B"};
        s.simulation.simulationTable = QVector<Row>(kSimulationRows, Row(3, -1));
        s.simulation.simulationTable[2] = Row{7, 8, 9};
        s.simulation.simulationTable[300] = Row{0, 0, 5};
        s.signalTable.simCycle = 3;
        s.model.verifyCycles = {2, 2, -1, 301, 2, 300, 2};
        s.model.verifyVariables = QStringList{"A", "Z", "B", "B", "", "B", "B"};
        s.model.verifyValues = {8, 1, 9, 9, 0, 5, 4};
        const RunResults r = collectRunResults(s);
        QCOMPARE(verificationTexts(r), (QStringList{"2 A 8 7 0", "2 A 8 8 1", "300 B 5 5 1", "2 B 4 9 0"}));
        QCOMPARE(r.correctCount(), 2);
        QCOMPARE(r.wrongCount(), 2);
    }

    // Verification vectors of different lengths: only the records all three hold.
    void unevenVerificationVectors()
    {
        SimState s;
        declare(s, KindInput, QStringLiteral("A"), QStringLiteral(" "));
        s.simulation.simulationColumnNames = QStringList{"A"};
        s.simulation.simulationTable = QVector<Row>(kSimulationRows, Row(1, 3));
        s.model.verifyCycles = {0, 1, 2};
        s.model.verifyVariables = QStringList{"A", "A"};
        s.model.verifyValues = {3};
        QCOMPARE(verificationTexts(collectRunResults(s)), QStringList{"0 A 3 3 1"});
    }

    // Warnings first, then errors, each in the order recorded, with their kinds.
    void messagesWarningsThenErrors()
    {
        SimState s;
        s.log.errorList = QStringList{"Error! uno", "ERROR! dos"};
        s.log.warningList = QStringList{"Warning! tres"};
        const RunResults r = collectRunResults(s);
        QCOMPARE(r.messages.size(), 3);
        QCOMPARE(r.messages.at(0).kind, LogWarning);
        QCOMPARE(r.messages.at(0).text, QStringLiteral("Warning! tres"));
        QCOMPARE(r.messages.at(1).kind, LogError);
        QCOMPARE(r.messages.at(1).text, QStringLiteral("Error! uno"));
        QCOMPARE(r.messages.at(2).text, QStringLiteral("ERROR! dos"));
        QCOMPARE(r.errorCount(), 2);
        QCOMPARE(r.warningCount(), 1);
        QVERIFY(!r.passed());
    }
};

ASMSIM_REGISTER_TEST(TestCollectResults)
#include "tst_collectresults.moc"
