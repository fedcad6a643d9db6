// What the boxes met by a design walk do: assignment lines with their timing and log
// texts, decisions choosing a link, conditional operation boxes, and the boxes that are
// not supported.

#include "simparts.h"
#include "designbuilder.h"
#include "sim/boxexecution.h"
#include "testmain.h"

#include <QTest>

namespace {

// Inputs A and B (A = a, B = b), output Q = 5, wire W = 0; X is declared as an input
// and as a wire. The next values equal the current ones, as the design parent leaves
// them before its walk.
void declareSignals(SimParts &s, qint32 a = 0, qint32 b = 0)
{
    SignalTable &t = s.signalTable;
    t.inputNames = QStringList{"A", "B", "X"};
    t.outputNames = QStringList{"Q"};
    t.wireNames = QStringList{"W", "X"};
    t.current.input = {a, b, 0};
    t.current.output = {5};
    t.current.wire = {0, 0};
    t.next = t.current;
    t.previous = t.current;
}

qint32 currentQ(const SimParts &s)
{
    return s.signalTable.current.output.value(0);
}

qint32 nextQ(const SimParts &s)
{
    return s.signalTable.next.output.value(0);
}

const QString &logEntry(const SimParts &s)
{
    return s.simulation.loop.logEntry;
}

// One box of the given type at position 0, with its condition in TextUp line 0.
void addConditionalBox(SimParts &s, const QString &type, const QString &condition, const QStringList &down)
{
    addBoxes(s.model, {{7, type, 8, -1, -1, {}, down}});
    s.model.textUpMatrix[0][0] = condition;
}

} // namespace

