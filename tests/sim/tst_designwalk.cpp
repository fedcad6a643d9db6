// The design walk: where each pass starts and stops, the default values of the current
// state, the boxes executed on the way, and how the design position follows the state
// reached, through connectors too; and how a walk that cannot reach its stop ends.

#include "simparts.h"
#include "designbuilder.h"
#include "sim/designwalk.h"
#include "testmain.h"

#include <QTest>

namespace {

// The design is the second diagram; the first column belongs to another diagram and
// lists a state that no design pass may pick up.
constexpr int kDesign = 1;

// Lists the design's states, row by row, each at the position of the last box with
// that ID (an ID 0 lists no state).
void listDesignStates(SimParts &s, const QVector<qint32> &ids)
{
    DesignModel &m = s.model;
    m.stateIds = QVector<QVector<qint32>>(kStateRows, QVector<qint32>(2, 0));
    m.stateIts = m.stateIds;
    for (int row = 0; row < 5; ++row) {
        m.stateIds[row][0] = 999;
        m.stateIts[row][0] = 2;
    }
    for (int row = 0; row < ids.size(); ++row) {
        m.stateIds[row][kDesign] = ids.at(row);
        m.stateIts[row][kDesign] = ids.at(row) == 0 ? 0 : int(m.boxIds.lastIndexOf(ids.at(row)));
    }
}

// Output Q = 5, inputs A = 0 and X = x, wire W = 0; next and previous as current.
void declareSignals(SimParts &s, qint32 x = 0)
{
    SignalTable &t = s.signalTable;
    t.inputNames = QStringList{"A", "X"};
    t.outputNames = QStringList{"Q"};
    t.wireNames = QStringList{"W"};
    t.current.input = {0, x};
    t.current.output = {5};
    t.current.wire = {0};
    t.next = t.current;
    t.previous = t.current;
}

void setX(SimParts &s, qint32 x)
{
    s.signalTable.current.input[1] = x;
}

// The entry enterDesignState writes for a start and a stop.
QString designEntry(qint32 startId, qint32 startIt, const QString &startType, qint32 stopId, qint32 stopIt,
                    const QString &stopType)
{
    return QStringLiteral(" + DISEÑO:\n\tState inicio ID: %1,\tState inicio IT: %2,\tSTATE TYPE: %3\t     ->"
                          "\tState paro sin decisiones ID: %4,\tState paro sin decisiones IT: %5,\tSTATE TYPE: %6")
        .arg(startId)
        .arg(startIt)
        .arg(startType)
        .arg(stopId)
        .arg(stopIt)
        .arg(stopType);
}

QString interrupted(qint32 id, qint32 link)
{
    return QStringLiteral("Error! Recorrido del diseño interrumpido en la caja con ID: %1 (enlace %2)").arg(id).arg(link);
}

void designPass(SimParts &s)
{
    enterDesignState(s, kDesign);
    walkDesign(s, kDesign);
}

} // namespace

class TestDesignWalk : public QObject {
    Q_OBJECT

private slots:
    // The entry begun before the design's turn is closed with the design's lines.
    void enteringAStateWithANextState()
    {
        SimParts s;
        addBoxes(s.model, {
            {100, "Header", 10},
            {10, "State", 11, -1, -1, {"S0"}},
            {11, "SyncOps", 12, -1, -1, {"Q <= 1;"}},
            {12, "StateAsyncOps", 13, -1, -1, {"S1"}},
        });
        listDesignStates(s, {10, 12});
        CycleLoopState &loop = s.simulation.loop;
        loop.cycleLog = QStringList{"first"};
        loop.logEntry = "CICLO SE SIMULACION NUEVO: 1\n";
        enterDesignState(s, kDesign);
        QCOMPARE(loop.cycleLog,
                 QStringList({"first", QStringLiteral("CICLO SE SIMULACION NUEVO: 1\n + DISEÑO:\n"
                                                      "\tState inicio ID: 10,\tState inicio IT: 1,\tSTATE TYPE: State"
                                                      "\t     ->\tState paro sin decisiones ID: 12,"
                                                      "\tState paro sin decisiones IT: 3,\tSTATE TYPE: StateAsyncOps")}));
        QVERIFY(loop.logEntry.isEmpty());
        QCOMPARE(loop.walkStartId, 10);
        QCOMPARE(loop.walkStartIt, 1);
        QCOMPARE(loop.walkStopId, 12);
        QCOMPARE(loop.walkStopIt, 3);
        QCOMPARE(loop.designPosition, 1);
        QCOMPARE(loop.enteredDesignPosition, 1);
        QVERIFY(loop.designWalked);
        QVERIFY(!loop.walkStopMissing);
    }

