// The test-bench step: one pass of the test bench's current state, with its actions on
// the inputs, its verifications, the counting of the state's cycles, the snapshot and
// the copy of the current values into the next ones.

#include "core/panesink.h"
#include "simparts.h"
#include "designbuilder.h"
#include "sim/testbenchstep.h"
#include "testmain.h"

#include <QTest>

namespace {

// Lists the boxes at these positions, in order, in column 0 of the state table; declares
// inputs A, B and output Q (all 0) and gives the simulation table its 301 empty rows.
void setUpBench(SimParts &s, const TestBoxes &boxes, const QVector<int> &statePositions)
{
    addBoxes(s.model, boxes);
    s.model.stateIds = s.model.stateIts = QVector<QVector<qint32>>(kStateRows, QVector<qint32>(1, 0));
    for (int row = 0; row < statePositions.size(); ++row) {
        s.model.stateIts[row][0] = statePositions.at(row);
        s.model.stateIds[row][0] = s.model.boxIds.at(statePositions.at(row));
    }
    SignalTable &t = s.signalTable;
    t.inputNames = {"A", "B"};
    t.outputNames = {"Q"};
    t.current.input = {0, 0};
    t.current.output = {0};
    t.next = t.current;
    s.simulation.simulationColumnNames = {"A", "B", "Q"};
    s.simulation.simulationTable = QVector<QVector<qint32>>(kSimulationRows, QVector<qint32>(3, -1));
    t.simCycle = 1;
}

void setTextUp(SimParts &s, int pos, const QString &text)
{
    s.model.textUpMatrix[0][pos] = text;
}

// Runs one pass of the test bench in column 0, returns the cycle-log entries it added,
// and moves the cycle number on as the clock edge would.
QStringList runPass(SimParts &s)
{
    const qsizetype before = s.simulation.loop.cycleLog.size();
    runTestBenchStep(s, 0);
    ++s.signalTable.simCycle;
    return s.simulation.loop.cycleLog.mid(before);
}

QString header(int startId, int startIt, const QString &startType, int stopId, int stopIt, const QString &stopType)
{
    return QStringLiteral(" + TEST BENCH:\n\tState inicio ID: %1,\tState inicio IT: %2,\tSTATE TYPE: %3\t     ->"
                          "\tState paro ID: %4,\t\tState paro IT: %5,\t\tSTATE TYPE: %6")
        .arg(startId)
        .arg(startIt)
        .arg(startType)
        .arg(stopId)
        .arg(stopIt)
        .arg(stopType);
}

QString stateCycle(int cycle, int length)
{
    return QStringLiteral("\n\t\tCICLO DE STATE: %1 DE %2 TOTALES\n").arg(cycle).arg(length);
}

const QString kEndWarning = QStringLiteral("WARNING!\t El test bench termina sin estado end simulation. CICLO: ");

} // namespace

