// A compiled text against the text it was compiled from. Random expressions (operators,
// literals of every form, declared and undeclared names, selections, groups, braces, stray
// tokens) are evaluated from the same registers three ways: read as text; compiled and
// read for the first time, when the tree is built; and compiled and read again, from the
// tree, with other signal values. Every register and the rest left unread must agree; with
// a trace, the trace lines too.

#include "langfixture.h"
#include "lang/compiledtext.h"
#include "lang/evaluator.h"
#include "lang/sentences.h"
#include "testmain.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// Pieces of expressions: weighted towards what makes a well-formed expression, with
// every token the evaluator treats specially somewhere in the mix.
const QStringList kOperands = {
    "a", "B", "cnt", "Cnt", "x", "und", "p", "0", "1", "7", "42", "2147483647", "99999999999", "4'b1010",
    "8'hFf", "'d12", "'o17", "'sb101", "3'", "'", "12'hz", "5 q", "a[0]", "a[3]", "cnt[7:4]", "cnt[31:0]",
    "x[40:2]", "B[1:3]", "a[-1]", "cnt[a]", "cnt[b:a]", "a[", "{a, B}", "{2{x}}", "{a", "²",
};
const QStringList kOperators = {
    " + ", "-", "*", " / ", "%", "**", "<<", ">>", "<<<", ">>>", "&", "|", "^", "~^", "^~", "&&", " || ",
    "==", "!=", "===", "!==", "<", "<=", ">", ">=", " ? ", " : ", ",", ")", "]", "}", ";",
};
const QStringList kUnary = {"", "", "", "", "-", "~", "!", "+", "(", "(", "!(", "-("};

QString randomExpression(QRandomGenerator &random, int depth = 0)
{
    QString text = kUnary.at(random.bounded(int(kUnary.size())));
    const int open = int(text.count(QLatin1Char('(')));
    if (depth < 3 && random.bounded(4) == 0)
        text += QLatin1Char('(') + randomExpression(random, depth + 1) + QLatin1Char(')');
    else
        text += kOperands.at(random.bounded(int(kOperands.size())));
    const int more = random.bounded(5);
    for (int i = 0; i < more; ++i) {
        text += kOperators.at(random.bounded(int(kOperators.size())));
        text += random.bounded(6) == 0 ? randomExpression(random, depth + 1)
                                        : kOperands.at(random.bounded(int(kOperands.size())));
    }
    if (random.bounded(3) != 0)
        text += QString(open, QLatin1Char(')'));
    return random.bounded(4) == 0 ? text.toLower() : text;
}

// Everything an evaluation leaves behind.
struct Outcome {
    EvaluatorRegisters registers;
    QString rest;
    QStringList trace;
};

bool operator==(const Outcome &a, const Outcome &b)
{
    const EvaluatorRegisters &r = a.registers;
    const EvaluatorRegisters &s = b.registers;
    return r.exprValue == s.exprValue && r.truthValue == s.truthValue && r.comparisonFound == s.comparisonFound
           && r.logicFound == s.logicFound && r.truthResult == s.truthResult
           && r.currentSignalName == s.currentSignalName && r.nestingDepth == s.nestingDepth
           && r.nestingExceeded == s.nestingExceeded && a.rest == b.rest && a.trace == b.trace;
}

QString describe(const Outcome &o)
{
    const EvaluatorRegisters &r = o.registers;
    return QStringLiteral("value %1 truth %2 comparison %3 logic %4 truthResult %5 depth %6 exceeded %7")
               .arg(r.exprValue).arg(r.truthValue).arg(r.comparisonFound).arg(r.logicFound).arg(r.truthResult)
               .arg(r.nestingDepth).arg(r.nestingExceeded)
           + QStringLiteral(" name ") + r.currentSignalName + QStringLiteral(" rest «") + o.rest
           + QStringLiteral("» trace ") + o.trace.join(QLatin1Char('|'));
}

