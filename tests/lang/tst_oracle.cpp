// The evaluator against an outside oracle. Verilog shares this language's operators and
// literals, so random expressions are evaluated both here and by Icarus Verilog (32-bit
// signed `integer` arithmetic), and every value must agree.
//
// The expressions are fully parenthesised, so that only the meaning of each operator is
// compared, not the grouping rules (which differ on purpose: this language absorbs "*"
// into "+" and "&" into "|", takes one comparison, shift or power per level, and lets
// unary operators apply to one primary only). Where the languages differ in meaning, the
// generator writes the Verilog side so that it means what this language means, or
// leaves the form out:
// - "!" yields the integer 0 or 1 here; in Verilog a 1-bit unsigned value, which would
//   make the whole enclosing expression unsigned. The Verilog side reads «(!(x) ? 1 : 0)».
// - ">>" is arithmetic here and logical in Verilog: only ">>>" is generated.
// - Shift distances count modulo 32 here and in full in Verilog: distances are 0 to 31.
// - A negative exponent gives 1 here and 0 in Verilog: exponents are 0 to 8.
// - Division and remainder by 0 give 0 here and x in Verilog, and the most negative
//   value divided by -1 has no quotient: divisors are «((y & 255) + 1)», 1 to 256.
// - A comparison or logical operator leaves a truth value here that only the top level
//   reads: they stand at the top level only, and a conditional's condition is always one.

#include "langfixture.h"
#include "lang/sentences.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestOracle : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithIcarusVerilog();
};

namespace {

// One expression in both languages.
struct Expr {
    QString ours;
    QString verilog;
};

class Generator
{
public:
    explicit Generator(quint32 seed) : random(seed) {}

    // A value expression: a literal, or an operator applied in parentheses.
    Expr value(int depth)
    {
        if (depth == 0 || random.bounded(10) < 3)
            return literal();
        switch (random.bounded(7)) {
        case 0:
            return unary(depth);
        case 1:
            return division(depth);
        case 2:
            return powerOf(depth);
        case 3:
            return shiftOf(depth);
        default:
            return binary(depth);
        }
    }

    Expr comparison(int depth)
    {
        static const char *ops[] = {"==", "!=", "===", "!==", "<", "<=", ">", ">="};
        const QString op = QLatin1String(ops[random.bounded(8)]);
        const Expr l = value(depth), r = value(depth);
        return {l.ours + ' ' + op + ' ' + r.ours, l.verilog + ' ' + op + ' ' + r.verilog};
    }

    // Two or three comparisons joined by "&&" and "||", sometimes each in parentheses.
    Expr logic(int depth)
    {
        const int terms = 2 + int(random.bounded(2));
        const bool grouped = random.bounded(2) == 0;
        Expr e;
        for (int i = 0; i < terms; ++i) {
            Expr c = comparison(depth);
            if (grouped)
                c = {'(' + c.ours + ')', '(' + c.verilog + ')'};
            if (i > 0) {
                const QString op = random.bounded(2) ? QStringLiteral(" && ") : QStringLiteral(" || ");
                e.ours += op;
                e.verilog += op;
            }
            e.ours += c.ours;
            e.verilog += c.verilog;
        }
        return e;
    }

    Expr conditional(int depth)
    {
        const Expr c = comparison(depth), t = value(depth), f = value(depth);
        return {c.ours + " ? " + t.ours + " : " + f.ours, '(' + c.verilog + ") ? " + t.verilog + " : " + f.verilog};
    }

    int bounded(int n) { return int(random.bounded(n)); }

private:
    QRandomGenerator random;

    Expr literal()
    {
        qint64 v;
        switch (random.bounded(3)) {
        case 0: v = random.bounded(20); break;
        case 1: v = random.bounded(100000); break;
        default: v = random.bounded(qint64(2147483648LL)); break;
        }
        const QString text = QString::number(v);
        return {text, text};
    }

    Expr unary(int depth)
    {
        const Expr x = value(depth - 1);
        switch (random.bounded(3)) {
        case 0:
            return {"(-(" + x.ours + "))", "(-(" + x.verilog + "))"};
        case 1:
            return {"(~(" + x.ours + "))", "(~(" + x.verilog + "))"};
        default:
            return {"(!(" + x.ours + "))", "(!(" + x.verilog + ") ? 1 : 0)"};
        }
    }

    Expr division(int depth)
    {
        const Expr x = value(depth - 1), y = value(depth - 1);
        const QString op = random.bounded(2) ? QStringLiteral(" / ") : QStringLiteral(" % ");
        return {'(' + x.ours + op + "((" + y.ours + " & 255) + 1))",
                '(' + x.verilog + op + "((" + y.verilog + " & 255) + 1))"};
    }

