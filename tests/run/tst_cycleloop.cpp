// The cycle loop over whole runs of small designs: the order of the parents in a pass,
// the clock edge, the settling of asynchronous changes and the ways the loop ends.

#include "core/panesink.h"
#include "run/rundriver.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray box(int id, const char *type, const QByteArray &keys)
{
    return "Box {\n  Id = " + QByteArray::number(id) + ";\n  Type = " + type + ";\n" + keys + "}\n";
}

QByteArray next(int id)
{
    return "  Next = " + QByteArray::number(id) + ";\n";
}

QByteArray text(const char *key, const QByteArray &value)
{
    return QByteArray("  ") + key + " = \"" + value + "\";\n";
}

// A design with input A and output Q: state S, one operation box, and a connector back
// to S by name.
QByteArray counterDesign(const char *opsType, const QByteArray &ops)
{
    return box(1, "Header", text("Text", "CONTADOR") + next(2)) +
           box(2, "Ports", text("Text", "INPUT A%CR%OUTPUT Q") + next(3)) +
           box(3, "State", text("Text", "S") + next(4)) + box(4, opsType, text("Text", ops) + next(5)) +
           box(5, "State", text("Text", "S") + next(0));
}

// A test bench that holds A at 1 for `length` cycles, then ends.
QByteArray testBench(int length)
{
    return box(20, "Header", text("Text", "BANCO") + next(21)) +
           box(21, "StateAsyncOps",
               text("TextUp", "<" + QByteArray::number(length) + ">") + text("TextDown", "TB.A <= 1") + next(22)) +
           box(22, "MetaState", text("Text", "end simulation") + next(0) + "  Next0 = 0;\n");
}

struct Run {
    QTemporaryDir dir;
    MemorySink sink;
    SimState state{&sink};

    void run(const QByteArray &design)
    {
        const QString path = dir.filePath(QStringLiteral("design.vdo"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(design);
        file.close();
        state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
        runSimulation(state, path);
    }

    // One column of the simulation table, rows 0 to simCycle.
    QVector<qint32> column(int j) const
    {
        QVector<qint32> values;
        for (int row = 0; row <= state.signalTable.simCycle && row < state.simulation.simulationTable.size(); ++row)
            values << state.simulation.simulationTable.at(row).value(j);
        return values;
    }
    qsizetype processCount(const QString &needle) const { return sink.process.join(QLatin1Char('\n')).count(needle); }
};

} // namespace

class TestCycleLoop : public QObject {
    Q_OBJECT

private slots:
    // Whatever the order of the diagrams in the file, the test bench drives each pass
    // first and every pass ends at the clock edge. A synchronous «Q <= Q + 1» is seen from
    // the next cycle on; in the last pass the design is not walked from a state, but the
    // settling sees the edge's change and walks once more.
    void theTestBenchGoesFirstWhateverTheOrder_data()
    {
        QTest::addColumn<QByteArray>("design");
        QTest::newRow("design first") << counterDesign("SyncOps", "Q <= Q + 1;") + testBench(3);
        QTest::newRow("test bench first") << testBench(3) + counterDesign("SyncOps", "Q <= Q + 1;");
    }
    void theTestBenchGoesFirstWhateverTheOrder()
    {
        QFETCH(QByteArray, design);
        Run r;
        r.run(design);
        QCOMPARE(r.state.signalTable.simCycle, 4);
        QCOMPARE(r.state.simulation.simulationColumnNames, (QStringList{"A", "Q"}));
        QCOMPARE(r.column(0), (QVector<qint32>{-1, 1, 1, 1, 1}));
        QCOMPARE(r.column(1), (QVector<qint32>{-1, -1, 0, 1, 2}));
        QCOMPARE(r.processCount(QStringLiteral("CICLO SE SIMULACION NUEVO: ")), 4);
        // The last pass's settling texts stay in the entry being built, which is dropped.
        QCOMPARE(r.processCount(QStringLiteral("EN EL CICLO: 4")), 0);
        QCOMPARE(r.processCount(QStringLiteral("\t\tNO CAMBIA EN EL CICLO: 3\n")), 1);
        QVERIFY(r.state.log.errorList.isEmpty());
        QCOMPARE(r.sink.process.last(), QStringLiteral("\nNumero de ciclos de simulacion: 4"));
    }