class Evaluation : public LangFixture
{
public:
    Evaluation()
    {
        declare(KindInput, QStringLiteral("A"), 5);
        declare(KindInput, QStringLiteral("B"), -3);
        declare(KindOutput, QStringLiteral("CNT"), 0x1234);
        declare(KindWire, QStringLiteral("X"), 0);
        declare(KindWire, QStringLiteral("A"), 9);  // declared twice: the last one is read
        log.tracing = false;
    }

    void setValues(QRandomGenerator &random)
    {
        for (SignalKind kind : kSignalKinds)
            for (qint32 &value : signalTable.current.ofKind(kind))
                value = random.bounded(4) == 0 ? qint32(random.generate()) : random.bounded(-4, 40);
    }

    // Registers as a previous evaluation might have left them.
    void setRegisters(quint32 seed)
    {
        registers.clear();
        registers.exprValue = qint32(seed % 7) - 2;
        registers.truthValue = seed & 1;
        registers.logicFound = (seed >> 1) & 1;
        registers.comparisonFound = (seed >> 2) & 1;
        registers.truthResult = (seed >> 3) & 1;
        registers.currentSignalName = (seed >> 4) & 1 ? QStringLiteral("B") : QString();
    }

    Outcome asText(const QString &expression, quint32 seed)
    {
        setRegisters(seed);
        TextCursor text(expression);
        evalConditional(ctx, text);
        return {registers, text.restText(), takeTrace()};
    }

    Outcome compiled(CompiledText &compiledText, qsizetype start, quint32 seed)
    {
        setRegisters(seed);
        CompiledCursor cursor{&compiledText, start};
        evalConditional(ctx, cursor);
        return {registers, cursor.restText(), takeTrace()};
    }
};

} // namespace

class TestCompiledText : public QObject {
    Q_OBJECT

private slots:
    void readsAsTheTextWithoutATrace()
    {
        QRandomGenerator random(2026);
        Evaluation e;
        int trees = 0;
        for (int i = 0; i < 20000; ++i) {
            const QString expression = randomExpression(random);
            CompiledText compiledText;
            qsizetype start = 0;
            QVERIFY(compileText(TextCursor(expression), compiledText, start));
            for (int round = 0; round < 3; ++round) {
                e.setValues(random);
                const quint32 seed = random.generate();
                const Outcome expected = e.asText(expression, seed);
                const Outcome got = e.compiled(compiledText, start, seed);
                if (!(got == expected))
                    QFAIL(qPrintable(QStringLiteral("«") + expression + QStringLiteral("» round ") + QString::number(round)
                                     + QStringLiteral("\n text:     ") + describe(expected)
                                     + QStringLiteral("\n compiled: ") + describe(got)));
            }
            trees += compiledText.treeState == CompiledText::TreeState::Usable;
        }
        // The trees were run, not only the levels.
        QVERIFY(trees > 19500);
    }

    void readsAsTheTextWithATrace()
    {
        QRandomGenerator random(7);
        Evaluation e;
        e.log.tracing = true;
        for (int i = 0; i < 1500; ++i) {
            const QString expression = randomExpression(random);
            CompiledText compiledText;
            qsizetype start = 0;
            QVERIFY(compileText(TextCursor(expression), compiledText, start));
            e.setValues(random);
            const quint32 seed = random.generate();
            const Outcome expected = e.asText(expression, seed);
            const Outcome got = e.compiled(compiledText, start, seed);
            QVERIFY2(got == expected, qPrintable(expression + QLatin1Char('\n') + describe(expected) + QLatin1Char('\n') + describe(got)));
        }
    }