class TestTestBenchStep : public QObject {
    Q_OBJECT

private slots:
    // A state of three cycles: each «@k» action acts in its own pass, the action without
    // «@» in every pass (reading the value just written), and the end-simulation state
    // that follows gives no state cycle. Every pass snapshots its cycle and copies the
    // current values into the next ones.
    void threeCycleStateActsOncePerCycle()
    {
        MemorySink sink;
        SimParts s(&sink);
        setUpBench(s,
                   {{10, "StateAsyncOps", 11, -1, -1, {}, {"  @0 tb.a <= 1", "@1 TB.A <= 2", "@2 TB.A <= 3", "TB.B <= A + 10"}},
                    {11, "MetaState", 0, -1, -1, {"end simulation"}}},
                   {0, 1});
        setTextUp(s, 0, "<3>");
        s.signalTable.next.wire = {7};  // the copy replaces every kind, length included

        const QString head = header(10, 0, "StateAsyncOps", 11, 1, "MetaState");
        const QString bPlusTen = QStringLiteral("\t+ Texto DOWN:\tTB.B <= A + 10      \t->\tActuar siempre");
        for (int k = 0; k < 3; ++k) {
            const QString atLine = k == 0 ? QStringLiteral("@0 TB.A <= 1") : QStringLiteral("@%1 TB.A <= %2").arg(k).arg(k + 1);
            const QStringList expected{
                head,
                QStringLiteral("  - StateAsyncOps: \n\tTextUp: <3>\n\t+ Texto DOWN:\t") + atLine
                    + QStringLiteral("      \t->\tActuar en ciclo: %1\tCiclo Actual Interno (de 0 a 3-1): %1").arg(k),
                bPlusTen,
                stateCycle(k + 1, 3),
            };
            QCOMPARE(runPass(s), expected);
            const qint32 a = k + 1;
            QCOMPARE(s.signalTable.current.input, QVector<qint32>({a, a + 10}));
            QCOMPARE(s.simulation.simulationTable.at(k + 1), QVector<qint32>({a, a + 10, 0}));
            QCOMPARE(s.signalTable.next.input, s.signalTable.current.input);
            QVERIFY(s.signalTable.next.wire.isEmpty());
            QCOMPARE(s.simulation.loop.tbPosition, k == 2 ? 1 : 0);
            QCOMPARE(s.simulation.loop.tbStateEntered, k == 2);
        }
        QVERIFY(!s.simulation.loop.simulationEnded);

        QCOMPARE(runPass(s), QStringList({header(11, 1, "MetaState", 0, 0, "StateAsyncOps"),
                                          QStringLiteral("  - MetaState: \n\tText: end simulation\n")}));
        QVERIFY(s.simulation.loop.simulationEnded);
        QCOMPARE(s.simulation.simulationTable.at(4), QVector<qint32>({3, 13, 0}));
        QVERIFY(s.model.verifyCycles.isEmpty());
        QVERIFY(s.log.warningList.isEmpty());
    }

    // The length comes from the digits after the last «<» of the text; a text without
    // «<» keeps the length before. A MetaState that is not the end counts from 1, and
    // any other type only counts.
    void stateLengthAndCycleByType_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");  // empty: the box has no text line
        QTest::addColumn<int>("lengthBefore");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("position");

