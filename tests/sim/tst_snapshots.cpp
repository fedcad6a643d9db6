// Cycle snapshots: the values of every declared signal copied into one row of the
// simulation table and shown in the process pane.

#include "simfixture.h"
#include "sim/simulationstate.h"
#include "sim/snapshots.h"
#include "testmain.h"

#include <QTest>

namespace {

const QString kSave = QStringLiteral("//------------SAVE CYCLE-----------//");
const QString kNow = QStringLiteral("//------------SAVE CYCLE AHORA-----------//");
const QString kAfter = QStringLiteral("//------------SAVE CYCLE DESPUES-----------//");

using Row = QVector<qint32>;

// The table as the presimulation creates it: rows 0 to 300, every cell -1.
void createTable(SimParts &s, int columns)
{
    s.simulation.simulationTable = QVector<Row>(kSimulationRows, Row(columns, -1));
}

} // namespace

class TestSnapshots : public QObject {
    Q_OBJECT

private slots:
    // The first signal line carries the "TODAS:" prefix in the same entry.
    void saveCycleWithSignals()
    {
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindInput, "A", 1);
        f.declare(KindInput, "B", 0);
        f.declare(KindOutput, "Q", 5);
        createTable(s, 3);
        saveCycle(s.signalTable, s.simulation, s.log, 0);
        QCOMPARE(f.sink.process, QStringList({kSave, "- Ciclo: 0", "TODAS:\n\t-  A:\t1", "\t-  B:\t0", "\t-  Q:\t5"}));
        QCOMPARE(s.simulation.simulationTable.at(0), Row({1, 0, 5}));
        QCOMPARE(s.simulation.simulationTable.at(1), Row({-1, -1, -1}));
        QVERIFY(f.sink.output.isEmpty());
    }

    void saveCycleWithoutSignals()
    {
        SimFixture f;
        createTable(*f.state, 0);
        saveCycle(f.state->signalTable, f.state->simulation, f.state->log, 0);
        QCOMPARE(f.sink.process, QStringList({kSave, "- Ciclo: 0"}));
    }

    // At the clock edge: row 3 from the current values, row 4 from the next ones, and no
    // "TODAS:" prefix on either.
    void nowThenAfter()
    {
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindInput, "A", 1);
        f.declare(KindOutput, "Q", 5);
        s.signalTable.next.input = {2};
        s.signalTable.next.output = {6};
        createTable(s, 2);
        saveCycleNow(s.signalTable, s.simulation, s.log, 3);
        saveCycleAfter(s.signalTable, s.simulation, s.log, 4);
        QCOMPARE(f.sink.process, QStringList({kNow, "- Ciclo: 3", "\t-  A:\t1", "\t-  Q:\t5", kAfter, "- Ciclo: 4",
                                              "\t-  A:\t2", "\t-  Q:\t6"}));
        QCOMPARE(s.simulation.simulationTable.at(3), Row({1, 5}));
        QCOMPARE(s.simulation.simulationTable.at(4), Row({2, 6}));
    }

    // A kind without signals takes no columns: with no inputs the first output is
    // column 0, and the wires follow the outputs directly.
    void noInputsOutputsFromColumnZero()
    {
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindOutput, "Q", 5);
        f.declare(KindWire, "W", 3);
        createTable(s, 2);
        saveCycle(s.signalTable, s.simulation, s.log, 7);
        QCOMPARE(s.simulation.simulationTable.at(7), Row({5, 3}));
        QCOMPARE(f.sink.process.at(2), QStringLiteral("TODAS:\n\t-  Q:\t5"));
    }

    // After the edge, a kind whose current values are empty is skipped even when it has
    // next values, so the next kind's values move into its columns.
    void afterSkipsKindWithoutCurrentValues()
    {
        SimFixture f;
        SimParts &s = *f.state;
        s.signalTable.inputNames << "A";
        s.signalTable.next.input = {7};
        f.declare(KindOutput, "Q", 5);
        s.signalTable.next.output = {6};
        createTable(s, 2);
        saveCycleAfter(s.signalTable, s.simulation, s.log, 1);
        QCOMPARE(f.sink.process, QStringList({kAfter, "- Ciclo: 1", "\t-  Q:\t6"}));
        QCOMPARE(s.simulation.simulationTable.at(1), Row({6, -1}));
    }

    // A snapshot of the same row later overwrites it.
    void laterSnapshotOverwrites()
    {
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindInput, "A", 1);
        createTable(s, 1);
        saveCycle(s.signalTable, s.simulation, s.log, 2);
        s.signalTable.current.input = {9};
        saveCycleNow(s.signalTable, s.simulation, s.log, 2);
        QCOMPARE(s.simulation.simulationTable.at(2), Row{9});
    }

    // A row outside the table has no room: nothing is written, the lines are shown.
    void rowOutsideTableSkipped_data()
    {
        QTest::addColumn<qint32>("cycle");
        QTest::newRow("just past the last row") << 301;
        QTest::newRow("far past") << 100000;
        QTest::newRow("negative") << -1;
    }
    void rowOutsideTableSkipped()
    {
        QFETCH(qint32, cycle);
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindInput, "A", 1);
        s.signalTable.next.input = {2};
        createTable(s, 1);
        const QVector<Row> before = s.simulation.simulationTable;
        saveCycle(s.signalTable, s.simulation, s.log, cycle);
        saveCycleNow(s.signalTable, s.simulation, s.log, cycle);
        saveCycleAfter(s.signalTable, s.simulation, s.log, cycle);
        QCOMPARE(s.simulation.simulationTable, before);
        const QString number = QStringLiteral("- Ciclo: %1").arg(cycle);
        QCOMPARE(f.sink.process, QStringList({kSave, number, "TODAS:\n\t-  A:\t1", kNow, number, "\t-  A:\t1", kAfter,
                                              number, "\t-  A:\t2"}));
    }

    // The last row is still written.
    void lastRowWritten()
    {
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindInput, "A", 4);
        createTable(s, 1);
        saveCycle(s.signalTable, s.simulation, s.log, kLastSimulationRow);
        QCOMPARE(s.simulation.simulationTable.at(300), Row{4});
    }

    // Values past the width of the row are not written; every line is still shown.
    void valuesPastRowWidthSkipped()
    {
        SimFixture f;
        SimParts &s = *f.state;
        f.declare(KindInput, "A", 1);
        f.declare(KindOutput, "Q", 2);
        createTable(s, 1);
        saveCycle(s.signalTable, s.simulation, s.log, 0);
        QCOMPARE(s.simulation.simulationTable.at(0), Row{1});
        QCOMPARE(f.sink.process, QStringList({kSave, "- Ciclo: 0", "TODAS:\n\t-  A:\t1", "\t-  Q:\t2"}));
    }

    // Before any table exists a snapshot only shows its lines.
    void noTable()
    {
        SimFixture f;
        f.declare(KindInput, "A", 1);
        saveCycle(f.state->signalTable, f.state->simulation, f.state->log, 0);
        QVERIFY(f.state->simulation.simulationTable.isEmpty());
        QCOMPARE(f.sink.process.size(), 3);
    }
};

ASMSIM_REGISTER_TEST(TestSnapshots)
#include "tst_snapshots.moc"