    void withoutATestBenchNoCycleIsSimulated()
    {
        Run r;
        r.run(counterDesign("SyncOps", "Q <= Q + 1;"));
        QCOMPARE(r.state.log.warningList,
                 QStringList{"WARNING!\t No hay padre de test bench: no se simulan ciclos"});
        QCOMPARE(r.processCount(QStringLiteral("CICLOS DE SIMULACION")), 0);
        QCOMPARE(r.processCount(QStringLiteral("CICLO SE SIMULACION NUEVO")), 0);
        QCOMPARE(r.state.signalTable.simCycle, 1);
    }

    // «Q <= Q + 1» in an AsyncOps box changes Q on every walk: the first cycle settles
    // for 1000 changing walks and gives up with one error; the count of changing walks
    // stays at 1000 or more, so the next changing walk is reported at once, in the second
    // cycle and again in the last pass.
    void anAsynchronousLoopGivesUpAfter1000Walks()
    {
        Run r;
        r.run(counterDesign("AsyncOps", "Q <= Q + 1;") + testBench(2));
        QCOMPARE(r.state.signalTable.simCycle, 3);
        QCOMPARE(r.processCount(QStringLiteral("\t\tCAMBIA EN EL CICLO: 1\n")), 1000);
        QCOMPARE(r.processCount(QStringLiteral("\t\tCAMBIA EN EL CICLO: 2\n")), 1);
        // The last pass's settling is only seen through its error: its texts are dropped.
        QCOMPARE(r.processCount(QStringLiteral("EN EL CICLO: 3")), 0);
        QCOMPARE(r.state.log.errorList, (QStringList{"Error! Bucle infinito en el diseño. CICLO: 1",
                                                     "Error! Bucle infinito en el diseño. CICLO: 2",
                                                     "Error! Bucle infinito en el diseño. CICLO: 3"}));
        QVERIFY(r.state.simulation.changedPasses >= 1000);
    }

    // A settling that keeps walking fills the cycle log; at its room the simulation stops
    // with an error instead of growing without end. Here the room is lowered to 20000
    // characters: the 1000 walks of the first cycle would write far more.
    void aFullCycleLogStopsTheSimulation()
    {
        Run r;
        r.state.simulation.maxCycleLogLength = 20000;
        r.run(counterDesign("AsyncOps", "Q <= Q + 1;") + testBench(2));
        QCOMPARE(r.state.signalTable.simCycle, 1);
        QCOMPARE(r.state.log.errorList,
                 QStringList{"Error! Registro de ciclos demasiado largo: simulacion detenida en el ciclo 1"});
        qint64 shown = 0;
        for (const QString &item : r.sink.process)
            shown += item.size();
        QVERIFY(shown < 200000);
    }

    // A test bench longer than the table stops at its last row.
    void theLoopStopsAtTheLastRowOfTheTable()
    {
        Run r;
        r.run(counterDesign("SyncOps", "Q <= Q + 1;") + testBench(400));
        QCOMPARE(r.state.signalTable.simCycle, 300);
        QCOMPARE(r.state.log.errorList,
                 QStringList{"Error! Simulacion detenida en el ciclo 300: ultima fila de la tabla de simulacion"});
        // Q counts from 0 in cycle 2: row 300 holds the value written at the last edge.
        QCOMPARE(r.column(1).value(300), 298);
    }
};

ASMSIM_REGISTER_TEST(TestCycleLoop)
#include "tst_cycleloop.moc"
