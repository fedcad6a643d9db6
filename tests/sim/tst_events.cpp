// The events of a design: the Event box read into the event table, the event list and
// the event analyser that applies the events once to the first values.

#include "designbuilder.h"
#include "simfixture.h"
#include "sim/events.h"
#include "testmain.h"

#include <QTest>

namespace {

const QString kListHeading =
    QStringLiteral("\n//----------------------------- Lista de eventos -------------------------------//");
const QString kAnalyserHeading = QStringLiteral("\n//--------------Analizador Eventos--------------//");
const QString kFound = QStringLiteral("Evento encontrado");
const QString kNotChangeable = QStringLiteral("Error! Evento sobre una señal que no es output, inout o wire: ");
const QString kNotInput = QStringLiteral("Error! Evento activado por una señal que no es input: ");

// Adds an Event box with its activation lines (TEXT UP) and change lines (TEXT DOWN) and
// returns its position.
int addEventBox(SimParts &s, const QStringList &activations, const QStringList &changes)
{
    addBoxes(s.model, {{7, "Event", -1, -1, -1, {}, changes}});
    const int pos = s.model.boxCount - 1;
    putLines(s.model.textUpMatrix, pos, activations);
    return pos;
}

struct EventTable {
    QStringList activationSignals;
    QVector<qint32> activationValues;
    QStringList changeSignals;
    QVector<qint32> changeValues;
};

void fillEvents(SimParts &s, const EventTable &events)
{
    s.model.eventActivationSignals = events.activationSignals;
    s.model.eventActivationValues = events.activationValues;
    s.model.eventChangeSignals = events.changeSignals;
    s.model.eventChangeValues = events.changeValues;
}

} // namespace

class TestEvents : public QObject {
    Q_OBJECT

private slots:
    // One activation line and three change lines: three events with that activation.
    // The chain line holds the change lines, then the activation line, then a line feed;
    // empty cells are skipped.
    void threeChangesShareOneActivation()
    {
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindInput, "A", 1);
        f.declare(KindOutput, "X", -1);
        f.declare(KindInout, "Y", -1);
        f.declare(KindWire, "Z", -1);
        const int pos = addEventBox(s, {"null", "A == 1"}, {"X <= 2", "null", "Y <= 3", "z <= 4"});

        QString chain = QStringLiteral("  - Event: ");
        parseEventBox(s, pos, chain);

