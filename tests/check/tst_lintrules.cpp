// Each rule proved on a whole run: a small design that gets the warning, whose run shows
// what the warning says will happen, and the same design mended, which gets no warning
// and runs as drawn. The designs are under tests/data (lint-*.vdo); lint-counter.vdo is
// the bundled counter, the mended form of the pairs built on it.

#include "check/checkdesign.h"
#include "core/panesink.h"
#include "run/rundriver.h"
#include "results/runresults.h"
#include "run/collectresults.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(ASMSIM_TEST_DATA "/") + name;
}

// "LINE RULE" of every warning of a design, in file order.
QStringList warningsOf(const QString &path)
{
    QStringList found;
    for (const DesignWarning &w : checkDesignFile(path).warnings)
        found << QStringLiteral("%1 %2").arg(w.line).arg(w.rule);
    return found;
}

// A whole run, as Run does it, with its output file in a temporary folder.
struct WholeRun {
    QTemporaryDir dir;
    MemorySink sink;
    SimState state{&sink};
    RunResults results;

    explicit WholeRun(const QString &path)
    {
        state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
        runSimulation(state, path);
        results = collectRunResults(state);
    }

    // The simulated value of a signal at a cycle; -1 without a value.
    qint32 value(const char *signal, int cycle) const
    {
        for (int column = 0; column < results.columns.size(); ++column)
            if (results.columns.at(column).name == QLatin1String(signal))
                return results.valueAt(cycle, column);
        return -2;
    }
    bool recorded(const QString &message) const
    {
        return state.log.errorList.contains(message) || state.log.warningList.contains(message);
    }
    bool clean() const { return state.log.errorList.isEmpty() && state.log.warningList.isEmpty(); }
    // The IDs the state table lists in a diagram's column.
    QVector<qint32> listed(int column) const
    {
        QVector<qint32> ids;
        for (const QVector<qint32> &row : state.model.stateIds)
            if (row.value(column) != 0)
                ids << row.value(column);
        return ids;
    }
};

// The counter's seven verifications (Q unset for three cycles, 1 at cycle 5, 2 at 6 and
// 7, EN high at 7), all correct, and nothing recorded.
void verifyCounterRunsAsDrawn(const QString &path)
{
    QVERIFY(warningsOf(path).isEmpty());
    const WholeRun run(path);
    QVERIFY(run.clean());
    QCOMPARE(run.results.correctCount(), 7);
    QCOMPARE(run.results.wrongCount(), 0);
    QCOMPARE(run.value("Q", 5), 1);
}

// The counter with a test bench of `states` one-cycle states before its end state;
// endIdLine is set to the line of the end state's Id line.
QByteArray counterWithLongTestBench(int states, int &endIdLine)
{
    QFile counter(dataFile(QStringLiteral("lint-counter.vdo")));
    if (!counter.open(QIODevice::ReadOnly))
        return {};
    // The design's boxes: everything before the test bench's header box.
    QByteArray text = counter.readAll();
    text.truncate(text.indexOf("Box {\n  Id = 30;"));
    QList<QByteArray> lines = text.split('\n');
    lines.removeLast();
    auto add = [&lines](int id, const char *type, const QList<QByteArray> &keys) {
        lines << "Box {" << "  Id = " + QByteArray::number(id) + ";" << QByteArray("  Type = ") + type + ";";
        lines += keys;
        lines << "}";
    };
    add(30, "Header", {"  Text = \"BANCO\";", "  Next = 31;"});
    add(31, "ThreadSync", {"  Text = \"TB.CLK = 10 ns\";", "  Next = 32;"});
    add(32, "Initial", {"  TextDown = \"TB.EN <= 0\";", "  Next = 100;"});
    for (int k = 0; k < states; ++k)
        add(100 + k, "StateAsyncOps", {"  TextUp = \"<1>\";", "  TextDown = \"TB.EN <= 0\";",
                                       "  Next = " + QByteArray::number(101 + k) + ";"});
    endIdLine = int(lines.size()) + 2;
    add(100 + states, "MetaState", {"  Text = \"end simulation\";", "  Next = 0;", "  Next0 = 0;"});
    return lines.join('\n') + '\n';
}

} // namespace

