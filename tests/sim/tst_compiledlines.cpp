// Assignment lines read once and executed many times against lines read afresh at every
// execution, the way a line is read on its own: over many random lines and changing
// signal values, both leave the same values, registers, log entry and trace.

#include "simparts.h"
#include "core/panesink.h"
#include "lang/evaluator.h"
#include "lang/evaluatorregisters.h"
#include "lang/lexer.h"
#include "sim/boxexecution.h"
#include "sim/cyclevalues.h"
#include "testmain.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

const QStringList kOperands = {"A", "B", "Q", "W", "X", "a", "q[0]", "B[3:1]", "Z", "1", "0", "7", "255",
                               "4'b1010", "8'hF0", "'d12", "-3", "~A", "!B", "(A + B)", "{A, B}", "ß"};
const QStringList kOperators = {" + ", " - ", " * ", " / ", " % ", " ** ", " << ", " >>> ", " & ", " | ",
                                " ^ ", " ~^ ", " == ", " != ", " < ", " >= ", " && ", " || ", " ? ", " : "};
const QStringList kTargets = {"Q", "W", "X", "A", "q", "Z", "", "1"};
const QStringList kArrows = {" <= ", " = ", "<=", " "};

QString randomLine(QRandomGenerator &random)
{
    QString line = kTargets.at(random.bounded(int(kTargets.size()))) + kArrows.at(random.bounded(int(kArrows.size())));
    const int operands = random.bounded(1, 6);
    for (int i = 0; i < operands; ++i) {
        if (i > 0)
            line += kOperators.at(random.bounded(int(kOperators.size())));
        line += kOperands.at(random.bounded(int(kOperands.size())));
    }
    if (random.bounded(2))
        line += QLatin1Char(';');
    return line;
}

// Inputs A, B and X, output Q, wires W and X, with the given values.
void declareSignals(SimParts &s, const QVector<qint32> &values)
{
    SignalTable &t = s.signalTable;
    t.inputNames = QStringList{"A", "B", "X"};
    t.outputNames = QStringList{"Q"};
    t.wireNames = QStringList{"W", "X"};
    t.current.input = {values[0], values[1], values[2]};
    t.current.output = {values[3]};
    t.current.wire = {values[4], values[5]};
    t.next = t.current;
}

// A line read afresh, step by step on its text: the target, «<=», then the value.
void interpretLine(SimParts &s, const QString &line, Timing timing)
{
    QString &entry = s.simulation.loop.logEntry;
    entry += line + QStringLiteral("\t->\t");
    QString text = line;
    SignalRef target;
    if (scanToken(text, false) == TokIdentifier) {
        const QString name = leadingLetters(text);
        target = findSignalByName(s.signalTable, name);
        scanToken(text, true);
        entry += QStringLiteral("Nombre señal: ") + name;
    }
    if (scanToken(text, false) == TokLe)
        scanToken(text, true);
    startFreshEvaluation(s.registers);
    evalConditional(s.eval(), text);
    const qint32 value = expressionResult(s.registers);
    entry += QStringLiteral("\tValor: ") + QString::number(value) + QLatin1Char('\t');
    if (target.kind == KindNone)
        return;
    auto write = [&](QVector<qint32> &values) {
        if (target.index < values.size())
            values[target.index] = value;
    };
    write(s.signalTable.next.ofKind(target.kind));
    if (timing == Timing::Asynchronous)
        write(s.signalTable.current.ofKind(target.kind));
}

void compareParts(const SimParts &a, const SimParts &b, const QString &line)
{
    const auto context = qPrintable(line);
    QVERIFY2(a.registers.exprValue == b.registers.exprValue, context);
    QVERIFY2(a.registers.truthValue == b.registers.truthValue, context);
    QVERIFY2(a.registers.comparisonFound == b.registers.comparisonFound, context);
    QVERIFY2(a.registers.logicFound == b.registers.logicFound, context);
    QVERIFY2(a.registers.truthResult == b.registers.truthResult, context);
    QVERIFY2(a.registers.currentSignalName == b.registers.currentSignalName, context);
    QVERIFY2(a.signalTable.current.input == b.signalTable.current.input, context);
    QVERIFY2(a.signalTable.current.output == b.signalTable.current.output, context);
    QVERIFY2(a.signalTable.current.wire == b.signalTable.current.wire, context);
    QVERIFY2(a.signalTable.next.input == b.signalTable.next.input, context);
    QVERIFY2(a.signalTable.next.output == b.signalTable.next.output, context);
    QVERIFY2(a.signalTable.next.wire == b.signalTable.next.wire, context);
    QVERIFY2(a.simulation.loop.logEntry == b.simulation.loop.logEntry, context);
}

} // namespace

class TestCompiledLines : public QObject {
    Q_OBJECT

private slots:
    void aLineReadOnceRunsAsALineReadEachTime()
    {
        QRandomGenerator random(1909);
        for (int round = 0; round < 3000; ++round) {
            const QString line = randomLine(random);
            const Timing timing = random.bounded(2) ? Timing::Synchronous : Timing::Asynchronous;
            MemorySink onceSink, eachSink;
            SimParts once(&onceSink), each(&eachSink);
            declareSignals(once, {0, 0, 0, 0, 0, 0});
            const CompiledAssignment compiled = compileAssignment(once.signalTable, line);
            // Five executions, with other values before each: the values the line reads
            // change, what was read once does not.
            for (int run = 0; run < 5; ++run) {
                QVector<qint32> values;
                for (int i = 0; i < 6; ++i)
                    values << qint32(random.bounded(-20, 300));
                declareSignals(once, values);
                declareSignals(each, values);
                executeAssignment(once, compiled, timing, true);
                interpretLine(each, line, timing);
                compareParts(once, each, line);
                QVERIFY2(onceSink.process == eachSink.process, qPrintable(line));
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }

    // What reading a line once keeps: the name as read, where it is declared (the last
    // kind wins), and the expression after «<=» upper-cased from its first character.
    void compiledLineKeepsTargetAndExpression_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expression");
        QTest::newRow("output") << "q <= a + 1;" << true << "Q" << int(KindOutput) << 0 << "A + 1;";
        QTest::newRow("input and wire") << "X = b" << true << "X" << int(KindWire) << 1 << "= B";
        QTest::newRow("undeclared") << "zz<=2" << true << "ZZ" << int(KindNone) << -1 << "2";
        QTest::newRow("no target") << "  <= 3" << false << "" << int(KindNone) << -1 << "3";
        QTest::newRow("sharp s") << "W <= straße" << true << "W" << int(KindWire) << 0 << "STRASSE";
    }

    void compiledLineKeepsTargetAndExpression()
    {
        QFETCH(QString, line);
        QFETCH(bool, named);
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(int, index);
        QFETCH(QString, expression);
        SimParts s;
        declareSignals(s, {0, 0, 0, 0, 0, 0});
        const CompiledAssignment compiled = compileAssignment(s.signalTable, line);
        QCOMPARE(compiled.line, line);
        QCOMPARE(compiled.named, named);
        QCOMPARE(compiled.name, name);
        QCOMPARE(int(compiled.target.kind), kind);
        QCOMPARE(compiled.target.index, index);
        TextCursor rest = compiled.expression;
        scanToken(rest, false);
        QCOMPARE(rest.restText(), expression);
    }
};

ASMSIM_REGISTER_TEST(TestCompiledLines)
#include "tst_compiledlines.moc"
