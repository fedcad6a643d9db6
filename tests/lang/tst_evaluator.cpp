// The expression evaluator: values, precedence and grouping with their quirks, the
// registers it leaves (comparisons and logic included), the operator trace, and bad
// input: division by zero, deep nesting, long sentences.

#include "langfixture.h"
#include "lang/evaluator.h"
#include "lang/lexer.h"
#include "lang/sentences.h"
#include "testmain.h"

#include <QtTest>

class TestEvaluator : public QObject
{
    Q_OBJECT

private slots:
    void values_data();
    void values();
    void registers_data();
    void registers();
    void comparisonKeepsRightOperand();
    void logicTrace();
    void logicGrouping_data();
    void logicGrouping();
    void conditionalTrace();
    void conditionalMissingColon();
    void conditionalChains_data();
    void conditionalChains();
    void plainConditionUsesLastTruth();
    void repeatedNameReadOnce();
    void undefinedDivision_data();
    void undefinedDivision();
    void nestingLimit();
    void deepNesting_data();
    void deepNesting();
    void echoIsBounded();
    void longSentence();
};

namespace {

constexpr int kMostNegative = -2147483647 - 1;
constexpr int kNoFound = -1;  // marker: the row does not check the operator lines

struct Evaluated {
    qint32 value;
    QString rest;  // what was not analysed
    QStringList trace;
};

// Analyses a sentence with A = 1, B = 2, C = 0 declared (or the given values).
Evaluated analyse(LangFixture &f, const QString &sentence)
{
    QString text = sentence;
    analyseSentence(f.ctx, text);
    const QStringList trace = f.takeTrace();
    const QString last = trace.isEmpty() ? QString() : trace.last();
    QString rest = last.startsWith(QLatin1String("NO ANALIZADO: ")) ? last.mid(14) : QString();
    return {f.registers.exprValue, rest, trace};
}

void declareABC(LangFixture &f, qint32 a, qint32 b, qint32 c)
{
    f.declare(KindInput, QStringLiteral("A"), a);
    f.declare(KindOutput, QStringLiteral("B"), b);
    f.declare(KindWire, QStringLiteral("C"), c);
}

QStringList found(std::initializer_list<const char *> ops)
{
    QStringList lines;
    for (const char *op : ops)
        lines << QStringLiteral("Encontrado ") + QLatin1String(op);
    return lines;
}

} // namespace