    // Nested past the evaluator's limit, the tree is refused and the levels give up where
    // the text's reading does; at the limit and just under it the tree is used. A
    // selection's index nests one level deeper than its signal.
    void tooDeepReadsLevelByLevel()
    {
        Evaluation e;
        const int limit = kMaxNesting;
        struct Case {
            QString expression;
            bool deep;
        };
        const auto nested = [](int depth, const QString &inside) {
            return QString(depth, QLatin1Char('(')) + inside + QString(depth, QLatin1Char(')')) + QStringLiteral(" + 2");
        };
        // The outermost level is one; each parenthesis opens one more.
        const QList<Case> cases = {
            {nested(limit - 2, QStringLiteral("A + 1")), false},
            {nested(limit - 1, QStringLiteral("A + 1")), false},
            {nested(limit, QStringLiteral("A + 1")), true},
            {nested(limit + 5, QStringLiteral("A + 1")), true},
            {nested(limit - 2, QStringLiteral("CNT[A]")), false},
            {nested(limit - 1, QStringLiteral("CNT[A]")), true},
        };
        for (const Case &c : cases) {
            CompiledText compiledText;
            qsizetype start = 0;
            QVERIFY(compileText(TextCursor(c.expression), compiledText, start));
            const Outcome expected = e.asText(c.expression, 0);
            QCOMPARE(describe(e.compiled(compiledText, start, 0)), describe(expected));
            QCOMPARE(describe(e.compiled(compiledText, start, 0)), describe(expected));
            QCOMPARE(compiledText.treeState == CompiledText::TreeState::TooDeep, c.deep);
            QCOMPARE(expected.registers.nestingExceeded, false);
        }
        // Within the limit: A (the wire, 9) + 1 + 2, and CNT (0x1234) bit 9 (1) + 2.
        QCOMPARE(e.asText(cases.at(1).expression, 0).registers.exprValue, 12);
        QCOMPARE(e.asText(cases.at(4).expression, 0).registers.exprValue, 3);
    }

    // A condition read as a sentence: the same registers from the text and the compiled text.
    void sentencesReadAsTheText()
    {
        QRandomGenerator random(99);
        Evaluation e;
        const QStringList heads = {"", ";", ",", "%CR%", "  ", "\x01"};
        for (int i = 0; i < 1000; ++i) {
            const QString sentence = heads.at(random.bounded(int(heads.size()))) + randomExpression(random);
            e.setValues(random);
            e.setRegisters(i);
            QString text = sentence;
            analyseSentence(e.ctx, text);
            const EvaluatorRegisters expected = e.registers;
            CompiledText compiledText;
            qsizetype start = 0;
            QVERIFY(compileText(TextCursor(sentence), compiledText, start));
            for (int round = 0; round < 2; ++round) {
                e.setRegisters(i);
                CompiledCursor cursor{&compiledText, start};
                analyseSentence(e.ctx, sentence, cursor);
                QVERIFY2(e.registers.exprValue == expected.exprValue && e.registers.truthValue == expected.truthValue
                             && e.registers.logicFound == expected.logicFound
                             && e.registers.comparisonFound == expected.comparisonFound,
                         qPrintable(sentence));
            }
        }
    }

    // Selections read the bits of the value's binary text, worked out by hand.
    void selectedBitsReadTheBinaryText()
    {
        QCOMPARE(selectedBits(0b1011, 0, false, 0), 1);
        QCOMPARE(selectedBits(0b1011, 2, false, 0), 0);
        QCOMPARE(selectedBits(0b1011, 4, false, 0), 0);       // above the text "1011"
        QCOMPARE(selectedBits(0b1011, 3, true, 1), 0b101);
        QCOMPARE(selectedBits(0b1011, 7, true, 2), 0b10);     // high bits read as zeros
        QCOMPARE(selectedBits(0b1011, 32, true, 0), 0);       // past bit 31: outside
        QCOMPARE(selectedBits(0b1011, 1, true, 2), 0);        // reversed
        QCOMPARE(selectedBits(0b1011, 3, true, -1), 0);       // negative low index
        QCOMPARE(selectedBits(-5, 0, false, 0), 0);           // negative values read 0
        QCOMPARE(selectedBits(0, 0, false, 0), 0);
        QCOMPARE(selectedBits(0x7fffffff, 31, true, 0), 0x7fffffff);
        QCOMPARE(selectedBits(0x7fffffff, 30, true, 16), 0x7fff);
    }
};

ASMSIM_REGISTER_TEST(TestCompiledText)
#include "tst_compiledtext.moc"