        QCOMPARE(chain, QStringLiteral("  - Event: X <= 2\tY <= 3\tz <= 4\tA == 1\t\n"));
        QCOMPARE(s.model.eventActivationSignals, QStringList({"A", "A", "A"}));
        QCOMPARE(s.model.eventActivationValues, QVector<qint32>({1, 1, 1}));
        QCOMPARE(s.model.eventChangeSignals, QStringList({"X", "Y", "Z"}));
        QCOMPARE(s.model.eventChangeValues, QVector<qint32>({2, 3, 4}));
        QVERIFY(s.log.errorList.isEmpty());
    }

    // Two activations and one change: nothing is repeated or trimmed.
    void moreActivationsThanChanges()
    {
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindInput, "A", 0);
        f.declare(KindInput, "B", 0);
        f.declare(KindOutput, "X", -1);
        const int pos = addEventBox(s, {"A == 1", "B == 0"}, {"X <= 2"});
        QString chain;
        parseEventBox(s, pos, chain);
        QCOMPARE(s.model.eventActivationSignals, QStringList({"A", "B"}));
        QCOMPARE(s.model.eventActivationValues, QVector<qint32>({1, 0}));
        QCOMPARE(s.model.eventChangeSignals, QStringList{"X"});
    }

    // The value a change line writes is the value of the rest of the line, evaluated from
    // a clean slate whatever an earlier evaluation left in the registers.
    void changeValueIsTheValueWritten_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<qint32>("value");
        QTest::newRow("number") << "X <= 5" << 5;
        QTest::newRow("signal") << "X <= B" << 7;
        QTest::newRow("arithmetic") << "X <= B + 1" << 8;
        // The last signal processed before the line is B: a based literal is still 5.
        QTest::newRow("based literal") << "X <= 'b101" << 5;
        QTest::newRow("sized hex") << "X <= 8'hFF" << 255;
        QTest::newRow("unknown name") << "X <= NOPE" << -1;
        QTest::newRow("comparison") << "X <= A == 1" << 1;
        QTest::newRow("false comparison") << "X <= B == 1" << 0;
        QTest::newRow("no operator") << "X 6" << 6;
    }
    void changeValueIsTheValueWritten()
    {
        QFETCH(QString, line);
        QFETCH(qint32, value);
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindInput, "A", 1);
        f.declare(KindInput, "B", 7);
        f.declare(KindOutput, "X", -1);
        // What an earlier evaluation leaves behind.
        s.registers.logicFound = 1;
        s.registers.comparisonFound = 1;
        s.registers.truthValue = true;
        s.registers.exprValue = 42;
        s.registers.currentSignalName = QStringLiteral("B");
        const int pos = addEventBox(s, {"A == 1"}, {line});
        QString chain;
        parseEventBox(s, pos, chain);
        QCOMPARE(s.model.eventChangeSignals, QStringList{"X"});
        QCOMPARE(s.model.eventChangeValues, QVector<qint32>{value});
    }

    // Activation values are evaluated the same way.
    void activationValueIsTheValueWritten()
    {
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindInput, "A", 1);
        f.declare(KindInput, "B", 7);
        f.declare(KindOutput, "X", -1);
        s.registers.logicFound = 1;
        const int pos = addEventBox(s, {"A == B + 1", "B == 'b11", "A == NOPE"}, {"X <= 1", "X <= 2", "X <= 3"});
        QString chain;
        parseEventBox(s, pos, chain);
        QCOMPARE(s.model.eventActivationSignals, QStringList({"A", "B", "A"}));
        QCOMPARE(s.model.eventActivationValues, QVector<qint32>({8, 3, -1}));
    }

    // A change name held by several kinds is one event, not one per kind.
    void changeNameAppendedOnce()
    {
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindInput, "A", 1);
        f.declare(KindOutput, "X", -1);
        f.declare(KindInout, "X", -1);
        f.declare(KindWire, "X", -1);
        f.declare(KindWire, "W", -1);
        const int pos = addEventBox(s, {"A == 1"}, {"X <= 3", "W <= 4"});
        QString chain;
        parseEventBox(s, pos, chain);
        QCOMPARE(s.model.eventChangeSignals, QStringList({"X", "W"}));
        QCOMPARE(s.model.eventChangeValues, QVector<qint32>({3, 4}));
        QCOMPARE(s.model.eventActivationSignals, QStringList({"A", "A"}));
    }

    // A change line on a name that is not an output, inout or wire is evaluated and
    // traced but records nothing, so the next line's name and value stay together.
    void changeOnOtherSignalRecordsNothing_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("error");
        QTest::newRow("input") << "a <= 3" << kNotChangeable + "A";
        QTest::newRow("undeclared") << "NOPE <= 3" << kNotChangeable + "NOPE";
        QTest::newRow("no name") << "<= 3" << kNotChangeable;
        QTest::newRow("number first") << "9 <= 3" << kNotChangeable;
    }
    void changeOnOtherSignalRecordsNothing()
    {
        QFETCH(QString, line);
        QFETCH(QString, error);
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindInput, "A", 1);
        f.declare(KindOutput, "X", -1);
        const int pos = addEventBox(s, {"A == 1"}, {line, "X <= 4"});
        QString chain;
        parseEventBox(s, pos, chain);
        QCOMPARE(chain, line + QStringLiteral("\tX <= 4\tA == 1\t\n"));
        QCOMPARE(s.model.eventChangeSignals, QStringList{"X"});
        QCOMPARE(s.model.eventChangeValues, QVector<qint32>{4});
        QCOMPARE(s.model.eventActivationSignals, QStringList{"A"});
        QCOMPARE(s.log.errorList, QStringList{error});
        // The rejected line was evaluated: its literal 3 is in the trace.
        QVERIFY(s.log.traceLines.isEmpty());
        QVERIFY(f.sink.process.contains(QStringLiteral("3")));
    }

    // An activation line on a name that is not an input records nothing; with no
    // activation at all there is nothing to repeat for the changes.
    void activationByOtherSignalRecordsNothing()
    {
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindOutput, "Q", -1);
        const int pos = addEventBox(s, {"Q == 1", "== 2"}, {"Q <= 2"});
        QString chain;
        parseEventBox(s, pos, chain);
        QVERIFY(s.model.eventActivationSignals.isEmpty());
        QVERIFY(s.model.eventActivationValues.isEmpty());
        QCOMPARE(s.model.eventChangeSignals, QStringList{"Q"});
        QCOMPARE(s.model.eventChangeValues, QVector<qint32>{2});
        QCOMPARE(s.log.errorList, QStringList({kNotInput + "Q", kNotInput}));
    }

    // The repetition compares the whole table: a second box with one change gets the
    // last activation of the table repeated once.
    void repetitionAcrossBoxes()
    {
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindInput, "A", 1);
        f.declare(KindInput, "B", 2);
        f.declare(KindOutput, "X", -1);
        QString chain;
        parseEventBox(s, addEventBox(s, {"A == 1"}, {"X <= 1", "X <= 2"}), chain);
        parseEventBox(s, addEventBox(s, {"B == 2"}, {"X <= 3", "X <= 4"}), chain);
        QCOMPARE(s.model.eventActivationSignals, QStringList({"A", "A", "B", "B"}));
        QCOMPARE(s.model.eventActivationValues, QVector<qint32>({1, 1, 2, 2}));
        QCOMPARE(s.model.eventChangeValues, QVector<qint32>({1, 2, 3, 4}));
        QCOMPARE(chain, QStringLiteral("X <= 1\tX <= 2\tA == 1\t\nX <= 3\tX <= 4\tB == 2\t\n"));
    }

    void listWithNoEvents()
    {
        SimFixture f;
        reportEventList(f.state->model, f.state->log);
        QCOMPARE(f.sink.output, QStringList({kListHeading, " - Signal activacion:\t", " - Valor activacion:\t",
                                             " - Signal cambio:\t", " - Valor cambio:\t\n"}));
    }

    // Each vector is printed in full, whatever the lengths of the others.
    void listPrintsEachVectorInFull()
    {
        SimFixture f;
        fillEvents(*f.state, {{"A", "B"}, {1, -5}, {"X"}, {12}});
        reportEventList(f.state->model, f.state->log);
        QCOMPARE(f.sink.output, QStringList({kListHeading, " - Signal activacion:\tA\tB\t",
                                             " - Valor activacion:\t1\t-5\t", " - Signal cambio:\tX\t",
                                             " - Valor cambio:\t12\t\n"}));
    }

    void analyserWithNoEvents()
    {
        SimFixture f;
        analyseEvents(f.state->model, f.state->signalTable, f.state->log);
        QCOMPARE(f.sink.process, QStringList({kAnalyserHeading, "\t"}));
    }

    // The analyser applies each event once, in table order, to the values of that
    // moment. Inputs A (1), U (-1); outputs X, Y; wire X.
    void analyserApplies_data()
    {
        QTest::addColumn<QStringList>("activationSignals");
        QTest::addColumn<QVector<qint32>>("activationValues");
        QTest::addColumn<QStringList>("changeSignals");
        QTest::addColumn<QVector<qint32>>("changeValues");
        QTest::addColumn<int>("found");
        QTest::addColumn<QVector<qint32>>("outputs");  // X, Y
        QTest::addColumn<qint32>("wire");              // X

        using V = QVector<qint32>;
        QTest::newRow("fires, every kind of the name")
            << QStringList{"A"} << V{1} << QStringList{"X"} << V{9} << 1 << V{9, 0} << 9;
        QTest::newRow("value differs") << QStringList{"A"} << V{0} << QStringList{"X"} << V{9} << 1 << V{0, 0} << 0;
        QTest::newRow("undeclared activation")
            << QStringList{"NOPE"} << V{1} << QStringList{"X"} << V{9} << 0 << V{0, 0} << 0;
        QTest::newRow("input without value, other value")
            << QStringList{"U"} << V{1} << QStringList{"Y"} << V{4} << 1 << V{0, 0} << 0;
        QTest::newRow("input without value, value -1")
            << QStringList{"U"} << V{-1} << QStringList{"Y"} << V{4} << 1 << V{0, 4} << 0;
        // The second event reads the value the first one wrote.
        QTest::newRow("later event sees earlier change")
            << QStringList{"A", "X"} << V{1, 9} << QStringList{"X", "Y"} << V{9, 5} << 2 << V{9, 5} << 9;
        // The activations lead; an event missing its change is found and changes nothing.
        QTest::newRow("missing change")
            << QStringList{"A", "A"} << V{1, 1} << QStringList{"Y"} << V{3} << 2 << V{0, 3} << 0;
        QTest::newRow("missing change value")
            << QStringList{"A", "A"} << V{1, 1} << QStringList{"Y", "X"} << V{3} << 2 << V{0, 3} << 0;
        QTest::newRow("missing activation value")
            << QStringList{"A", "A"} << V{1} << QStringList{"Y", "X"} << V{3, 8} << 2 << V{0, 3} << 0;
        QTest::newRow("changes without activation")
            << QStringList{} << V{} << QStringList{"Y"} << V{3} << 0 << V{0, 0} << 0;
    }
    void analyserApplies()
    {
        QFETCH(QStringList, activationSignals);
        QFETCH(QVector<qint32>, activationValues);
        QFETCH(QStringList, changeSignals);
        QFETCH(QVector<qint32>, changeValues);
        QFETCH(int, found);
        QFETCH(QVector<qint32>, outputs);
        QFETCH(qint32, wire);

        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindInput, "A", 1);
        f.declare(KindInput, "U", -1);
        f.declare(KindOutput, "X", 0);
        f.declare(KindOutput, "Y", 0);
        f.declare(KindWire, "X", 0);
        fillEvents(s, {activationSignals, activationValues, changeSignals, changeValues});
        analyseEvents(s.model, s.signalTable, s.log);

        QStringList expected{kAnalyserHeading};
        for (int k = 0; k < found; ++k)
            expected << kFound;
        expected << QStringLiteral("\t");
        QCOMPARE(f.sink.process, expected);
        QCOMPARE(s.signalTable.current.output, outputs);
        QCOMPARE(s.signalTable.current.wire, QVector<qint32>{wire});
        QCOMPARE(s.signalTable.current.input, QVector<qint32>({1, -1}));
    }
};

ASMSIM_REGISTER_TEST(TestEvents)
#include "tst_events.moc"
