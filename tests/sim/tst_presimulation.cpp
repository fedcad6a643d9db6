// The operative stage's set-up: the presimulation walks the header chain of every
// diagram (test benches first), sets the first values, the clock, the defaults and the
// events, and creates the simulation table with row 0.

#include "designbuilder.h"
#include "simfixture.h"
#include "model/boxtypeindex.h"
#include "model/hierarchy.h"
#include "model/reader.h"
#include "sim/declarativesimulation.h"
#include "sim/operativestart.h"
#include "sim/presimulation.h"
#include "sim/simulationstate.h"
#include "sim/tablereport.h"
#include "testmain.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kHeading = QStringLiteral("//------------CICLOS DE PRESIMULACION---------------//");
const QString kBanner = QStringLiteral("\n//--------------SIMULACION OPERATIVA-----------------//");
const QString kAnalyser = QStringLiteral("\n//--------------Analizador Eventos--------------//");
const QString kSave = QStringLiteral("//------------SAVE CYCLE-----------//");
const QString kListHeading =
    QStringLiteral("\n//----------------------------- Lista de eventos -------------------------------//");
const QString kNoDefault = QStringLiteral("Error! Valor por defecto de una señal no declarada: ");

using Values = QVector<qint32>;

struct PresimFixture : SimFixture {
    SimParts &s = *state;

    void declareSignal(SignalKind kind, const QString &name)
    {
        s.signalTable.namesOf(kind) << name;
        s.signalTable.rangesOf(kind) << QStringLiteral(" ");
    }

    int addBox(const TestBox &box, const QStringList &textUp = {})
    {
        addBoxes(s.model, {box});
        const int pos = s.model.boxCount - 1;
        putLines(s.model.textUpMatrix, pos, textUp);
        return pos;
    }

    // The diagrams: their root positions, their kinds and their first states (ID, IT).
    void setDiagrams(const QVector<qint32> &roots, const QStringList &kinds,
                     const QVector<QPair<qint32, qint32>> &firstStates)
    {
        setParents(s.model, roots);
        s.model.parentKinds = diagramKindsNamed(kinds);
        s.model.stateIds = QVector<Values>(kStateRows, Values(roots.size(), 0));
        s.model.stateIts = s.model.stateIds;
        for (int col = 0; col < firstStates.size(); ++col) {
            s.model.stateIds[0][col] = firstStates.at(col).first;
            s.model.stateIts[0][col] = firstStates.at(col).second;
        }
    }

    // A one-box header chain: the root (ID 1, named P), the box (ID 2), the first state
    // (ID 3).
    void oneBoxChain(const QString &kind, const QString &type, const QStringList &text = {},
                     const QStringList &textDown = {}, const QStringList &textUp = {})
    {
        addBox({1, "Header", 2, -1, -1, {"P"}});
        addBox({2, type, 3, -1, -1, text, textDown}, textUp);
        addBox({3, "State", 3, -1, -1, {"S0"}});
        setDiagrams({0}, {kind}, {{3, 2}});
    }

    // The presimulation trace: from its heading to the end of the process pane.
    QStringList trace() const
    {
        const qsizetype start = sink.process.lastIndexOf(kHeading);
        return start < 0 ? QStringList() : sink.process.mid(start);
    }

    Values row(int cycle) const { return s.simulation.simulationTable.value(cycle); }
};

QString testBenchLine(int number, const QString &name, qint32 id, qint32 it)
{
    return QStringLiteral("Padre Nº: %1,\tTipo: TestBench,\tName: %2,\tPrimer State ID: %3,\tPrimer State IT: %4")
        .arg(number)
        .arg(name)
        .arg(id)
        .arg(it);
}

QString designLine(int number, const QString &name, qint32 id, qint32 it)
{
    return QStringLiteral("Padre Nº: %1,\tTipo: Design,        \tName: %2,\tPrimer State ID: %3,\tPrimer State IT: %4")
        .arg(number)
        .arg(name)
        .arg(id)
        .arg(it);
}