void TestEvaluator::values_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("rest");
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<int>("checkFound");

    auto row = [](const char *name, const char *expression, int value, const char *rest,
                  QStringList foundLines = {}, int check = 1) {
        QTest::newRow(name) << QString::fromUtf8(expression) << value << QString::fromUtf8(rest)
                            << foundLines << check;
    };
    auto value = [&](const char *name, const char *expression, int v, const char *rest = "") {
        row(name, expression, v, rest, {}, kNoFound);
    };

    // Multiplicative operators bind tighter; inside "+" and "-" they leave no line.
    row("2+3*4", "2 + 3 * 4", 14, "", found({"+"}));
    row("2*3+4", "2 * 3 + 4", 10, "", found({"*", "+"}));
    row("left to right", "10 - 4 - 3", 3, "", found({"-", "-"}));
    row("division truncates", "7 / 2", 3, "", found({"/"}));
    row("remainder sign of lhs", "-7 % 2", -1, "", found({"-", "%"}));
    row("remainder negative rhs", "7 % -2", 1, "", found({"%", "-"}));
    value("8/2*2 left to right", "8 / 2 * 2", 8);
    value("1+8/2*2", "1 + 8 / 2 * 2", 9);
    value("wrap on add", "2147483647 + 1", kMostNegative);
    value("wrap on subtract", "0 - 2147483647 - 2", 2147483647);
    value("wrap on multiply", "65536 * 65536", 0);
    value("wrap on big multiply", "123456789 * 987654321", -67153019);

    row("power", "2 ** 10", 1024, "", found({"**"}));
    value("power zero", "2 ** 0", 1);
    row("power negative", "2 ** -1", 1, "", found({"**", "-"}));
    row("one power per level", "2 ** 3 ** 2", 8, "** 2", found({"**"}));
    value("power wraps", "3 ** 21", 1870418611);
    value("power to bit 31", "2 ** 31", kMostNegative);
    value("huge exponent is fast", "2 ** 2147483647", 0);
    value("negative base", "(0 - 3) ** 3", -27);
    value("power before product", "2 * 3 ** 2", 18);

    row("shift distance modulo 32", "1 << 33", 2, "", found({"<<"}));
    value("shift by -1 is by 31", "1 << -1", kMostNegative);
    row("arithmetic right", "-8 >> 1", -4, "", found({"-", ">>"}));
    row("arithmetic right, three", "-8 >>> 1", -4, "", found({"-", ">>>"}));
    value("<<< is <<", "1 <<< 4", 16);
    row("one shift per level", "1 << 1 << 1", 2, "<< 1", found({"<<"}));
    value("shift after sum", "1 << 2 + 1", 8);

    row("and before or", "6 & 3 | 8", 10, "", found({"&", "|"}));
    row("and absorbed after or", "8 | 6 & 3", 10, "", found({"|"}));
    row("and absorbed after xor", "12 ^ 10 & 6", 14, "", found({"^"}));
    row("xnor", "5 ~^ 5", -1, "", found({"~^"}));
    row("xnor other spelling", "5 ^~ 5", -1, "", found({"~^"}));
    value("and chain", "12 & 10 & 6", 0);
    value("or, xor left to right", "1 | 2 ^ 3", 0);

    row("parentheses", "(1 + 2) * 3", 9, "", found({"+", "*"}));
    value("missing parenthesis takes the next token", "(1 + 2 ; X", 3, "X");
    row("negated group", "-(2 + 3)", -5, "", found({"-", "+"}));
    value("not zero", "~0", -1);
    value("logical not zero", "!0", 1);
    value("logical not seven", "!7", 0);
    value("not a signal", "~A", -2);
    value("minus a signal", "-A", -1);
    value("plus", "+5", 5);
    row("unary does not nest", "- -5", -5, "", found({"-", "-"}));
    value("unary tilde does not nest", "~ ~5", 0, "~5");
    value("parameter name keeps the value", "X + 1", 1);

    value("concatenation is its last element", "{A, B}", 2);
    value("replication is its element", "{4{A}}", 1);
    value("three elements", "{A, B, 7}", 7);
    value("negated concatenation", "-{A, B}", -2);

    value("one comparison per level", "A < B < C", 2, "< C");
    value("stray parenthesis", "A + 1 )", 2, ")");
    value("empty", "", 0);
    value("only operators", "+-*/", 0);  // each binary operator takes what follows
    value("unknown characters", "#$", 0, "#$");
}

void TestEvaluator::values()
{
    QFETCH(QString, expression);
    QFETCH(int, value);
    QFETCH(QString, rest);
    QFETCH(QStringList, found);
    QFETCH(int, checkFound);

    LangFixture f;
    declareABC(f, 1, 2, 0);
    const Evaluated e = analyse(f, expression);
    QCOMPARE(e.value, value);
    QCOMPARE(e.rest, rest);
    if (rest.isEmpty())
        QCOMPARE(e.trace.last(), QStringLiteral("ANALIZADO TODO"));
    if (checkFound != kNoFound)
        QCOMPARE(LangFixture::foundLines(e.trace), found);
}