class TestBoxExecution : public QObject {
    Q_OBJECT

private slots:
    void findSignalByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("index");
        QTest::newRow("input") << "B" << 1 << 1;
        QTest::newRow("first index within a kind") << "A" << 1 << 0;
        QTest::newRow("output") << "Q" << 2 << 0;
        QTest::newRow("input and wire: the wire wins") << "X" << 4 << 1;
        QTest::newRow("undeclared") << "Z" << 0 << -1;
        QTest::newRow("names are compared exactly") << "q" << 0 << -1;
    }
    void findSignalByName()
    {
        QFETCH(int, kind);
        QFETCH(int, index);
        QFETCH(QString, name);
        SimParts s;
        declareSignals(s);
        s.signalTable.inputNames << "A";  // a second A, later in the same kind
        const SignalRef ref = ::findSignalByName(s.signalTable, name);
        QCOMPARE(ref.kind, kind);
        QCOMPARE(ref.index, index);
    }

    void assignmentLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("async");
        QTest::addColumn<bool>("verbose");
        QTest::addColumn<QString>("log");
        QTest::addColumn<qint32>("expectedCurrentQ");
        QTest::addColumn<qint32>("expectedNextQ");

        // Q is 5: a synchronous Q + 1 goes to the next value only, an asynchronous one
        // to both.
        QTest::newRow("sync") << "Q <= Q + 1;" << false << true
                              << QStringLiteral("Q <= Q + 1;\t->\tNombre señal: Q\tValor: 6\t") << 5 << 6;
        QTest::newRow("async") << "Q <= Q + 1;" << true << true
                               << QStringLiteral("Q <= Q + 1;\t->\tNombre señal: Q\tValor: 6\t") << 6 << 6;
        QTest::newRow("short form") << "Q <= Q + 1;" << false << false << "Q <= Q + 1;\t" << 5 << 6;
        // The line is logged as stored; the name as the scan upper-cased it.
        QTest::newRow("lower case") << "q <= 2;" << true << true
                                    << QStringLiteral("q <= 2;\t->\tNombre señal: Q\tValor: 2\t") << 2 << 2;
        // Nothing names a signal: the whole text is the value, a comparison (3 <= 4).
        QTest::newRow("begins with a number") << "3 <= 4;" << true << true << "3 <= 4;\t->\t\tValor: 1\t" << 5 << 5;
        QTest::newRow("undeclared name") << "Z <= 7;" << true << true
                                         << QStringLiteral("Z <= 7;\t->\tNombre señal: Z\tValor: 7\t") << 5 << 5;
    }
    void assignmentLine()
    {
        QFETCH(QString, log);
        QFETCH(qint32, expectedCurrentQ);
        QFETCH(qint32, expectedNextQ);
        QFETCH(QString, line);
        QFETCH(bool, async);
        QFETCH(bool, verbose);
        SimParts s;
        declareSignals(s);
        const SignalValues inputsBefore = s.signalTable.current;
        executeAssignmentLine(s, line, async ? Timing::Asynchronous : Timing::Synchronous, verbose);
        QCOMPARE(logEntry(s), log);
        QCOMPARE(currentQ(s), expectedCurrentQ);
        QCOMPARE(nextQ(s), expectedNextQ);
        QCOMPARE(s.signalTable.current.wire, inputsBefore.wire);
        QCOMPARE(s.signalTable.next.input, inputsBefore.input);
        QVERIFY(s.log.errorList.isEmpty() && s.log.warningList.isEmpty());
    }

    void nameInTwoKindsIsWrittenAsTheLastKind()
    {
        SimParts s;
        declareSignals(s);
        executeAssignmentLine(s, "X <= 3;", Timing::Asynchronous, false);
        QCOMPARE(s.signalTable.current.wire, QVector<qint32>({0, 3}));
        QCOMPARE(s.signalTable.next.wire, QVector<qint32>({0, 3}));
        QCOMPARE(s.signalTable.current.input, QVector<qint32>({0, 0, 0}));
        QCOMPARE(s.signalTable.next.input, QVector<qint32>({0, 0, 0}));
    }

    // A signal declared after the values were sized has no room: nothing is written,
    // nothing breaks.
    void signalWithoutValueIsNotWritten()
    {
        SimParts s;
        declareSignals(s);
        s.signalTable.outputNames << "R";
        executeAssignmentLine(s, "R <= 4;", Timing::Asynchronous, true);
        QCOMPARE(logEntry(s), QStringLiteral("R <= 4;\t->\tNombre señal: R\tValor: 4\t"));
        QCOMPARE(s.signalTable.current.output, QVector<qint32>{5});
        QCOMPARE(s.signalTable.next.output, QVector<qint32>{5});
    }

    // Each line is evaluated afresh: the logical operator of an earlier decision does
    // not turn the plain value 7 into a truth.
    void assignmentAfterLogicalDecisionStoresItsValue()
    {
        SimParts s;
        declareSignals(s, 1, 1);
        addBoxes(s.model, {{3, "Decision", -1, 4, 5, {"A == 1 && B == 1"}}, {4, "SyncOps", 9, -1, -1, {"Q <= 7;"}}});
        qint32 link = -1;
        executeWalkBox(s, 0, BoxType::Decision, 4, 5, link);
        QCOMPARE(s.registers.logicFound, 1);
        link = 9;
        executeWalkBox(s, 1, BoxType::SyncOps, -1, -1, link);
        QCOMPARE(nextQ(s), 7);
        QVERIFY(logEntry(s).endsWith(QStringLiteral("Q <= 7;\t->\tNombre señal: Q\tValor: 7\t\n")));
    }

    // Lines 0, 2 and 49 hold text, the others are "null". Synchronously W reads Q
    // before the edge (5); asynchronously it reads the new Q (6) at once.
    void operationBoxTiming_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<qint32>("w");
        QTest::addColumn<qint32>("expectedCurrentQ");
        QTest::addColumn<qint32>("currentW");
        QTest::newRow("SyncOps") << "SyncOps" << 5 << 5 << 0;
        QTest::newRow("AsyncOps") << "AsyncOps" << 6 << 6 << 6;
    }
    void operationBoxTiming()
    {
        QFETCH(qint32, expectedCurrentQ);
        QFETCH(qint32, currentW);
        QFETCH(QString, type);
        QFETCH(qint32, w);
        SimParts s;
        declareSignals(s, 4);
        addBoxes(s.model, {{1, "State", 2}, {2, type, 3, -1, -1, {"Q <= Q + 1;", "null", "W <= Q;"}}});
        s.model.textMatrix[49][1] = "B <= A;";
        qint32 link = 3;
        executeWalkBox(s, 1, boxTypeNamed(type), -1, -1, link);
        QCOMPARE(link, 3);
        QCOMPARE(logEntry(s), QStringLiteral("Q <= Q + 1;\t->\tNombre señal: Q\tValor: 6\t"
                                             "W <= Q;\t->\tNombre señal: W\tValor: %1\t"
                                             "B <= A;\t->\tNombre señal: B\tValor: 4\t\n")
                                  .arg(w));
        QCOMPARE(nextQ(s), 6);
        QCOMPARE(s.signalTable.next.wire.value(0), w);
        QCOMPARE(s.signalTable.next.input.value(1), 4);
        QCOMPARE(currentQ(s), expectedCurrentQ);
        QCOMPARE(s.signalTable.current.wire.value(0), currentW);
    }

    void decision_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<qint32>("a");
        QTest::addColumn<qint32>("b");
        QTest::addColumn<QString>("result");
        QTest::addColumn<qint32>("expectedLink");

        const QString wrong = "DECISION MAL INTERPRETADA EN EXPRESIONES. POR DEFECTO DECISION = 1\n";
        QTest::newRow("comparison true") << "A == 1" << 1 << 0
                                         << "Comparacion Verdadera (Camino 1). Next ID: 30\n" << 30;
        QTest::newRow("comparison false") << "A == 1" << 0 << 0 << "Comparacion Falsa (Camino 0). Next ID: 20\n"
                                          << 20;
        QTest::newRow("logic true") << "A == 1 && B == 1" << 1 << 1 << "Logica Verdadera(Camino 1). Next ID: 30\n" << 30;
        QTest::newRow("logic false") << "A == 1 && B == 1" << 1 << 0 << "Logica Falsa (Camino 0). Next ID: 20\n" << 20;
        // The logical operator is tested before the comparison inside it.
        QTest::newRow("logic over comparison") << "A == 1 || B == 1" << 1 << 0
                                               << "Logica Verdadera(Camino 1). Next ID: 30\n" << 30;
        QTest::newRow("value 1") << "A" << 1 << 0 << "Valor Signal 1 (Camino 1). Next ID: 30\n" << 30;
        QTest::newRow("value 0") << "a" << 0 << 1 << "Valor Signal 0 (Camino 0). Next ID: 20\n" << 20;
        QTest::newRow("value 5 takes path 1") << "A + 4" << 1 << 0 << wrong << 30;
    }
    void decision()
    {
        QFETCH(qint32, a);
        QFETCH(qint32, b);
        QFETCH(qint32, expectedLink);
        QFETCH(QString, result);
        QFETCH(QString, condition);
        SimParts s;
        declareSignals(s, a, b);
        addBoxes(s.model, {{10, "Decision", -1, 20, 30, {condition}}});
        qint32 link = -1;
        executeWalkBox(s, 0, BoxType::Decision, 20, 30, link);
        QCOMPARE(link, expectedLink);
        QCOMPARE(logEntry(s), condition + "\t\t->\tResultado Decision: " + result);
        QVERIFY(s.log.errorList.isEmpty() && s.log.warningList.isEmpty());
        QCOMPARE(nextQ(s), 5);
    }

    // The TextDown line Q <= 9 runs only when the condition holds, with the box's timing.
    void conditionalOps_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<qint32>("a");
        QTest::addColumn<qint32>("b");
        QTest::addColumn<QString>("result");
        QTest::addColumn<qint32>("expectedCurrentQ");
        QTest::addColumn<qint32>("expectedNextQ");
        QTest::addColumn<QStringList>("errors");

        const QString ops = "Q <= 9;\t\n";
        const QString wrong = "DECISION MAL INTERPRETADA EN EXPRESIONES. POR DEFECTO DECISION = 0\n";
        const QStringList syncError{QStringLiteral("Error! Decision mal interpretada en CondSyncOps del diseño")};
        const QStringList asyncError{QStringLiteral("Error! Decision mal interpretada en CondAsyncOps del diseño")};
        // CondSyncOps shows exprValue: a comparison leaves its right operand there. Plain
        // values carry no truth, so the logical conditions combine comparisons.
        QTest::newRow("sync comparison true") << "CondSyncOps" << "A == 2" << 2 << 0
                                              << "2. Comparacion Verdadera. EJECUTO\n" + ops << 5 << 9
                                              << QStringList{};
        QTest::newRow("sync comparison false") << "CondSyncOps" << "A == 2" << 3 << 0
                                               << "2. Comparacion Falsa. NO EJECUTO\n" << 5 << 5 << QStringList{};
        QTest::newRow("sync logic true") << "CondSyncOps" << "A == 1 && B == 3" << 1 << 3
                                         << "3. Logica Verdadera. EJECUTO\n" + ops << 5 << 9 << QStringList{};
        QTest::newRow("sync logic false") << "CondSyncOps" << "A == 1 && B == 3" << 1 << 0
                                          << "3. Logica Falsa. NO EJECUTO\n" << 5 << 5 << QStringList{};
        QTest::newRow("sync value 1") << "CondSyncOps" << "A" << 1 << 0 << "1. Valor Signal 1. EJECUTO\n" + ops << 5
                                      << 9 << QStringList{};
        QTest::newRow("sync value 0") << "CondSyncOps" << "A" << 0 << 0 << "0. Valor Signal 0. NO EJECUTO\n" << 5 << 5
                                      << QStringList{};
        QTest::newRow("sync other value") << "CondSyncOps" << "A + 4" << 1 << 0 << "5" + wrong << 5 << 5 << syncError;
        QTest::newRow("async comparison true") << "CondAsyncOps" << "A == 2" << 2 << 0
                                               << "Comparacion Verdadera. EJECUTO\n" + ops << 9 << 9
                                               << QStringList{};
        QTest::newRow("async comparison false") << "CondAsyncOps" << "A == 2" << 3 << 0
                                                << "Comparacion Falsa. NO EJECUTO\n" << 5 << 5 << QStringList{};
        QTest::newRow("async logic true") << "CondAsyncOps" << "A == 1 && B == 3" << 1 << 3
                                          << "Logica Verdadera. Ejecuto\n" + ops << 9 << 9 << QStringList{};
        QTest::newRow("async logic false") << "CondAsyncOps" << "A == 1 && B == 3" << 1 << 0 << "Logica Falsa. NO EJECUTO\n" << 5
                                           << 5 << QStringList{};
        QTest::newRow("async value 1") << "CondAsyncOps" << "A" << 1 << 0 << "Valor Signal 1. EJECUTO\n" + ops << 9 << 9
                                       << QStringList{};
        QTest::newRow("async value 0") << "CondAsyncOps" << "A" << 0 << 0 << "Valor Signal 0. NO EJECUTO\n" << 5 << 5
                                       << QStringList{};
        QTest::newRow("async other value") << "CondAsyncOps" << "A + 4" << 1 << 0 << wrong << 5 << 5 << asyncError;
    }
    void conditionalOps()
    {
        QFETCH(qint32, a);
        QFETCH(qint32, b);
        QFETCH(QString, result);
        QFETCH(qint32, expectedCurrentQ);
        QFETCH(qint32, expectedNextQ);
        QFETCH(QStringList, errors);
        QFETCH(QString, type);
        QFETCH(QString, condition);
        SimParts s;
        declareSignals(s, a, b);
        addConditionalBox(s, type, condition, {"Q <= 9;"});
        qint32 link = 8;
        executeWalkBox(s, 0, boxTypeNamed(type), -1, -1, link);
        QCOMPARE(link, 8);
        QCOMPARE(logEntry(s), condition + "\t\t->\tResultado Decision: " + result);
        QCOMPARE(currentQ(s), expectedCurrentQ);
        QCOMPARE(nextQ(s), expectedNextQ);
        QCOMPARE(s.log.errorList, errors);
        QVERIFY(s.log.warningList.isEmpty());
    }

    // Every TextDown line is executed in the short form, "null" lines skipped.
    void conditionalOpsRunAllTheirLines()
    {
        SimParts s;
        declareSignals(s, 1);
        addConditionalBox(s, "CondSyncOps", "A == 1", {"Q <= 2;", "null", "W <= A + 1;"});
        qint32 link = 8;
        executeWalkBox(s, 0, BoxType::CondSyncOps, -1, -1, link);
        QCOMPARE(logEntry(s), QStringLiteral("A == 1\t\t->\tResultado Decision: 1. Comparacion Verdadera. EJECUTO\n"
                                             "Q <= 2;\tW <= A + 1;\t\n"));
        QCOMPARE(nextQ(s), 2);
        QCOMPARE(s.signalTable.next.wire.value(0), 2);
    }

    // Reported every time they are met.
    void unsupportedBoxes_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("errors");
        QTest::addColumn<QStringList>("warnings");
        const QString code = QStringLiteral("Warning!: BOX CODE no implantado en Simulacion Operativa");
        const QString instance = QStringLiteral("Error!: BOX INSTANCE no implantado en Simulacion Operativa");
        const QString meta = QStringLiteral("Error!: BOX METASTATE no implantado en Simulacion Operativa");
        QTest::newRow("Code") << "Code" << QStringList{} << QStringList{code, code};
        QTest::newRow("Instance") << "Instance" << QStringList{instance, instance} << QStringList{};
        QTest::newRow("MetaState") << "MetaState" << QStringList{meta, meta} << QStringList{};
    }
    void unsupportedBoxes()
    {
        QFETCH(QStringList, errors);
        QFETCH(QStringList, warnings);
        QFETCH(QString, type);
        SimParts s;
        declareSignals(s);
        addBoxes(s.model, {{4, type, 5, -1, -1, {"Q <= 1;"}}});
        for (int meeting = 0; meeting < 2; ++meeting) {
            qint32 link = 5;
            executeWalkBox(s, 0, boxTypeNamed(type), -1, -1, link);
            QCOMPARE(link, 5);
        }
        QCOMPARE(logEntry(s), QStringLiteral("No implantado\nNo implantado\n"));
        QCOMPARE(s.log.errorList, errors);
        QCOMPARE(s.log.warningList, warnings);
        QCOMPARE(nextQ(s), 5);
    }

    void otherBoxesArePassedThrough()
    {
        const QStringList types{"State", "StateAsyncOps", "Initial", "Default", "Event", "ThreadSync", "Ports",
                                "Header", ""};
        for (const QString &type : types) {
            SimParts s;
            declareSignals(s);
            addBoxes(s.model, {{4, type, 5, 6, 7, {"Q <= 1;"}, {"Q <= 2;"}}});
            s.model.textUpMatrix[0][0] = "A == 0";
            qint32 link = 5;
            executeWalkBox(s, 0, boxTypeNamed(type), 6, 7, link);
            QCOMPARE(link, 5);
            QVERIFY2(logEntry(s).isEmpty(), qPrintable(type));
            QCOMPARE(nextQ(s), 5);
            QVERIFY(s.log.errorList.isEmpty() && s.log.warningList.isEmpty());
        }
    }

    // A position outside the text tables reads as a box without lines.
    void boxOutsideTheTablesHasNoLines()
    {
        SimParts s;
        declareSignals(s);
        addBoxes(s.model, {{4, "SyncOps", 5, -1, -1, {"Q <= 1;"}}});
        qint32 link = 5;
        executeWalkBox(s, 400, BoxType::SyncOps, -1, -1, link);
        executeWalkBox(s, -1, BoxType::AsyncOps, -1, -1, link);
        QCOMPARE(logEntry(s), QStringLiteral("\n\n"));
        QCOMPARE(nextQ(s), 5);
    }
};

ASMSIM_REGISTER_TEST(TestBoxExecution)
#include "tst_boxexecution.moc"