class TestLintRules : public QObject {
    Q_OBJECT

private slots:
    // Lines are the physical lines of the boxes' Id lines, counted in the files.
    void faultyDesignsGetTheirWarning_data()
    {
        QTest::addColumn<QString>("design");
        QTest::addColumn<QStringList>("warnings");
        QTest::newRow("key in text") << "lint-key-in-text.vdo" << QStringList{"23 clave-en-texto", "42 clave-en-texto"};
        QTest::newRow("end in text") << "lint-end-in-text.vdo" << QStringList{"36 end-en-texto"};
        QTest::newRow("duplicate id") << "lint-duplicate-id.vdo" << QStringList{"36 id-repetido"};
        QTest::newRow("dangling link") << "lint-dangling-link.vdo" << QStringList{"36 enlace-sin-caja"};
        QTest::newRow("next loop") << "lint-next-loop.vdo" << QStringList{"36 bucle-next"};
        QTest::newRow("loop without decision") << "loop-without-decision.vdo" << QStringList{"14 bucle-next"};
        QTest::newRow("unlisted state") << "lint-unlisted-state.vdo" << QStringList{"36 estado-no-listado"};
        QTest::newRow("passed state") << "lint-passed-state.vdo" << QStringList{"48 paso-por-estado"};
        QTest::newRow("repeated name") << "lint-repeated-name.vdo" << QStringList{"36 nombre-repetido"};
        QTest::newRow("no kind") << "lint-no-kind.vdo" << QStringList{"5 diagrama-sin-tipo"};
        QTest::newRow("testbench first") << "testbench-first.vdo" << QStringList{"31 diagrama-sin-tipo"};
        QTest::newRow("connector without state")
            << "lint-connector-without-state.vdo" << QStringList{"42 conector-sin-estado"};
        QTest::newRow("missing operand") << "lint-missing-operand.vdo" << QStringList{"36 operando-ausente"};
        QTest::newRow("undeclared operand") << "lint-undeclared-operand.vdo" << QStringList{"29 operando-no-declarado"};
        QTest::newRow("literal range") << "lint-literal-range.vdo" << QStringList{"36 literal-fuera-de-rango"};
        QTest::newRow("undeclared verification")
            << "lint-undeclared-verification.vdo" << QStringList{"73 verificacion-no-declarada"};
        QTest::newRow("verification after end")
            << "lint-verification-after-end.vdo" << QStringList{"80 verificacion-tras-fin"};
        QTest::newRow("async loop") << "lint-async-loop.vdo" << QStringList{"36 bucle-asincrono"};
    }

    void faultyDesignsGetTheirWarning()
    {
        QFETCH(QString, design);
        QFETCH(QStringList, warnings);
        QCOMPARE(warningsOf(dataFile(design)), warnings);
    }