// What a caller reads after a sentence: comparisons and logic through the truth value,
// everything else through the integer, parenthesised comparisons included.
void TestEvaluator::registers_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("comparison");
    QTest::addColumn<int>("logic");
    QTest::addColumn<int>("result");

    QTest::newRow("A == 3 true") << "A == 3" << 3 << 0 << 1 << 0 << 1;
    QTest::newRow("A == 3 false") << "A == 3" << 4 << 0 << 1 << 0 << 0;
    QTest::newRow("=== like ==") << "3 === 3" << 0 << 0 << 1 << 0 << 1;
    QTest::newRow("!== like !=") << "3 !== 3" << 0 << 0 << 1 << 0 << 0;
    QTest::newRow("!=") << "2 != 3" << 0 << 0 << 1 << 0 << 1;
    QTest::newRow("signed <") << "-1 < 0" << 0 << 0 << 1 << 0 << 1;
    QTest::newRow("<=") << "3 <= 3" << 0 << 0 << 1 << 0 << 1;
    QTest::newRow(">") << "2 > 3" << 0 << 0 << 1 << 0 << 0;
    QTest::newRow(">=") << "-2 >= -3" << 0 << 0 << 1 << 0 << 1;

    QTest::newRow("group on the right, true") << "A == (B + 1)" << 3 << 2 << 1 << 0 << 1;
    QTest::newRow("group on the right, false") << "A == (B + 1)" << 3 << 5 << 1 << 0 << 0;
    QTest::newRow("grouped comparison true") << "(A == 1)" << 1 << 0 << 1 << 0 << 1;
    QTest::newRow("grouped comparison false") << "(A == 1)" << 2 << 0 << 1 << 0 << 0;
    QTest::newRow("twice grouped") << "((A == 1))" << 1 << 0 << 1 << 0 << 1;
    QTest::newRow("twice grouped false") << "((A == 1))" << 7 << 0 << 1 << 0 << 0;
    QTest::newRow("denied comparison, A = 1") << "!(A == 1)" << 1 << 0 << 1 << 0 << 0;
    QTest::newRow("denied comparison, A = 2") << "!(A == 1)" << 2 << 0 << 1 << 0 << 1;
    QTest::newRow("grouped logic, both") << "(A == 1) && (B == 0)" << 1 << 0 << 1 << 1 << 1;
    QTest::newRow("grouped logic, second false") << "(A == 1) && (B == 0)" << 1 << 1 << 1 << 1 << 0;
    QTest::newRow("grouped logic, first false") << "(A == 1) && (B == 0)" << 0 << 0 << 1 << 1 << 0;
    QTest::newRow("denied logic") << "!(A == 1 && B == 1)" << 1 << 0 << 1 << 1 << 1;
    // A logical group is a truth whatever its last operand was.
    QTest::newRow("denied logic, plain last operand") << "!(A == 1 && B)" << 1 << 0 << 0 << 1 << 0;
    // The denial also applies to the group's value, as on any operand.
    QTest::newRow("denied comparison used as a value") << "!(2 == 2) + 0" << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("conditional true") << "A == 1 ? 5 : 7" << 1 << 0 << 0 << 0 << 5;
    QTest::newRow("conditional false") << "A == 1 ? 5 : 7" << 2 << 0 << 0 << 0 << 7;
    QTest::newRow("grouped condition") << "(A == 1) ? 5 : 7" << 1 << 0 << 0 << 0 << 5;
    QTest::newRow("grouped condition false") << "(A == 1) ? 5 : 7" << 0 << 0 << 0 << 0 << 7;
    QTest::newRow("grouped conditional") << "(A == 1 ? 5 : 7)" << 1 << 0 << 0 << 0 << 5;
    QTest::newRow("grouped conditional false") << "(A == 1 ? 5 : 7)" << 3 << 0 << 0 << 0 << 7;
    QTest::newRow("grouped sum") << "(A + 1)" << 4 << 0 << 0 << 0 << 5;
    QTest::newRow("negated group") << "-(2 + 3)" << 0 << 0 << 0 << 0 << -5;
    // A comparison used as an operand is its right operand's value, not a truth.
    QTest::newRow("comparison in a sum") << "(A == 1) + 1" << 1 << 0 << 0 << 0 << 2;
    QTest::newRow("comparison in an and") << "1 & (A == 1)" << 1 << 0 << 0 << 0 << 1;
    QTest::newRow("negated comparison is a value") << "-(A == 4)" << 1 << 0 << 0 << 0 << -4;
    QTest::newRow("comparison in an index") << "A[B == 2]" << 5 << 2 << 0 << 0 << 1;
}

void TestEvaluator::registers()
{
    QFETCH(QString, expression);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, comparison);
    QFETCH(int, logic);
    QFETCH(int, result);

    LangFixture f;
    declareABC(f, a, b, 0);
    const Evaluated e = analyse(f, expression);
    QCOMPARE(e.rest, QString());
    QCOMPARE(f.registers.comparisonFound, comparison);
    QCOMPARE(f.registers.logicFound, logic);
    QCOMPARE(f.result(), result);
}