    // Every Default box whose Next names the current state applies the defaults (to
    // the next values), each with its own text.
    void defaultValuesOfTheCurrentState_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("texts");
        QTest::newRow("S0: two Default boxes") << 0 << "VALORES POR DEFECTO\nVALORES POR DEFECTO\n";
        QTest::newRow("S1: one Default box") << 1 << "VALORES POR DEFECTO\n";
    }
    void defaultValuesOfTheCurrentState()
    {
        QFETCH(int, position);
        QFETCH(QString, texts);
        SimParts s;
        declareSignals(s);
        addBoxes(s.model, {
            {10, "State", 12, -1, -1, {"S0"}},
            {20, "Default", 10},
            {21, "Default", 12},
            {22, "Default", 10},
            {12, "State", 10, -1, -1, {"S1"}},
        });
        listDesignStates(s, {10, 12});
        s.simulation.defaultSignalNames = QStringList{"Q", "W"};
        s.simulation.defaultSignalValues = {7, 8};
        s.simulation.loop.designPosition = position;
        enterDesignState(s, kDesign);
        QCOMPARE(s.simulation.loop.cycleLog.size(), 1);
        QVERIFY(s.simulation.loop.cycleLog.first().startsWith(texts + QStringLiteral(" + DISEÑO:\n\tState inicio")));
        QVERIFY(!s.simulation.loop.cycleLog.first().startsWith(texts + "VALORES"));
        QCOMPARE(s.signalTable.next.output, QVector<qint32>{7});
        QCOMPARE(s.signalTable.next.wire, QVector<qint32>{8});
        QCOMPARE(s.signalTable.current.output, QVector<qint32>{5});
    }

    // The state X in row 3 has no state listed after it, so its stop is looked for by
    // name among the other boxes; only the first three rows can give the position.
    void stopByName_data()
    {
        QTest::addColumn<TestBoxes>("namesakes");
        QTest::addColumn<QVector<qint32>>("rows");
        QTest::addColumn<qint32>("stopId");
        QTest::addColumn<qint32>("stopIt");
        QTest::addColumn<QString>("stopType");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("missing");

        const QVector<qint32> rows{1, 2, 3, 4};
        QTest::newRow("a connector not listed") << TestBoxes{{6, "State", 0, -1, -1, {"X"}}} << rows << 6 << 5
                                                << "State" << 3 << false;
        QTest::newRow("listed in row 1") << TestBoxes{{6, "MetaState", 0, -1, -1, {"X"}}}
                                         << QVector<qint32>{1, 6, 3, 4} << 6 << 5 << "MetaState" << 1 << false;
        QTest::newRow("listed beyond row 2 only") << TestBoxes{{6, "State", 0, -1, -1, {"X"}}}
                                                  << QVector<qint32>{1, 2, 3, 4, 0, 6} << 6 << 5 << "State" << 3
                                                  << false;
        // The later namesake is the stop; the earlier one, listed in row 2, gave the row.
        QTest::newRow("the last namesake is the stop")
            << TestBoxes{{6, "State", 0, -1, -1, {"X"}}, {7, "Default", 0, -1, -1, {"X"}}}
            << QVector<qint32>{1, 2, 6, 4} << 7 << 6 << "Default" << 2 << false;
        // The start itself does not count as another box of its name.
        QTest::newRow("no namesake") << TestBoxes{{8, "State", 0, -1, -1, {"Y"}}}
                                     << rows << 0 << 0 << "Header" << 3 << true;
    }
    void stopByName()
    {
        QFETCH(TestBoxes, namesakes);
        QFETCH(QVector<qint32>, rows);
        QFETCH(qint32, stopId);
        QFETCH(qint32, stopIt);
        QFETCH(QString, stopType);
        QFETCH(int, position);
        QFETCH(bool, missing);
        SimParts s;
        addBoxes(s.model, {
            {1, "Header", 2, -1, -1, {"A"}},
            {2, "State", 3, -1, -1, {"B"}},
            {3, "State", 4, -1, -1, {"C"}},
            {4, "State", 5, -1, -1, {"X"}},
            {5, "SyncOps", 6, -1, -1, {"Q <= 1;"}},
        });
        addBoxes(s.model, namesakes);
        listDesignStates(s, rows);
        s.simulation.loop.designPosition = 3;
        enterDesignState(s, kDesign);
        const CycleLoopState &loop = s.simulation.loop;
        QCOMPARE(loop.cycleLog, QStringList{designEntry(4, 3, "State", stopId, stopIt, stopType)});
        QCOMPARE(loop.walkStopId, stopId);
        QCOMPARE(loop.walkStopIt, stopIt);
        QCOMPARE(loop.designPosition, position);
        QCOMPARE(loop.enteredDesignPosition, position);
        QCOMPARE(loop.walkStopMissing, missing);
    }

    // A column listing only S, closed by a connector C named S: every pass finds C by
    // name and walks to it; the position stays on S. An asynchronous change is walked
    // again from S, and the walk again ends at C.
    void stateOnlyColumnStopsAtItsConnector()
    {
        SimParts s;
        declareSignals(s);
        addBoxes(s.model, {
            {1, "State", 2, -1, -1, {"S"}},
            {2, "AsyncOps", 3, -1, -1, {"Q <= Q + 1;"}},
            {3, "State", 0, -1, -1, {"S"}},
        });
        listDesignStates(s, {1});
        CycleLoopState &loop = s.simulation.loop;
        const QString entry = designEntry(1, 0, "State", 3, 2, "State");
        const QString step = QStringLiteral("  - AsyncOps: Q <= Q + 1;\t->\tNombre señal: Q\tValor: %1\t\n");

        designPass(s);
        QCOMPARE(loop.cycleLog, QStringList{entry});
        QCOMPARE(loop.logEntry, step.arg(6));
        QCOMPARE(loop.designPosition, 0);
        QCOMPARE(loop.walkPosition, 2);
        QCOMPARE(s.signalTable.previous.output, QVector<qint32>{5});
        QCOMPARE(s.signalTable.current.output, QVector<qint32>{6});

        loop.designPosition = loop.enteredDesignPosition;  // as the settling does
        walkDesign(s, kDesign);
        QCOMPARE(loop.cycleLog, QStringList{entry});
        QCOMPARE(loop.logEntry, step.arg(6) + step.arg(7));
        QCOMPARE(loop.designPosition, 0);
        QCOMPARE(s.signalTable.previous.output, QVector<qint32>{6});
        QCOMPARE(s.signalTable.current.output, QVector<qint32>{7});

        loop.logEntry.clear();
        designPass(s);
        QCOMPARE(loop.cycleLog, QStringList({entry, entry}));
        QCOMPARE(loop.logEntry, step.arg(8));
        QCOMPARE(loop.designPosition, 0);
        QVERIFY(s.log.errorList.isEmpty() && s.log.warningList.isEmpty());
    }

    // S0 and S1 in rows 0 and 1, the ring closed by a connector named S0 that the state
    // table lists in row 2, after S1. The walk from S0 stops at S1 (position 1); the
    // walk from S1 stops at the connector and leads back to S0 (position 0), never to
    // the connector's own row.
    void ringOfStatesThroughAConnector()
    {
        SimParts s;
        declareSignals(s);
        addBoxes(s.model, {
            {100, "Header", 10},
            {10, "State", 11, -1, -1, {"S0"}},
            {11, "SyncOps", 12, -1, -1, {"Q <= 1;"}},
            {12, "State", 13, -1, -1, {"S1"}},
            {13, "SyncOps", 14, -1, -1, {"Q <= 2;"}},
            {14, "State", 0, -1, -1, {"S0"}},
        });
        listDesignStates(s, {10, 12, 14});
        CycleLoopState &loop = s.simulation.loop;
        const QString fromS0 = designEntry(10, 1, "State", 12, 3, "State");
        const QString fromS1 = designEntry(12, 3, "State", 14, 5, "State");

        designPass(s);
        QCOMPARE(loop.cycleLog, QStringList{fromS0});
        QCOMPARE(loop.logEntry, QStringLiteral("  - SyncOps: Q <= 1;\t->\tNombre señal: Q\tValor: 1\t\n"));
        QCOMPARE(loop.designPosition, 1);
        QCOMPARE(loop.walkStopIt, 3);
        QCOMPARE(s.signalTable.next.output, QVector<qint32>{1});

        loop.logEntry.clear();
        designPass(s);
        QCOMPARE(loop.cycleLog, QStringList({fromS0, fromS1}));
        QCOMPARE(loop.logEntry, QStringLiteral("  - SyncOps: Q <= 2;\t->\tNombre señal: Q\tValor: 2\t\n"));
        QCOMPARE(loop.enteredDesignPosition, 2);
        QCOMPARE(loop.designPosition, 0);
        QCOMPARE(loop.walkStopIt, 1);

        loop.logEntry.clear();
        designPass(s);
        QCOMPARE(loop.cycleLog, QStringList({fromS0, fromS1, fromS0}));
        QCOMPARE(loop.designPosition, 1);
        QVERIFY(s.log.errorList.isEmpty() && s.log.warningList.isEmpty());
    }

    // With S1 listed after S0, a first link back to S0 leaves the position on S0's row
    // (enterDesignState had raised it), so the next pass starts from S0 again; the
    // entry is closed.
    void walkStraightBackToTheStart()
    {
        SimParts s;
        addBoxes(s.model, {{1, "State", 1, -1, -1, {"S0"}}, {2, "State", 1, -1, -1, {"S1"}}});
        listDesignStates(s, {1, 2});
        CycleLoopState &loop = s.simulation.loop;
        const QString entry = designEntry(1, 0, "State", 2, 1, "State");
        designPass(s);
        QCOMPARE(loop.cycleLog, QStringList({entry, QString()}));
        QCOMPARE(loop.designPosition, 0);
        QCOMPARE(loop.enteredDesignPosition, 1);
        designPass(s);
        QCOMPARE(loop.cycleLog, QStringList({entry, QString(), entry, QString()}));
        QCOMPARE(loop.walkStartId, 1);
        QCOMPARE(loop.designPosition, 0);
    }

    // S is the only state listed, its stop the connector C found by name; the decision
    // leads to C when X is 1 and back to S otherwise. Back at S the position is the row
    // the pass started from (0), not one less: both when S is only the start and when
    // the walk to C had made S the stop as well.
    void backAtTheStartKeepsThePassRow()
    {
        SimParts s;
        declareSignals(s, 0);
        addBoxes(s.model, {
            {1, "State", 2, -1, -1, {"S"}},
            {2, "Decision", -1, 1, 3, {"X == 1"}},
            {3, "State", 0, -1, -1, {"S"}},
        });
        listDesignStates(s, {1});
        CycleLoopState &loop = s.simulation.loop;
        const QString entry = designEntry(1, 0, "State", 3, 2, "State");
        const QString back = QStringLiteral("  - Decision: X == 1\t\t->\tResultado Decision: "
                                            "Comparacion Falsa (Camino 0). Next ID: 1\n");
        const QString toC = QStringLiteral("  - Decision: X == 1\t\t->\tResultado Decision: "
                                           "Comparacion Verdadera (Camino 1). Next ID: 3\n");

        // Back at the start, which is not the stop.
        designPass(s);
        QCOMPARE(loop.cycleLog, QStringList({entry, back}));
        QCOMPARE(loop.designPosition, 0);
        QCOMPARE(loop.walkStopIt, 2);

        // To C: S becomes the stop too; then a repeated walk stays in S.
        setX(s, 1);
        designPass(s);
        QCOMPARE(loop.logEntry, toC);
        QCOMPARE(loop.walkStopIt, 0);
        QCOMPARE(loop.designPosition, 0);
        setX(s, 0);
        loop.designPosition = loop.enteredDesignPosition;
        walkDesign(s, kDesign);
        QCOMPARE(loop.cycleLog, QStringList({entry, back, entry, toC + back}));
        QVERIFY(loop.logEntry.isEmpty());
        QCOMPARE(loop.designPosition, 0);
    }

    // A connector that is not the stop ends the walk; the state that carries its name
    // (the start included, connectors excluded) becomes the stop, and the first row of
    // the whole column that lists it the position. A name that no state carries
    // changes nothing.
    void connectorLeadsToItsState_data()
    {
        QTest::addColumn<QString>("connectorName");
        QTest::addColumn<qint32>("x");
        QTest::addColumn<QString>("decision");
        QTest::addColumn<int>("walkPosition");
        QTest::addColumn<int>("stopIt");
        QTest::addColumn<int>("position");

        const QString toConnector = "Comparacion Verdadera (Camino 1). Next ID: 6\n";
        QTest::newRow("to D, in row 3") << "D" << 1 << toConnector << 5 << 3 << 3;
        QTest::newRow("to the start") << "A" << 1 << toConnector << 5 << 0 << 0;
        QTest::newRow("to no state") << "Z" << 1 << toConnector << 5 << 1 << 1;
        QTest::newRow("the stop B first") << "D" << 0 << "Comparacion Falsa (Camino 0). Next ID: 2\n" << 1 << 1 << 1;
    }
    void connectorLeadsToItsState()
    {
        QFETCH(QString, connectorName);
        QFETCH(qint32, x);
        QFETCH(QString, decision);
        QFETCH(int, walkPosition);
        QFETCH(int, stopIt);
        QFETCH(int, position);
        SimParts s;
        declareSignals(s, x);
        addBoxes(s.model, {
            {1, "State", 5, -1, -1, {"A"}},
            {2, "State", 3, -1, -1, {"B"}},
            {3, "State", 4, -1, -1, {"C"}},
            {4, "State", 1, -1, -1, {"D"}},
            {5, "Decision", -1, 2, 6, {"X == 1"}},
            {6, "Header", 0, -1, -1, {connectorName}},
            {7, "State", 0, -1, -1, {connectorName}},  // another connector of that name
        });
        listDesignStates(s, {1, 2, 3, 4});
        designPass(s);
        const CycleLoopState &loop = s.simulation.loop;
        QCOMPARE(loop.cycleLog, QStringList{designEntry(1, 0, "State", 2, 1, "State")});
        QCOMPARE(loop.logEntry, "  - Decision: X == 1\t\t->\tResultado Decision: " + decision);
        QCOMPARE(loop.walkPosition, walkPosition);
        QCOMPARE(loop.walkStopIt, stopIt);
        QCOMPARE(loop.walkStopId, 2);
        QCOMPARE(loop.designPosition, position);
        QVERIFY(s.log.errorList.isEmpty() && s.log.warningList.isEmpty());
    }

    // A link that names no box ends the walk with an error naming the box it leaves.
    void linkNamingNoBoxEndsTheWalk_data()
    {
        QTest::addColumn<qint32>("startNext");
        QTest::addColumn<TestBox>("body");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("error");

        const TestBox syncOps{2, "SyncOps", 77, -1, -1, {"Q <= 1;"}};
        const QString executed = QStringLiteral("  - SyncOps: Q <= 1;\t->\tNombre señal: Q\tValor: 1\t\n");
        QTest::newRow("Next names no box") << 2 << syncOps << executed << interrupted(2, 77);
        QTest::newRow("Next 0 of a box that is no connector")
            << 2 << TestBox{2, "SyncOps", 0, 3, -1, {"Q <= 1;"}} << executed << interrupted(2, 0);
        QTest::newRow("decision path without a link")
            << 2 << TestBox{2, "Decision", -1, -1, 3, {"Q == 4"}}
            << "  - Decision: Q == 4\t\t->\tResultado Decision: Comparacion Falsa (Camino 0). Next ID: -1\n"
            << interrupted(2, -1);
        QTest::newRow("start without Next") << -1 << syncOps << QString() << interrupted(1, -1);
    }
    void linkNamingNoBoxEndsTheWalk()
    {
        QFETCH(qint32, startNext);
        QFETCH(TestBox, body);
        QFETCH(QString, steps);
        QFETCH(QString, error);
        SimParts s;
        declareSignals(s);
        addBoxes(s.model, {{1, "State", startNext, -1, -1, {"S0"}}, body, {3, "State", 1, -1, -1, {"S1"}}});
        listDesignStates(s, {1, 3});
        designPass(s);
        const CycleLoopState &loop = s.simulation.loop;
        QCOMPARE(s.log.errorList, QStringList{error});
        QVERIFY(s.log.warningList.isEmpty());
        QCOMPARE(loop.cycleLog.size(), 1);
        QCOMPARE(loop.logEntry, steps);
        QCOMPARE(loop.designPosition, 1);
        QCOMPARE(loop.walkStopIt, 2);
    }

    // Two boxes linked in a ring with no listed state: with 4 boxes the walk follows
    // 1040 links, executing 1040 boxes (520 of them the AsyncOps, counting Q from 5 to
    // 525), and refuses the 1041st, which leaves the State box 3 for the AsyncOps box 2.
    void endlessRingIsCut()
    {
        SimParts s;
        declareSignals(s);
        addBoxes(s.model, {
            {1, "State", 2, -1, -1, {"S0"}},
            {2, "AsyncOps", 3, -1, -1, {"Q <= Q + 1;"}},
            {3, "State", 2, -1, -1, {"T"}},
            {9, "State", 1, -1, -1, {"S1"}},
        });
        listDesignStates(s, {1, 9});
        designPass(s);
        const CycleLoopState &loop = s.simulation.loop;
        QCOMPARE(s.log.errorList, QStringList{interrupted(3, 2)});
        QCOMPARE(s.signalTable.current.output, QVector<qint32>{525});
        QCOMPARE(loop.logEntry.count(QStringLiteral("  - AsyncOps: ")), 520);
        QCOMPARE(loop.logEntry.count(QStringLiteral("  - State: ")), 520);
        QVERIFY(loop.logEntry.endsWith(QStringLiteral("Valor: 525\t\n  - State: ")));
        QCOMPARE(loop.designPosition, 1);
        QCOMPARE(loop.cycleLog.size(), 1);
    }

    // The only state S has no namesake: the stop shows as ID 0 at position 0, which is
    // a body box; that box is executed like any other and the walk ends back at S.
    void missingStopIsNoStop()
    {
        SimParts s;
        declareSignals(s);
        addBoxes(s.model, {{20, "SyncOps", 1, -1, -1, {"Q <= 3;"}}, {1, "State", 20, -1, -1, {"S"}}});
        listDesignStates(s, {1});
        designPass(s);
        const CycleLoopState &loop = s.simulation.loop;
        QVERIFY(loop.walkStopMissing);
        QCOMPARE(loop.cycleLog, QStringList({designEntry(1, 1, "State", 0, 0, "SyncOps"),
                                             QStringLiteral("  - SyncOps: Q <= 3;\t->\tNombre señal: Q\tValor: 3\t\n")}));
        QCOMPARE(s.signalTable.next.output, QVector<qint32>{3});
        QCOMPARE(loop.designPosition, 0);
        QCOMPARE(loop.walkPosition, 1);
        QVERIFY(s.log.errorList.isEmpty() && s.log.warningList.isEmpty());
    }

    // Rows outside the state table read as no state (ID 0 at position 0); the position
    // itself is not clamped, and a walk that stays in its state keeps it.
    void rowsOutsideTheTable_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("entered");
        QTest::newRow("past the last row") << 120 << 0;  // the stop S is found by name, in row 0
        QTest::newRow("before the first row") << -1 << 0;  // the stop S is row 0, one below
    }
    void rowsOutsideTheTable()
    {
        QFETCH(int, position);
        QFETCH(int, entered);
        SimParts s;
        declareSignals(s);
        addBoxes(s.model, {{1, "State", 2, -1, -1, {"S"}}, {2, "SyncOps", 1, -1, -1, {"Q <= 4;"}}});
        listDesignStates(s, {1});
        CycleLoopState &loop = s.simulation.loop;
        loop.designPosition = position;
        designPass(s);
        QCOMPARE(loop.cycleLog, QStringList({designEntry(0, 0, "State", 1, 0, "State"),
                                             QStringLiteral("  - SyncOps: Q <= 4;\t->\tNombre señal: Q\tValor: 4\t\n")}));
        QCOMPARE(loop.enteredDesignPosition, entered);
        QCOMPARE(loop.designPosition, position);
        QVERIFY(s.log.errorList.isEmpty());
    }
};

ASMSIM_REGISTER_TEST(TestDesignWalk)
#include "tst_designwalk.moc"