    Expr powerOf(int depth)
    {
        const Expr x = value(depth - 1);
        const QString e = QString::number(random.bounded(9));
        return {'(' + x.ours + " ** " + e + ')', '(' + x.verilog + " ** " + e + ')'};
    }

    Expr shiftOf(int depth)
    {
        const Expr x = value(depth - 1);
        const QString op = random.bounded(2) ? QStringLiteral(" << ") : QStringLiteral(" >>> ");
        const QString d = QString::number(random.bounded(32));
        return {'(' + x.ours + op + d + ')', '(' + x.verilog + op + d + ')'};
    }

    Expr binary(int depth)
    {
        static const char *ops[] = {"+", "-", "*", "&", "|", "^", "~^"};
        const QString op = QLatin1String(ops[random.bounded(7)]);
        const Expr x = value(depth - 1), y = value(depth - 1);
        return {'(' + x.ours + ' ' + op + ' ' + y.ours + ')', '(' + x.verilog + ' ' + op + ' ' + y.verilog + ')'};
    }
};

QList<Expr> generate()
{
    Generator g(0x5eed2024);
    QList<Expr> all;
    for (int i = 0; i < 1200; ++i)
        all << g.value(1 + g.bounded(4));
    for (int i = 0; i < 300; ++i) {
        Expr c = g.comparison(1 + g.bounded(3));
        if (i % 3 == 0)  // a comparison in parentheses is still one
            c = {'(' + c.ours + ')', '(' + c.verilog + ')'};
        all << c;
    }
    for (int i = 0; i < 250; ++i)
        all << g.logic(1 + g.bounded(3));
    for (int i = 0; i < 250; ++i)
        all << g.conditional(1 + g.bounded(3));
    return all;
}

QString findTool(const char *name)
{
    return QStandardPaths::findExecutable(QLatin1String(name));
}

// Runs a program to its end; its standard output, or a failure description.
bool run(const QString &program, const QStringList &arguments, const QString &dir, QString &output)
{
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        output = program + QStringLiteral(" did not finish: ") + process.errorString();
        process.kill();
        process.waitForFinished();
        return false;
    }
    output = QString::fromUtf8(process.readAllStandardOutput());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        output = program + QStringLiteral(" failed: ") + QString::fromUtf8(process.readAllStandardError()) + output;
        return false;
    }
    return true;
}

} // namespace

void TestOracle::agreesWithIcarusVerilog()
{
    const QString iverilog = findTool("iverilog");
    const QString vvp = findTool("vvp");
    if (iverilog.isEmpty() || vvp.isEmpty())
        QFAIL("Icarus Verilog (iverilog and vvp) is not on the PATH. It is the outside oracle of the "
              "evaluator: install the Debian package iverilog, for example with scripts/install-deps.sh.");

    const QList<Expr> expressions = generate();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString verilog = QStringLiteral("module oracle;\ninitial begin\n");
    for (const Expr &e : expressions)
        verilog += QStringLiteral("  $display(\"R %0d\", ") + e.verilog + QStringLiteral(");\n");
    verilog += QStringLiteral("  $finish;\nend\nendmodule\n");
    QFile source(dir.filePath(QStringLiteral("oracle.v")));
    QVERIFY(source.open(QIODevice::WriteOnly | QIODevice::Text));
    source.write(verilog.toUtf8());
    source.close();

    QString output;
    // Without strict widths Icarus widens unsized arithmetic instead of wrapping it at 32 bits.
    QVERIFY2(run(iverilog, {"-gstrict-expr-width", "-o", "oracle.vvp", "oracle.v"}, dir.path(), output),
             qPrintable(output));
    QVERIFY2(run(vvp, {"-n", "oracle.vvp"}, dir.path(), output), qPrintable(output));
    QStringList results;
    for (const QString &line : output.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("R ")))
            results << line.mid(2).trimmed();
    QCOMPARE(results.size(), expressions.size());

    LangFixture f;
    int mismatches = 0;
    for (int i = 0; i < expressions.size(); ++i) {
        QString text = expressions.at(i).ours;
        analyseSentence(f.ctx, text);
        const QStringList trace = f.takeTrace();
        bool ok = false;
        const qint32 expected = qint32(results.at(i).toLongLong(&ok));
        const bool analysed = trace.last() == QLatin1String("ANALIZADO TODO");
        if (!ok || !analysed || f.result() != expected) {
            if (++mismatches <= 10)
                qWarning().noquote() << "mismatch:" << expressions.at(i).ours << "here" << f.result()
                                     << "Verilog" << results.at(i) << (analysed ? "" : trace.last());
        }
    }
    QCOMPARE(mismatches, 0);
}

ASMSIM_REGISTER_TEST(TestOracle)
#include "tst_oracle.moc"