void TestEvaluator::comparisonKeepsRightOperand()
{
    LangFixture f;
    declareABC(f, 3, 0, 0);
    const Evaluated e = analyse(f, QStringLiteral("A == 3"));
    QCOMPARE(e.value, 3);
    QVERIFY(f.registers.truthValue);
    QCOMPARE(e.trace.at(e.trace.size() - 2), QStringLiteral("Comparacion TRUE"));

    const Evaluated g = analyse(f, QStringLiteral("7 > A"));
    QCOMPARE(g.value, 3);
    QCOMPARE(g.trace.at(g.trace.size() - 2), QStringLiteral("Comparacion TRUE"));
}

// Every operand of a logical operator is evaluated and traced: no short-circuit.
void TestEvaluator::logicTrace()
{
    LangFixture f;
    declareABC(f, 2, 1, 5);
    const Evaluated e = analyse(f, QStringLiteral("A > 1 && B < 2 || C == 0"));
    QCOMPARE(LangFixture::foundLines(e.trace), found({">", "&&", "<", "||", "=="}));
    QCOMPARE(e.trace.count(QStringLiteral("Comparacion TRUE")), 2);
    QCOMPARE(e.trace.count(QStringLiteral("Comparacion FALSE")), 1);
    QCOMPARE(e.trace.at(e.trace.size() - 2), QStringLiteral("Logica TRUE"));
    QCOMPARE(f.result(), 1);

    const Evaluated g = analyse(f, QStringLiteral("A == 0 && B == 5"));
    QCOMPARE(g.trace.count(QStringLiteral("Comparacion FALSE")), 2);
    QCOMPARE(g.trace.at(g.trace.size() - 2), QStringLiteral("Logica FALSE"));
    QCOMPARE(f.result(), 0);
}

void TestEvaluator::logicGrouping_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<bool>("truth");

    // Read left to right, the first two would be false: "&&" binds tighter.
    QTest::newRow("or then and") << "A == 1 || B == 1 && C == 1" << 1 << 0 << 0 << true;
    QTest::newRow("and then or") << "A == 0 && B == 1 || C == 1" << 0 << 0 << 1 << true;
    QTest::newRow("or, and, and") << "A == 1 || B == 1 && C == 1 && A == 1" << 1 << 1 << 0 << true;
    QTest::newRow("all false") << "A == 1 || B == 1" << 0 << 0 << 0 << false;
    QTest::newRow("and chain") << "A == 1 && B == 1 && C == 1" << 1 << 1 << 1 << true;
}

void TestEvaluator::logicGrouping()
{
    QFETCH(QString, expression);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(bool, truth);

    LangFixture f;
    declareABC(f, a, b, c);
    analyse(f, expression);
    QCOMPARE(f.registers.logicFound, 1);
    QCOMPARE(f.registers.truthValue, truth);
}

void TestEvaluator::conditionalTrace()
{
    LangFixture f;
    declareABC(f, 1, 0, 0);
    const Evaluated e = analyse(f, QStringLiteral("A == 1 ? 5 : 7"));
    const QStringList expected{
        "\n//-----------EXPRESION PREVIA A ANALIZAR-------------//",
        "CICLO DE SIMULACION: 0",
        "A == 1 ? 5 : 7",
        QStringLiteral("SIGNALPROCESS.\tFrase entrada: A == 1 ? 5 : 7,\tNombre de señal detectado: A"),
        "Encontrado ==", "Numero decimal", "1", "Comparacion TRUE",
        "Encontrado ?", " 5 : 7", "Numero decimal", "5",
        "Encontrado :", "Numero decimal", "7",
        "ANALIZADO TODO",
    };
    QCOMPARE(e.trace, expected);
    QCOMPARE(e.value, 5);
}

void TestEvaluator::conditionalMissingColon()
{
    LangFixture f;
    const Evaluated e = analyse(f, QStringLiteral("1 == 1 ? 5 ; 7"));
    QCOMPARE(e.value, 5);
    QCOMPARE(e.rest, QStringLiteral("7"));
    QVERIFY(e.trace.contains(QStringLiteral("Syntax error: looking for ':'")));
    QVERIFY(!e.trace.contains(QStringLiteral("Encontrado :")));
}