    // The bundled example and every design of tests/data that runs as drawn.
    void designsThatRunAsDrawnGetNone_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("bundled example") << QStringLiteral(ASMSIM_TEST_DATA "/../../examples/counter.vdo");
        for (const char *name : {"counter-enable.vdo", "counter-wrong.vdo", "declare-ports.vdo", "fsm-decision.vdo",
                                 "presim-events.vdo", "two-boxes.vdo", "lint-counter.vdo"})
            QTest::newRow(name) << dataFile(QLatin1String(name));
        for (const char *name : {"key-in-text", "end-in-text", "next-loop", "unlisted-state", "passed-state",
                                 "repeated-name", "literal-range", "verification-after-end"})
            QTest::newRow(name) << dataFile(QStringLiteral("lint-%1-mended.vdo").arg(QLatin1String(name)));
    }

    void designsThatRunAsDrawnGetNone()
    {
        QFETCH(QString, path);
        QCOMPARE(warningsOf(path), QStringList());
    }

    // A state named "Idle": its Text line holds "Id", so the reader takes it for a second
    // Id line, refuses it and keeps no name for the state (nor for its connector).
    void aTextHoldingIdIsNotKept()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-key-in-text.vdo")));
        QVERIFY(faulty.recorded(QStringLiteral("ERROR!\t Segunda linea Id en la caja; no se guarda. Linea: 25")));
        QVERIFY(faulty.recorded(QStringLiteral("ERROR!\t Segunda linea Id en la caja; no se guarda. Linea: 44")));
        QCOMPARE(faulty.state.model.textMatrix.at(0).at(3), QStringLiteral("null"));
        QVERIFY(faulty.recorded(QStringLiteral("WARNING!\t No hay State con el mismo nombre;")));

        const WholeRun mended(dataFile(QStringLiteral("lint-key-in-text-mended.vdo")));
        QVERIFY(mended.clean());
        QCOMPARE(mended.state.model.textMatrix.at(0).at(3), QStringLiteral("Espera"));
        QCOMPARE(mended.results.correctCount(), 7);
    }

    // «Q <= Q + 1;%CR%// append one»: the piece holds "end", so the box's one cell is
    // "end" and the assignment is lost; Q never counts.
    void aPieceHoldingEndLosesItsLines()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-end-in-text.vdo")));
        QCOMPARE(faulty.state.model.textMatrix.at(0).at(5), QStringLiteral("end"));
        QCOMPARE(faulty.state.model.textMatrix.at(1).at(5), QStringLiteral("null"));
        QCOMPARE(faulty.value("Q", 5), -1);
        QCOMPARE(faulty.results.wrongCount(), 3);

        const WholeRun mended(dataFile(QStringLiteral("lint-end-in-text-mended.vdo")));
        QCOMPARE(mended.state.model.textMatrix.at(1).at(5), QStringLiteral("// add one"));
        QCOMPARE(mended.value("Q", 5), 1);
        QCOMPARE(mended.results.wrongCount(), 0);
        QVERIFY(mended.clean());
    }

    // The test bench's Initial box carries ID 15 too: the decision's Next1 = 15 leads to
    // it, never to the SyncOps box, so Q never counts.
    void linksGoToTheLastBoxOfAnId()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-duplicate-id.vdo")));
        QCOMPARE(faulty.value("Q", 5), -1);
        QVERIFY(faulty.results.wrongCount() > 0);
        verifyCounterRunsAsDrawn(dataFile(QStringLiteral("lint-counter.vdo")));
    }

    // The SyncOps box's Next names no box: the walks stop there, never reach the
    // connector, so the diagram gets no kind and is never simulated.
    void aLinkToNoBoxCutsTheWalk()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-dangling-link.vdo")));
        QVERIFY(faulty.recorded(QStringLiteral("WARNING!\t Hijo no encontrado con ID: 17")));
        QCOMPARE(faulty.state.model.parentKinds.first(), DiagramKind::None);
        QCOMPARE(faulty.value("Q", 5), -1);
    }

    // 15 → 17 → 15 by plain Next links: the declarative walk is cut with its error, the
    // diagram reaches no connector and is never simulated.
    void aRingOfNextLinksIsCut()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-next-loop.vdo")));
        QVERIFY(faulty.recorded(QStringLiteral("ERROR!\t Bucle sin fin en el diagrama del padre con ID: 10")));
        QCOMPARE(faulty.value("Q", 5), -1);

        const WholeRun mended(dataFile(QStringLiteral("lint-next-loop-mended.vdo")));
        QVERIFY(mended.clean());
        QCOMPARE(mended.value("Q", 5), 1);
        QCOMPARE(mended.value("V", 5), 1);
        QCOMPARE(mended.results.wrongCount(), 0);
    }

    // ESPERA stays through a connector named ESPERA: the state walk ends there, before
    // CUENTA (ID 15). The run never is in CUENTA: with X high from cycle 3 to 6 it counts
    // in every cycle, where the drawing counts every other cycle (Q 1 at cycle 8).
    void aStateTheTableNeverListsIsPassedThrough()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-unlisted-state.vdo")));
        QCOMPARE(faulty.listed(0), (QVector<qint32>{13, 17}));
        QCOMPARE(faulty.value("Q", 4), 0);
        QCOMPARE(faulty.value("Q", 8), 3);
        QCOMPARE(faulty.results.wrongCount(), 1);
        QVERIFY(faulty.clean());

        const WholeRun mended(dataFile(QStringLiteral("lint-unlisted-state-mended.vdo")));
        QCOMPARE(mended.listed(0), (QVector<qint32>{13, 15, 18}));
        QCOMPARE(mended.value("Q", 4), -1);
        QCOMPARE(mended.value("Q", 5), 0);
        QCOMPARE(mended.value("Q", 8), 1);
        QCOMPARE(mended.results.correctCount(), 1);
        QVERIFY(mended.clean());
    }

    // ESPERA's exit to DOS links the state box: at cycle 4 (X high) the walk runs DOS's
    // «Q <= 2» in ESPERA's cycle and goes on to ESPERA, so the machine runs UNO and DOS
    // a cycle early: Q is 1 at cycle 7, where the drawing has 2.
    void aStateReachedWithoutAConnectorIsPassedThrough()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-passed-state.vdo")));
        QCOMPARE(faulty.value("Q", 7), 1);
        QCOMPARE(faulty.value("Q", 8), 2);
        QCOMPARE(faulty.results.wrongCount(), 1);
        QVERIFY(faulty.clean());

        const WholeRun mended(dataFile(QStringLiteral("lint-passed-state-mended.vdo")));
        QCOMPARE(mended.value("Q", 7), 2);
        QCOMPARE(mended.value("Q", 8), 1);
        QCOMPARE(mended.results.correctCount(), 1);
        QVERIFY(mended.clean());
    }

    // The second state is named UNO as well: reaching UNO (or the connector UNO) goes on
    // from the last UNO, so the first never runs: Q goes to 2 at once and stays there.
    void aRepeatedNameTakesTheRunToTheLastState()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-repeated-name.vdo")));
        QCOMPARE(faulty.value("Q", 4), 2);
        QCOMPARE(faulty.value("Q", 6), 2);
        QCOMPARE(faulty.results.wrongCount(), 1);
        QVERIFY(faulty.clean());

        const WholeRun mended(dataFile(QStringLiteral("lint-repeated-name-mended.vdo")));
        QCOMPARE(mended.value("Q", 4), 1);
        QCOMPARE(mended.value("Q", 5), 2);
        QCOMPARE(mended.value("Q", 6), 1);
        QCOMPARE(mended.results.correctCount(), 1);
        QVERIFY(mended.clean());
    }

    // The counting exit links the state box itself: no walk reaches a connector, so the
    // design is neither design nor test bench and its cycles never run.
    void aDiagramWithoutKindIsNeverSimulated()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-no-kind.vdo")));
        QCOMPARE(faulty.state.model.parentKinds, (QVector<DiagramKind>{DiagramKind::None, DiagramKind::TestBench}));
        QCOMPARE(faulty.value("Q", 5), -1);
        QVERIFY(faulty.clean());
        QCOMPARE(faulty.results.wrongCount(), 3);
    }

    // The connector is named CONTAR and no state is: the walks find nothing under the
    // name, and from the next cycle on the design walk is cut at the connector.
    void aConnectorWithoutStateLeadsNowhere()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-connector-without-state.vdo")));
        QVERIFY(faulty.recorded(QStringLiteral("WARNING!\t No hay State con el mismo nombre;")));
        QVERIFY(faulty.recorded(QStringLiteral("Error! Recorrido del diseño interrumpido en la caja con ID: 16 (enlace 0)")));
        QVERIFY(faulty.results.wrongCount() > 0);
    }

    // «Q <= Q + ;» runs as Q + Q: from -1 it doubles on every count, with no message.
    void aMissingOperandRepeatsTheLeftValue()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-missing-operand.vdo")));
        QCOMPARE(faulty.value("Q", 4), -2);
        QCOMPARE(faulty.value("Q", 5), -4);
        QVERIFY(faulty.clean());
        QCOMPARE(faulty.results.wrongCount(), 3);
    }

    // «EN == ALTO»: ALTO is no signal, so the evaluator compares EN with itself and the
    // decision always counts, also while EN is low.
    void anUndeclaredOperandTakesTheLastValue()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-undeclared-operand.vdo")));
        QCOMPARE(faulty.value("EN", 1), 0);
        QCOMPARE(faulty.value("Q", 2), 0);
        QVERIFY(faulty.clean());
        QCOMPARE(faulty.results.wrongCount(), 5);
    }

    // «Q <= 20» on a [3:0] Q: Q holds 20, not the 4 that four bits keep.
    void aWideLiteralIsKeptWhole()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-literal-range.vdo")));
        QCOMPARE(faulty.value("Q", 5), 20);
        QCOMPARE(faulty.results.wrongCount(), 3);
        QVERIFY(faulty.clean());

        const WholeRun mended(dataFile(QStringLiteral("lint-literal-range-mended.vdo")));
        QCOMPARE(mended.value("Q", 5), 4);
        QCOMPARE(mended.results.correctCount(), 7);
        QVERIFY(mended.clean());
    }

    // «=> @3 TB.QQ == 1»: no diagram declares QQ, so the check passes the verification
    // over: six of the seven are counted, and nothing is recorded.
    void aVerificationOfAnUndeclaredSignalIsNotCounted()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-undeclared-verification.vdo")));
        QCOMPARE(faulty.results.correctCount() + faulty.results.wrongCount(), 6);
        QVERIFY(faulty.clean());
    }

    // «=> @4 TB.Q == 2» in the last state (entered at cycle 6) applies at cycle 9; the
    // test bench ends at cycle 8, so the table has no value there.
    void aVerificationAfterTheEndComparesWithNoValue()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-verification-after-end.vdo")));
        QCOMPARE(faulty.state.signalTable.simCycle, 8);
        bool found = false;
        for (const ResultVerification &v : faulty.results.verifications) {
            if (v.cycle == 9) {
                found = true;
                QCOMPARE(v.actual, -1);
                QVERIFY(!v.correct);
            }
        }
        QVERIFY(found);

        const WholeRun mended(dataFile(QStringLiteral("lint-verification-after-end-mended.vdo")));
        QCOMPARE(mended.results.correctCount(), 7);
        QCOMPARE(mended.results.wrongCount(), 0);
    }

    // The state table has 100 rows: a test bench of 100 states and its end state lists
    // 101; the end state gets no row, so the test bench runs out of states instead.
    void aTableOverItsRoomLeavesStatesOut()
    {
        QTemporaryDir dir;
        for (int states : {100, 99}) {
            int endIdLine = 0;
            const QString path = dir.filePath(QStringLiteral("long%1.vdo").arg(states));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(counterWithLongTestBench(states, endIdLine));
            file.close();
            const WholeRun run(path);
            if (states == 100) {
                QCOMPARE(warningsOf(path), QStringList{QStringLiteral("%1 tabla-llena").arg(endIdLine)});
                QVERIFY(run.recorded(QStringLiteral("ERROR!\t Demasiados estados en el diagrama del padre con ID: 30")));
                QVERIFY(run.recorded(
                    QStringLiteral("WARNING!\t El test bench termina sin estado end simulation. CICLO: 101")));
            } else {
                QCOMPARE(warningsOf(path), QStringList());
                QVERIFY(run.clean());
                QCOMPARE(run.state.signalTable.simCycle, 100);
            }
        }
    }

    // «Q <= Q + 1» in an AsyncOps box: in every cycle that counts, every walk changes Q,
    // and the settling gives up with its error.
    void anAsynchronousCountNeverSettles()
    {
        const WholeRun faulty(dataFile(QStringLiteral("lint-async-loop.vdo")));
        QVERIFY(faulty.recorded(QStringLiteral("Error! Bucle infinito en el diseño. CICLO: 3")));
        QVERIFY(!faulty.recorded(QStringLiteral("Error! Bucle infinito en el diseño. CICLO: 2")));
        verifyCounterRunsAsDrawn(dataFile(QStringLiteral("lint-counter.vdo")));
    }
};

ASMSIM_REGISTER_TEST(TestLintRules)
#include "tst_lintrules.moc"