        QTest::newRow("length five") << "State" << "<5>" << 1 << "  - State: \n\tText: <5>\n" + stateCycle(1, 5) << 0;
        QTest::newRow("words around") << "State" << "x <4> y" << 1 << "  - State: \n\tText: x <4> y\n" + stateCycle(1, 4) << 0;
        QTest::newRow("last pair wins") << "State" << "<2><3>" << 1 << "  - State: \n\tText: <2><3>\n" + stateCycle(1, 3) << 0;
        QTest::newRow("blank before digits") << "State" << "< 5>" << 1 << "  - State: \n\tText: < 5>\n" + stateCycle(1, 0) << 1;
        QTest::newRow("no text keeps length") << "State" << "" << 4 << "  - State: \n\tText: null\n" + stateCycle(1, 4) << 0;
        QTest::newRow("one cycle") << "State" << "espera" << 1 << "  - State: \n\tText: espera\n" + stateCycle(1, 1) << 1;
        QTest::newRow("meta state passes") << "MetaState" << "pausa" << 1 << "  - MetaState: \n\tText: pausa\n" + stateCycle(2, 1) << 1;
        QTest::newRow("meta state stays") << "MetaState" << "pausa" << 3 << "  - MetaState: \n\tText: pausa\n" + stateCycle(2, 3) << 0;
        QTest::newRow("end text is exact") << "MetaState" << "End Simulation" << 2
                                           << "  - MetaState: \n\tText: End Simulation\n" + stateCycle(2, 2) << 1;
        QTest::newRow("other type") << "SyncOps" << "<5>" << 1 << "  - SyncOps: \n" + stateCycle(1, 1) << 1;
    }
    void stateLengthAndCycleByType()
    {
        QFETCH(QString, type);
        QFETCH(QString, text);
        QFETCH(int, lengthBefore);
        QFETCH(QString, entry);
        QFETCH(int, position);

        MemorySink sink;
        SimParts s(&sink);
        const QStringList lines = text.isEmpty() ? QStringList() : QStringList{text};
        setUpBench(s, {{20, type, 0, -1, -1, lines}}, {0});
        s.simulation.loop.tbStateLength = lengthBefore;

        QCOMPARE(runPass(s), QStringList({header(20, 0, type, 0, 0, type), entry}));
        QCOMPARE(s.simulation.loop.tbPosition, position);
        QVERIFY(!s.simulation.loop.simulationEnded);
    }

    // Entering a state of three cycles at cycle 7: «=> @2» is registered once, for cycle
    // 8; the verification without «@» in each pass, with the cycle of that pass.
    void verificationsRegisteredOncePerVisitOrEveryPass()
    {
        MemorySink sink;
        SimParts s(&sink);
        setUpBench(s, {{10, "StateAsyncOps", 0, -1, -1, {}, {"=> @2 TB.Q == 1", "=> q == 4"}}}, {0});
        setTextUp(s, 0, "<3>");
        s.signalTable.simCycle = 7;

        const QString always = QStringLiteral("\t+ Texto DOWN:\t=> Q == 4    \t->\tVerificacion siempre. CYCLE:%1");
        const QString head = header(10, 0, "StateAsyncOps", 0, 0, "StateAsyncOps");
        QCOMPARE(runPass(s), QStringList({
                                 head,
                                 QStringLiteral("  - StateAsyncOps: \n\tTextUp: <3>\n\t+ Texto DOWN:\t=> @2 TB.Q == 1    "
                                                "\t->\tVerificacion en ciclo: 2.      CYCLE:7.      Suma:8"),
                                 always.arg(7),
                                 stateCycle(1, 3),
                             }));
        for (int cycle = 8; cycle <= 9; ++cycle)
            QCOMPARE(runPass(s), QStringList({head, QStringLiteral("  - StateAsyncOps: \n\tTextUp: <3>\n") + always.arg(cycle),
                                              stateCycle(cycle - 6, 3)}));

        QCOMPARE(s.model.verifyCycles, QVector<qint32>({8, 7, 8, 9}));
        QCOMPARE(s.model.verifyVariables, QStringList({"Q", "Q", "Q", "Q"}));
        QCOMPARE(s.model.verifyValues, QVector<qint32>({1, 4, 4, 4}));
    }

    // A «@k» verification met after the first pass of its state leaves no text, no
    // record and no entry of the cycle log.
    void atCycleVerificationAfterFirstPassLeavesNothing()
    {
        MemorySink sink;
        SimParts s(&sink);
        setUpBench(s, {{10, "StateAsyncOps", 0, -1, -1, {}, {"=> @1 TB.Q == 1"}}}, {0});
        setTextUp(s, 0, "<2>");
        runPass(s);
        QCOMPARE(runPass(s), QStringList({header(10, 0, "StateAsyncOps", 0, 0, "StateAsyncOps"),
                                          QStringLiteral("  - StateAsyncOps: \n\tTextUp: <2>\n") + stateCycle(2, 2)}));
        QCOMPARE(s.model.verifyCycles, QVector<qint32>{1});
        QCOMPARE(s.model.verifyVariables, QStringList{"Q"});
        QCOMPARE(s.model.verifyValues, QVector<qint32>{1});
    }

    // The prefix is optional: the first identifier is a prefix only when a "." follows.
    // Each line adds exactly one name, empty when no kind declares it, so the three
    // lists stay in step.
    void verificationNamesOneSignal_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<qint32>("cycle");
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint32>("value");

        QTest::newRow("name alone") << "=> Q == 1" << 5 << "Q" << 1;
        QTest::newRow("prefix") << "=> tb.q == 1" << 5 << "Q" << 1;
        QTest::newRow("at cycle, name alone") << "=> @1 Q == 2" << 5 << "Q" << 2;
        QTest::newRow("at cycle, prefix") << "=> @3 TB.Q == 2" << 7 << "Q" << 2;
        QTest::newRow("dot only") << "=> .Q == 3" << 5 << "Q" << 3;
        QTest::newRow("undeclared") << "=> TB.Z == 1" << 5 << "" << 1;
        QTest::newRow("no name") << "=> 7 == 7" << 5 << "" << 7;
        QTest::newRow("declared in two kinds") << "=> TB.B == 3" << 5 << "B" << 3;
    }
    void verificationNamesOneSignal()
    {
        QFETCH(QString, line);
        QFETCH(qint32, cycle);
        QFETCH(QString, name);
        QFETCH(qint32, value);

        MemorySink sink;
        SimParts s(&sink);
        setUpBench(s, {{10, "StateAsyncOps", 0, -1, -1, {}, {line}}}, {0});
        setTextUp(s, 0, "<3>");
        s.signalTable.outputNames << "B";
        s.signalTable.simCycle = 5;
        runTestBenchStep(s, 0);

        QCOMPARE(s.model.verifyCycles, QVector<qint32>{cycle});
        QCOMPARE(s.model.verifyVariables, QStringList{name});
        QCOMPARE(s.model.verifyValues, QVector<qint32>{value});
    }

    // An earlier «&&» leaves its flag set; each action and expected value is still
    // evaluated on its own. Lines that name no input write nothing.
    void everyValueEvaluatedAfresh()
    {
        MemorySink sink;
        SimParts s(&sink);
        setUpBench(s, {{10, "StateAsyncOps", 0, -1, -1, {}, {"TB.B <= 1 && 1", "TB.A <= 5", "=> TB.Q == 6", "TB.Q <= 9", "Z <= 2"}}},
                   {0});
        setTextUp(s, 0, "<1>");
        s.registers.logicFound = 1;
        s.registers.truthValue = true;
        runTestBenchStep(s, 0);

        QCOMPARE(s.signalTable.current.input, QVector<qint32>({5, 1}));
        QCOMPARE(s.signalTable.current.output, QVector<qint32>{0});
        QCOMPARE(s.model.verifyValues, QVector<qint32>{6});
    }

    // A row that lists no state ends the test bench as the end-simulation state would,
    // with a warning; the rows and columns outside the state table list no state.
    void testBenchWithoutEndStateEnds_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("column");

        QTest::newRow("row after the last state") << 1 << 0;
        QTest::newRow("row beyond the table") << 150 << 0;
        QTest::newRow("negative row") << -3 << 0;
        QTest::newRow("column beyond the table") << 0 << 4;
    }
    void testBenchWithoutEndStateEnds()
    {
        QFETCH(int, position);
        QFETCH(int, column);

        MemorySink sink;
        SimParts s(&sink);
        setUpBench(s, {{20, "State", 0, -1, -1, {"<1>"}}}, {0});
        s.simulation.loop.tbPosition = position;
        s.signalTable.simCycle = 12;
        s.signalTable.current.input = {4, 5};

        runTestBenchStep(s, column);
        QCOMPARE(s.simulation.loop.cycleLog,
                 QStringList({header(0, 0, "State", 0, 0, "State"), QStringLiteral("  - State: \n")}));
        QVERIFY(s.simulation.loop.simulationEnded);
        QCOMPARE(s.log.warningList, QStringList{kEndWarning + "12"});
        QVERIFY(s.log.errorList.isEmpty());
        QCOMPARE(s.simulation.simulationTable.at(12), QVector<qint32>({4, 5, 0}));
        QCOMPARE(s.signalTable.next.input, QVector<qint32>({4, 5}));
        QCOMPARE(s.signalTable.next.output, QVector<qint32>{0});
    }

    // The last row of the state table runs its state; its stop lies outside the table.
    void lastRowOfTheTable()
    {
        MemorySink sink;
        SimParts s(&sink);
        setUpBench(s, {{20, "State", 0, -1, -1, {"<2>"}}}, {});
        s.model.stateIds[kStateRows - 1][0] = 20;
        s.simulation.loop.tbPosition = kStateRows - 1;

        QCOMPARE(runPass(s), QStringList({header(20, 0, "State", 0, 0, "State"),
                                          QStringLiteral("  - State: \n\tText: <2>\n") + stateCycle(1, 2)}));
        QVERIFY(s.log.warningList.isEmpty());
    }
};

ASMSIM_REGISTER_TEST(TestTestBenchStep)
#include "tst_testbenchstep.moc"