// Conditionals group to the right, in either branch.
void TestEvaluator::conditionalChains_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("value");

    const QString elseChain = QStringLiteral("A == 1 ? 10 : A == 2 ? 20 : 30");
    QTest::newRow("else chain, first") << elseChain << 1 << 0 << 10;
    QTest::newRow("else chain, second") << elseChain << 2 << 0 << 20;
    QTest::newRow("else chain, last") << elseChain << 3 << 0 << 30;
    const QString thenChain = QStringLiteral("A == 1 ? B == 1 ? 11 : 12 : 30");
    QTest::newRow("then chain, both") << thenChain << 1 << 1 << 11;
    QTest::newRow("then chain, inner false") << thenChain << 1 << 0 << 12;
    QTest::newRow("then chain, outer false") << thenChain << 2 << 1 << 30;
}

void TestEvaluator::conditionalChains()
{
    QFETCH(QString, expression);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, value);

    LangFixture f;
    declareABC(f, a, b, 0);
    const Evaluated e = analyse(f, expression);
    QCOMPARE(e.value, value);
    QCOMPARE(e.rest, QString());
    QCOMPARE(f.registers.comparisonFound, 0);
}

// A condition without a comparison selects by the truth value left by the last one.
void TestEvaluator::plainConditionUsesLastTruth()
{
    LangFixture f;
    QCOMPARE(analyse(f, QStringLiteral("5 ? 1 : 2")).value, 2);
    analyse(f, QStringLiteral("1 == 1"));
    QCOMPARE(analyse(f, QStringLiteral("0 ? 1 : 2")).value, 1);
}

void TestEvaluator::repeatedNameReadOnce()
{
    LangFixture f;
    f.declare(KindInput, QStringLiteral("A"), 1);
    f.declare(KindWire, QStringLiteral("A"), 9);
    const Evaluated e = analyse(f, QStringLiteral("A + 1"));
    QCOMPARE(e.value, 10);
    QCOMPARE(e.trace.last(), QStringLiteral("ANALIZADO TODO"));
    int references = 0;
    for (const QString &line : e.trace)
        references += line.startsWith(QLatin1String("SIGNALPROCESS.")) ? 1 : 0;
    QCOMPARE(references, 1);
}

void TestEvaluator::undefinedDivision_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("line");

    QTest::newRow("divide by zero") << "7 / 0" << 0 << "Division por cero. 0 por defecto";
    QTest::newRow("remainder by zero") << "7 % 0" << 0 << "Resto de division por cero. 0 por defecto";
    QTest::newRow("absorbed divide by zero") << "5 + 7 / 0" << 5 << "Division por cero. 0 por defecto";
    QTest::newRow("divide by zero expression") << "7 / (1 - 1)" << 0 << "Division por cero. 0 por defecto";
    QTest::newRow("most negative by -1") << "(0 - 2147483647 - 1) / -1" << kMostNegative
                                         << "Desbordamiento en la division. Resultado -2147483648";
    QTest::newRow("most negative remainder -1") << "(0 - 2147483647 - 1) % -1" << 0 << "";
    QTest::newRow("most negative by 1") << "(0 - 2147483647 - 1) / 1" << kMostNegative << "";
}

void TestEvaluator::undefinedDivision()
{
    QFETCH(QString, expression);
    QFETCH(int, value);
    QFETCH(QString, line);

    LangFixture f;
    const Evaluated e = analyse(f, expression);
    QCOMPARE(e.value, value);
    QCOMPARE(e.rest, QString());
    int notes = 0;
    for (const QString &l : e.trace)
        notes += l.startsWith(QLatin1String("Division")) || l.startsWith(QLatin1String("Resto"))
                         || l.startsWith(QLatin1String("Desbordamiento"))
                     ? 1 : 0;
    QCOMPARE(notes, line.isEmpty() ? 0 : 1);
    if (!line.isEmpty())
        QVERIFY(e.trace.contains(line));
}