// A counter whose diagram comes before its test bench's. The test bench sets the clock's
// cycle time and EN; the design's default sets Q and its event sets R when EN is 1.
const char kCounterDesign[] = R"(Box {
  Id = 1;
  Type = Header;
  Text = "CONTADOR";
  Next = 2;
}
Box {
  Id = 2;
  Type = Ports;
  Text = "INPUT CLK, EN%CR%OUTPUT [3:0] Q, R";
  Next = 6;
}
Box {
  Id = 6;
  Type = Default;
  TextDown = "Q <= 0";
  Next = 7;
}
Box {
  Id = 7;
  Type = Event;
  TextUp = "EN == 1";
  TextDown = "R <= 3";
  Next = 3;
}
Box {
  Id = 3;
  Type = State;
  Text = "CUENTA";
  Next = 4;
}
Box {
  Id = 4;
  Type = Decision;
  Text = "EN == 1";
  Next0 = 8;
  Next1 = 5;
}
Box {
  Id = 8;
  Type = State;
  Text = "CUENTA";
  Next = 0;
}
Box {
  Id = 5;
  Type = SyncOps;
  Text = "Q <= Q + 1;";
  Next = 9;
}
Box {
  Id = 9;
  Type = State;
  Text = "CUENTA";
  Next = 0;
}
Box {
  Id = 20;
  Type = Header;
  Text = "BANCO";
  Next = 21;
}
Box {
  Id = 21;
  Type = ThreadSync;
  Text = "UUT.CLK = 10 ns";
  Next = 24;
}
Box {
  Id = 24;
  Type = Initial;
  TextDown = "TB.EN <= 1";
  Next = 22;
}
Box {
  Id = 22;
  Type = State;
  TextUp = "4";
  Text = "ESPERA";
  Next = 23;
}
Box {
  Id = 23;
  Type = MetaState;
  Text = "end simulation";
  Next = 0;
  Next0 = 0;
}
)";

} // namespace

class TestPresimulation : public QObject {
    Q_OBJECT

private slots:
    // The root's successor is already the first state: the parent line is followed by an
    // empty chain entry. The events and the snapshot show their lines before the trace,
    // which ends with the (empty) chain line.
    void emptyHeaderChain()
    {
        PresimFixture f;
        f.addBox({1, "Header", 2, -1, -1, {"TOP"}});
        f.addBox({2, "State", 2, -1, -1, {"IDLE"}});
        f.setDiagrams({0}, {"Design"}, {{2, 1}});
        f.s.signalTable.simCycle = 7;
        runPresimulation(f.s);

        QCOMPARE(f.sink.process, QStringList({kAnalyser, "\t", kSave, "- Ciclo: 0", kHeading,
                                              designLine(1, "TOP", 2, 1), "", ""}));
        QCOMPARE(f.sink.output, QStringList({kListHeading, " - Signal activacion:\t", " - Valor activacion:\t",
                                             " - Signal cambio:\t", " - Valor cambio:\t\n"}));
        QCOMPARE(f.s.signalTable.simCycle, 1);
        QCOMPARE(f.s.simulation.simulationTable.size(), kSimulationRows);
        QVERIFY(f.s.log.errorList.isEmpty());
        QVERIFY(f.s.log.warningList.isEmpty());
    }

    // Without a test bench no input gets a value; the table has one column per signal,
    // inputs, outputs, inouts, wires, and row 0 holds -1 for every one.
    void nothingInitialised()
    {
        PresimFixture f;
        f.declareSignal(KindWire, "W");
        f.declareSignal(KindInout, "B");
        f.declareSignal(KindOutput, "Q");
        f.declareSignal(KindInput, "A");
        f.declareSignal(KindInput, "C");
        f.oneBoxChain("Design", "ThreadSync", {"C"});
        runPresimulation(f.s);

        QCOMPARE(f.s.simulation.simulationColumnNames, QStringList({"A", "C", "Q", "B", "W"}));
        QCOMPARE(f.s.simulation.simulationTable.size(), kSimulationRows);
        for (int cycle : {0, 1, 300})
            QCOMPARE(f.row(cycle), Values(5, -1));
        QCOMPARE(f.s.signalTable.current.input, Values({-1, -1}));
        QCOMPARE(f.s.signalTable.current.wire, Values{-1});
        QCOMPARE(f.trace(),
                 QStringList({kHeading, designLine(1, "P", 3, 2), "  - ThreadSync: C\n       Reloj: C\n", ""}));
    }