// Just below the limit a nested expression is evaluated; at the limit the evaluation
// stops with one line and leaves the rest for the report.
void TestEvaluator::nestingLimit()
{
    LangFixture f;
    const QString inside = QString(kMaxNesting - 1, QLatin1Char('(')) + QStringLiteral("1 + 1")
                           + QString(kMaxNesting - 1, QLatin1Char(')'));
    Evaluated e = analyse(f, inside);
    QCOMPARE(e.value, 2);
    QCOMPARE(e.trace.last(), QStringLiteral("ANALIZADO TODO"));

    const QString deep = QString(kMaxNesting, QLatin1Char('(')) + QStringLiteral("1 + 1")
                         + QString(kMaxNesting, QLatin1Char(')'));
    e = analyse(f, deep);
    QCOMPARE(e.trace.count(QStringLiteral("Expresion anidada en mas de 200 niveles. Se deja de analizar")), 1);
    QVERIFY(!e.trace.contains(QStringLiteral("Encontrado +")));
    // Every parenthesis was taken by the level it opened, the last one by the level that
    // was refused.
    QCOMPARE(e.rest, QStringLiteral("1 + 1") + QString(kMaxNesting, QLatin1Char(')')));
    QCOMPARE(f.registers.nestingDepth, 0);

    // The next sentence starts afresh.
    e = analyse(f, QStringLiteral("(2 * 3)"));
    QCOMPARE(e.value, 6);
    QCOMPARE(e.trace.last(), QStringLiteral("ANALIZADO TODO"));
}

void TestEvaluator::deepNesting_data()
{
    QTest::addColumn<QString>("sentence");
    const int n = 20000;
    QTest::newRow("parentheses") << QString(n, QLatin1Char('(')) + "1";
    QTest::newRow("braces") << QString(n, QLatin1Char('{')) + "1";
    QTest::newRow("bit selections") << QStringLiteral("S[").repeated(n) + "0";
    QTest::newRow("unary and parentheses") << QStringLiteral("-(").repeated(n) + "1";
    QTest::newRow("conditional chain") << QStringLiteral("1 == 1 ? 1 : ").repeated(n) + "1";
    QTest::newRow("conditional in first branch") << QStringLiteral("1 == 1 ? ").repeated(n) + "1";
    QTest::newRow("closing only") << QString(n, QLatin1Char(')'));
    QTest::newRow("mixed") << QStringLiteral("({S[(").repeated(n / 4) + "1";
}

void TestEvaluator::deepNesting()
{
    QFETCH(QString, sentence);
    LangFixture f;
    f.declare(KindInput, QStringLiteral("S"), 5);
    const Evaluated e = analyse(f, sentence);
    QVERIFY(e.trace.last().startsWith(QLatin1String("NO ANALIZADO: ")));
    QVERIFY(!e.rest.isEmpty());
    QCOMPARE(f.registers.nestingDepth, 0);
}

// A line that repeats the rest of the text is cut, so that many references in a long
// sentence cannot make the trace grow with its square.
void TestEvaluator::echoIsBounded()
{
    LangFixture f;
    f.declare(KindInput, QStringLiteral("S"), 1);
    const QString sentence = QStringLiteral("S + ").repeated(2000) + QStringLiteral("S");
    const Evaluated e = analyse(f, sentence);
    QCOMPARE(e.value, 2001);
    qsizetype longest = 0;
    for (int i = 3; i < e.trace.size(); ++i)  // past the sentence as received
        longest = qMax(longest, e.trace.at(i).size());
    QVERIFY(longest <= kMaxEchoLength + 100);
    const QString first = e.trace.at(3);
    QVERIFY(first.startsWith(QStringLiteral("SIGNALPROCESS.\tFrase entrada: ") + sentence.left(kMaxEchoLength) + "...,"));
}

// A long sentence is evaluated in time proportional to its length, as long as the lexer
// looks at the head of the text only.
void TestEvaluator::longSentence()
{
    // A box's text lines are at most 200 characters (the reader's piece length); a far
    // longer sentence still adds up to the end, one operator at a time.
    LangFixture f;
    const QString sentence = QStringLiteral("1+").repeated(2500) + QStringLiteral("1");
    QString text = sentence;
    analyseSentence(f.ctx, text);
    QCOMPARE(f.registers.exprValue, 2501);
    QCOMPARE(f.takeTrace().last(), QStringLiteral("ANALIZADO TODO"));
}

ASMSIM_REGISTER_TEST(TestEvaluator)
#include "tst_evaluator.moc"