    // «[PREFIX.]CLOCK = TIME UNIT»: the prefix is optional, the clock input takes the
    // cycle time, and the unit follows the number in lower case with no blank.
    void testBenchClock_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<qint32>("clock");
        QTest::addColumn<QString>("unit");
        QTest::newRow("prefix, number and unit") << "UUT.CLK = 20 NS" << "CLK\tCycleTime: 20ns" << 20 << "ns";
        QTest::newRow("no prefix") << "CLK = 20 NS" << "CLK\tCycleTime: 20ns" << 20 << "ns";
        QTest::newRow("lower case, no blanks") << "tb.clk=5us" << "CLK\tCycleTime: 5us" << 5 << "us";
        QTest::newRow("no unit") << "UUT.CLK = 20" << "CLK\tCycleTime: 20" << 20 << "";
        QTest::newRow("no number") << "UUT.CLK = NS" << "CLK\tCycleTime: -1ns" << -1 << "ns";
        QTest::newRow("not an input") << "UUT.CLOCK = 20 NS" << "CLOCK\tCycleTime: -1ns" << -1 << "ns";
        QTest::newRow("an output") << "UUT.Q = 20 NS" << "Q\tCycleTime: -1ns" << -1 << "ns";
    }
    void testBenchClock()
    {
        QFETCH(QString, line);
        QFETCH(QString, shown);
        QFETCH(qint32, clock);
        QFETCH(QString, unit);
        PresimFixture f;
        f.declareSignal(KindInput, "A");
        f.declareSignal(KindInput, "CLK");
        f.declareSignal(KindOutput, "Q");
        f.oneBoxChain("TestBench", "ThreadSync", {line});
        runPresimulation(f.s);

        QCOMPARE(f.trace(), QStringList({kHeading, testBenchLine(1, "P", 3, 2),
                                         "  - ThreadSync: " + line + "\n       Reloj: " + shown + "\n", ""}));
        QCOMPARE(f.s.signalTable.current.input, Values({-1, clock}));
        QCOMPARE(f.s.signalTable.current.output, Values{-1});
        QCOMPARE(f.s.simulation.cycleTimeUnit, unit);
        QCOMPARE(f.row(0), Values({-1, clock, -1}));
        QVERIFY(f.s.log.errorList.isEmpty());
    }

    // Initial lines: the prefix is optional, and each input takes the value its line
    // writes, evaluated afresh; a name no signal has writes -1.
    void initialValues_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Values>("inputs");  // A, B
        QTest::newRow("prefix") << QStringList{"TB.A <= 3"} << Values{3, -1};
        QTest::newRow("no prefix") << QStringList{"A <= 3"} << Values{3, -1};
        QTest::newRow("copy") << QStringList{"TB.B <= 6", "TB.A <= B"} << Values{6, 6};
        QTest::newRow("arithmetic") << QStringList{"TB.B <= 6", "TB.A <= B + 1"} << Values{7, 6};
        QTest::newRow("based literal after a signal") << QStringList{"TB.B <= 6", "TB.A <= B", "TB.A <= 'b101"}
                                                       << Values{5, 6};
        QTest::newRow("unknown name written over") << QStringList{"TB.A <= 4", "TB.A <= NOPE"} << Values{-1, -1};
        QTest::newRow("after a comparison") << QStringList{"TB.B <= 1 == 1", "TB.A <= 9"} << Values{9, 1};
        QTest::newRow("after a logical operator") << QStringList{"TB.B <= 1 == 1 && 0 == 1", "TB.A <= 9"}
                                                  << Values{9, 0};
        QTest::newRow("not an input") << QStringList{"TB.Q <= 4", "TB.Z <= 4"} << Values{-1, -1};
        QTest::newRow("prefix without name") << QStringList{"TB. <= 4"} << Values{-1, -1};
    }
    void initialValues()
    {
        QFETCH(QStringList, lines);
        QFETCH(Values, inputs);
        PresimFixture f;
        f.declareSignal(KindInput, "A");
        f.declareSignal(KindInput, "B");
        f.declareSignal(KindOutput, "Q");
        f.oneBoxChain("TestBench", "Initial", {}, lines);
        runPresimulation(f.s);
        QCOMPARE(f.s.signalTable.current.input, inputs);
        QCOMPARE(f.s.signalTable.current.output, Values{-1});
        QCOMPARE(f.row(0), inputs + Values{-1});
        QVERIFY(f.s.log.errorList.isEmpty());
    }

    // The chain line of an Initial box: each line and a tab, empty cells skipped, then a
    // line feed.
    void initialChainLine()
    {
        PresimFixture f;
        f.declareSignal(KindInput, "A");
        f.oneBoxChain("TestBench", "Initial", {}, {"TB.A <= 3", "null", "A <= 2"});
        runPresimulation(f.s);
        QCOMPARE(f.trace().at(2), QStringLiteral("  - Initial: TB.A <= 3\tA <= 2\t\n"));
        QCOMPARE(f.s.signalTable.current.input, Values{2});
    }

    // Each default line is evaluated afresh: a comparison or «&&» on one line does not
    // turn the later values into truths. (A logical operator combines the truths of its
    // operands, so its operands here are comparisons.)
    void defaultsEvaluatedAfresh()
    {
        PresimFixture f;
        for (const char *name : {"Q", "R", "S", "T"})
            f.declareSignal(KindOutput, name);
        f.oneBoxChain("Design", "Default", {}, {"Q <= 1 == 1", "R <= 5", "S <= 1 == 0 && 2 == 2", "T <= 7;"});
        runPresimulation(f.s);
        QCOMPARE(f.s.simulation.defaultSignalNames, QStringList({"Q", "R", "S", "T"}));
        QCOMPARE(f.s.simulation.defaultSignalValues, Values({1, 5, 0, 7}));
        QCOMPARE(f.s.signalTable.current.output, Values({1, 5, 0, 7}));
        QCOMPARE(f.trace().at(2),
                 QStringLiteral("  - Default: Q <= 1 == 1\tR <= 5\tS <= 1 == 0 && 2 == 2\tT <= 7;\t\n"));
    }

    // A default line records its name once, however many kinds declare it; a line whose
    // name nothing declares (or that has no name) records nothing and an error, so the
    // names and values stay together.
    void defaultRecordsStayWhole()
    {
        PresimFixture f;
        f.declareSignal(KindOutput, "W");
        f.declareSignal(KindWire, "W");
        f.declareSignal(KindOutput, "Q");
        f.oneBoxChain("Design", "Default", {}, {"W <= 3", "NOPE <= 1", "<= 2", "Q <= 4"});
        runPresimulation(f.s);
        QCOMPARE(f.s.simulation.defaultSignalNames, QStringList({"W", "Q"}));
        QCOMPARE(f.s.simulation.defaultSignalValues, Values({3, 4}));
        QCOMPARE(f.s.log.errorList, QStringList({kNoDefault + "NOPE", kNoDefault}));
    }

    // A default's first value: a name that an input, inout or wire holds is set in every
    // kind and at every index; a name only outputs hold sets its first output.
    void defaultFirstValues()
    {
        PresimFixture f;
        for (const char *name : {"P", "A"})
            f.declareSignal(KindInput, name);
        for (const char *name : {"Q", "Q", "A", "W"})
            f.declareSignal(KindOutput, name);
        f.declareSignal(KindInout, "B");
        f.declareSignal(KindWire, "W");
        f.declareSignal(KindWire, "W");
        f.oneBoxChain("Design", "Default", {}, {"Q <= 1", "A <= 2", "W <= 3", "B <= 4"});
        runPresimulation(f.s);
        const SignalValues &current = f.s.signalTable.current;
        QCOMPARE(current.input, Values({-1, 2}));
        QCOMPARE(current.output, Values({1, -1, 2, 3}));
        QCOMPARE(current.inout, Values{4});
        QCOMPARE(current.wire, Values({3, 3}));
        QCOMPARE(f.row(0), Values({-1, 2, 1, -1, 2, 3, 4, 3, 3}));
        QCOMPARE(f.s.simulation.defaultSignalNames, QStringList({"Q", "A", "W", "B"}));
    }

    // The test bench is handled first although its diagram comes second, keeping its own
    // number; the design's default and event then read the input it set. The test
    // bench's name comes from its TEXT UP line, its TEXT line being empty.
    void testBenchesFirst()
    {
        PresimFixture f;
        f.declareSignal(KindInput, "A");
        f.declareSignal(KindOutput, "Q");
        f.declareSignal(KindOutput, "R");
        f.addBox({1, "Header", 2, -1, -1, {"TOP"}});
        f.addBox({2, "Default", 4, -1, -1, {}, {"Q <= A + 1"}});
        f.addBox({4, "Event", 3, -1, -1, {}, {"R <= 9"}}, {"A == 4"});
        f.addBox({3, "State", 3, -1, -1, {"S0"}});
        f.addBox({10, "Header", 11}, {"BENCH"});
        f.addBox({11, "Initial", 12, -1, -1, {}, {"TB.A <= 4"}});
        f.addBox({12, "State", 12, -1, -1, {"T0"}});
        f.setDiagrams({0, 4}, {"Design", "TestBench"}, {{3, 3}, {12, 6}});
        runPresimulation(f.s);

        QCOMPARE(f.trace(), QStringList({kHeading, testBenchLine(2, "BENCH", 12, 6), "  - Initial: TB.A <= 4\t\n",
                                         designLine(1, "TOP", 3, 3),
                                         "  - Default: Q <= A + 1\t\n  - Event: R <= 9\tA == 4\t\n", ""}));
        QCOMPARE(f.s.simulation.defaultSignalValues, Values{5});
        QCOMPARE(f.row(0), Values({4, 5, 9}));
        QCOMPARE(f.sink.output, QStringList({kListHeading, " - Signal activacion:\tA\t", " - Valor activacion:\t4\t",
                                             " - Signal cambio:\tR\t", " - Valor cambio:\t9\t\n"}));
        // The analyser found the event; its lines come before the snapshot and the trace.
        const qsizetype analyser = f.sink.process.indexOf(kAnalyser);
        QVERIFY(analyser >= 0);
        QCOMPARE(f.sink.process.mid(analyser, 4), QStringList({kAnalyser, "Evento encontrado", "\t", kSave}));
    }

    // A parent of another kind gets no line and no walk.
    void otherKindsSkipped()
    {
        PresimFixture f;
        f.addBox({1, "Header", 2, -1, -1, {"A"}});
        f.addBox({2, "Ports", 99});
        f.addBox({5, "Header", 6, -1, -1, {"B"}});
        f.addBox({6, "State", 6});
        f.setDiagrams({0, 2}, {"", "Design"}, {{0, 0}, {6, 3}});
        runPresimulation(f.s);
        QCOMPARE(f.trace(), QStringList({kHeading, designLine(2, "B", 6, 3), "", ""}));
        QVERIFY(f.s.log.warningList.isEmpty());
        QVERIFY(f.s.log.errorList.isEmpty());
    }

    // A chain that goes round a loop is cut after as many steps as there are boxes.
    void chainWithoutEnd()
    {
        PresimFixture f;
        f.addBox({1, "Header", 2, -1, -1, {"TOP"}});
        f.addBox({2, "SyncOps", 3});
        f.addBox({3, "AsyncOps", 2});
        f.setDiagrams({0}, {"Design"}, {});
        runPresimulation(f.s);
        QCOMPARE(f.trace(), QStringList({kHeading, designLine(1, "TOP", 0, 0),
                                         "  - SyncOps:   - AsyncOps:   - SyncOps: ", ""}));
        QCOMPARE(f.s.log.errorList, QStringList{"Error! Cadena de cabecera sin fin. Padre ID: 1"});
    }

    // A diagram without states: its chain ends at a link that names no box (with the
    // lookup's warning), or at position 0.
    void chainOfDiagramWithoutStates()
    {
        PresimFixture f;
        f.addBox({1, "Header", 2, -1, -1, {"TOP"}});
        f.addBox({2, "Code", 1});
        f.addBox({3, "Header", 4, -1, -1, {"OTHER"}});
        f.addBox({4, "SyncOps", 99});
        f.setDiagrams({0, 2}, {"Design", "Design"}, {});
        runPresimulation(f.s);
        QCOMPARE(f.trace(), QStringList({kHeading, designLine(1, "TOP", 0, 0),
                                         "  - Code: Ya analizado en Sim.Declarativa\n",
                                         designLine(2, "OTHER", 0, 0), "  - SyncOps: ", ""}));
        QCOMPARE(f.s.log.warningList, QStringList{"WARNING!\t Hijo no encontrado con ID: 99"});
        QVERIFY(f.s.log.errorList.isEmpty());
    }

    // What each box type of a header chain adds on each side, and what it records.
    void boxHandling_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QStringList>("errors");
        QTest::addColumn<QStringList>("warnings");
        const QString tb = QStringLiteral("TestBench");
        const QString design = QStringLiteral("Design");
        const QString no = QStringLiteral("No implantado\n");
        const QString done = QStringLiteral("Ya analizado en Sim.Declarativa\n");
        auto error = [](const char *box) {
            return QStringList{QStringLiteral("Error!: BOX %1 no implantado en Presimulacion Operativa").arg(box)};
        };
        QTest::newRow("test-bench Ports") << tb << "Ports" << no << error("PORTS") << QStringList{};
        QTest::newRow("design Ports") << design << "Ports" << done << QStringList{} << QStringList{};
        QTest::newRow("test-bench Code") << tb << "Code" << no << QStringList{}
                                         << QStringList{"Warning!: BOX CODE no implantado en Presimulacion Operativa"};
        QTest::newRow("design Code") << design << "Code" << done << QStringList{} << QStringList{};
        QTest::newRow("test-bench Event") << tb << "Event" << no << error("EVENT") << QStringList{};
        QTest::newRow("test-bench Default") << tb << "Default" << no << error("DEFAULT") << QStringList{};
        QTest::newRow("test-bench Instance") << tb << "Instance" << "UUT: TOP\n" << QStringList{} << QStringList{};
        QTest::newRow("design Instance") << design << "Instance" << no << error("INSTANCE") << QStringList{};
        QTest::newRow("design Initial") << design << "Initial" << no << error("INITIAL") << QStringList{};
        QTest::newRow("test-bench MetaState") << tb << "MetaState" << no << error("METASTATE") << QStringList{};
        QTest::newRow("design MetaState") << design << "MetaState" << no << error("METASTATE") << QStringList{};
        QTest::newRow("test-bench SyncOps") << tb << "SyncOps" << "" << QStringList{} << QStringList{};
        QTest::newRow("design Header") << design << "Header" << "" << QStringList{} << QStringList{};
        QTest::newRow("design ThreadSync") << design << "ThreadSync" << "clk\n       Reloj: CLK\n" << QStringList{}
                                           << QStringList{};
    }
    void boxHandling()
    {
        QFETCH(QString, kind);
        QFETCH(QString, type);
        QFETCH(QString, added);
        QFETCH(QStringList, errors);
        QFETCH(QStringList, warnings);
        PresimFixture f;
        f.declareSignal(KindInput, "CLK");
        f.oneBoxChain(kind, type, {"clk"}, {"null"}, {"U1", "UUT: TOP"});
        runPresimulation(f.s);
        QCOMPARE(f.trace().value(2), QStringLiteral("  - ") + type + QStringLiteral(": ") + added);
        QCOMPARE(f.s.log.errorList, errors);
        QCOMPARE(f.s.log.warningList, warnings);
        QCOMPARE(f.s.signalTable.current.input, Values{-1});
    }

    // A type that adds nothing leaves the next box's entry on the same line.
    void entriesContinueOnOneLine()
    {
        PresimFixture f;
        f.declareSignal(KindInput, "CLK");
        f.addBox({1, "Header", 2, -1, -1, {"TOP"}});
        f.addBox({2, "Header", 3});
        f.addBox({3, "SyncOps", 4});
        f.addBox({4, "ThreadSync", 5, -1, -1, {"RELOJ"}});
        f.addBox({5, "State", 5});
        f.setDiagrams({0}, {"Design"}, {{5, 4}});
        runPresimulation(f.s);
        // The design's clock is shown as read, declared or not.
        QCOMPARE(f.trace().value(2),
                 QStringLiteral("  - Header:   - SyncOps:   - ThreadSync: RELOJ\n       Reloj: RELOJ\n"));
    }

    // Everything the presimulation writes is rebuilt: a second run neither doubles the
    // events and defaults nor keeps the values or the unit of the first.
    void secondRunStartsAfresh()
    {
        PresimFixture f;
        f.declareSignal(KindInput, "A");
        f.declareSignal(KindOutput, "Q");
        f.addBox({1, "Header", 2, -1, -1, {"TOP"}});
        f.addBox({2, "Default", 4, -1, -1, {}, {"Q <= 1"}});
        f.addBox({4, "Event", 3, -1, -1, {}, {"Q <= 2"}}, {"A == -1"});
        f.addBox({3, "State", 3});
        f.setDiagrams({0}, {"Design"}, {{3, 3}});
        f.s.simulation.cycleTimeUnit = QStringLiteral("ps");
        runPresimulation(f.s);
        f.s.signalTable.current.input = {7};
        f.s.simulation.simulationTable[5][0] = 3;
        runPresimulation(f.s);
        QCOMPARE(f.s.simulation.defaultSignalNames, QStringList{"Q"});
        QCOMPARE(f.s.model.eventChangeSignals, QStringList{"Q"});
        QCOMPARE(f.s.model.eventActivationSignals, QStringList{"A"});
        QCOMPARE(f.s.signalTable.current.input, Values{-1});
        QCOMPARE(f.s.signalTable.current.output, Values{2});
        QCOMPARE(f.row(5), Values({-1, -1}));
        QVERIFY(f.s.simulation.cycleTimeUnit.isEmpty());
    }

    // The operative stages in a row: the banner in the process pane and then in the
    // output pane, the state tables and their report, then the presimulation.
    void operativeStages()
    {
        PresimFixture f;
        f.addBox({1, "Header", 2, -1, -1, {"TOP"}});
        f.addBox({2, "Code", 3});
        f.addBox({3, "State", 3, -1, -1, {"IDLE"}});
        setParents(f.s.model, {0});
        f.s.model.parentKinds = diagramKindsNamed(QStringList{"Design"});
        startOperativeSimulation(f.s.model, f.s.log);
        reportHeadersAndStates(f.s.model, f.s.log);
        runPresimulation(f.s);

        QCOMPARE(f.sink.process.value(0), kBanner);
        QCOMPARE(f.sink.output.value(0), kBanner);
        QCOMPARE(f.sink.output.value(1), QStringLiteral("\t\tPadre Nº1"));
        QCOMPARE(f.sink.output.value(f.sink.output.size() - 5), kListHeading);
        QCOMPARE(f.s.model.stateIts.value(0).value(0), 2);
        QCOMPARE(f.trace(), QStringList({kHeading, designLine(1, "TOP", 3, 2),
                                         "  - Code: Ya analizado en Sim.Declarativa\n", ""}));
        QCOMPARE(f.s.signalTable.simCycle, 1);
    }

    // A design file read and declared by the earlier stages, then the operative set-up
    // and the table report: the test bench's values reach the design's event.
    void counterFromFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile design(dir.filePath(QStringLiteral("counter.vdo")));
        QVERIFY(design.open(QIODevice::WriteOnly | QIODevice::Text));
        design.write(kCounterDesign);
        design.close();

        PresimFixture f;
        QFile &out = f.s.log.outputFile;
        out.setFileName(dir.filePath(QStringLiteral("out.txt")));
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
        readDesignFile(f.s.model, f.s.log, design.fileName());
        buildBoxTypeIndex(f.s.model, f.s.log);
        findParentBoxes(f.s.model, f.s.log);
        runDeclarativeSimulation(f.s);
        QCOMPARE(diagramKindNames(f.s.model.parentKinds), QStringList({"Design", "TestBench"}));
        f.sink.output.clear();
        // The stage without its cycle loop: what the presimulation leaves.
        buildStateTable(f.s.model, f.s.log);
        reportHeadersAndStates(f.s.model, f.s.log);
        runPresimulation(f.s);
        reportSimulationTable(f.s.simulation, f.s.signalTable.simCycle, f.s.log);
        f.s.log.outputStream.flush();
        out.close();

        QCOMPARE(f.trace(),
                 QStringList({kHeading, testBenchLine(2, "BANCO", 22, 12),
                              "  - ThreadSync: UUT.CLK = 10 ns\n       Reloj: CLK\tCycleTime: 10ns\n"
                              "  - Initial: TB.EN <= 1\t\n",
                              designLine(1, "CONTADOR", 3, 4),
                              "  - Ports: Ya analizado en Sim.Declarativa\n  - Default: Q <= 0\t\n"
                              "  - Event: R <= 3\tEN == 1\t\n",
                              ""}));
        const QString banner = QStringLiteral("\n//-------------------------SIMULACION----------------------//");
        QCOMPARE(f.sink.output.mid(f.sink.output.size() - 6),
                 QStringList({banner, "\t[0]\t[1]\t", "CLK\t10\t-1\t", "EN\t1\t-1\t", "Q\t0\t-1\t", "R\t3\t-1\t"}));
        QVERIFY(out.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString file = QString::fromUtf8(out.readAll());
        QVERIFY(file.endsWith(banner + "\n\t\t[0]\t\t[1]\t\t\nCLK\t\t10\t\t-1\t\t\nEN\t\t1\t\t-1\t\t\n"
                                       "Q\t\t0\t\t-1\t\t\nR\t\t3\t\t-1\t\t\n"));
        QVERIFY(f.s.log.errorList.isEmpty());
    }
};

ASMSIM_REGISTER_TEST(TestPresimulation)
#include "tst_presimulation.moc"
