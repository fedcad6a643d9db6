// The texts the run evaluates as expressions, and only those: conditions, the values of
// assignments, defaults, initial values, events and test-bench actions, and the expected
// values of verifications.

#include "check/checkcontext.h"
#include "check/expressionscan.h"
#include "check/testbenchlines.h"
#include "results/runresults.h"
#include "lang/lexer.h"
#include "model/diagramwalk.h"
#include "sim/boxexecution.h"
#include "sim/cyclevalues.h"

#include <QSet>
#include <limits>

namespace {

const QString kNoText = QStringLiteral("null");

// Where an assignment writes: the declared range of its target, for a literal to fit.
struct Target {
    QString name;
    QString range;
    bool declared = false;
};

// One text the run evaluates: the line as written, the part evaluated, and the target
// when the line assigns.
struct Evaluated {
    QString line;
    QString expression;
    Target target;
};

Target designTarget(const SignalTable &table, const QString &name)
{
    const SignalRef ref = findSignalByName(table, name);
    if (ref.kind == 0)
        return {name, QString(), false};
    return {name, table.rangesOf(ref.kind).value(ref.index), true};
}

Target inputTarget(const SignalTable &table, const QString &name)
{
    const qsizetype index = name.isEmpty() ? -1 : table.inputNames.indexOf(name);
    if (index < 0)
        return {name, QString(), false};
    return {name, table.inputRanges.value(index), true};
}

// «NAME <= value» (or «NAME == value» for an event's activation); other forms are not
// read here.
bool splitAssignment(const QString &line, int op, QString &name, QString &value)
{
    QString rest = line;
    if (scanToken(rest, false) != TokIdentifier)
        return false;
    name = leadingLetters(rest);
    scanToken(rest, true);
    if (scanToken(rest, false) != op)
        return false;
    scanToken(rest, true);
    value = rest;
    return true;
}

class Collector {
public:
    Collector(const CheckContext &context) : m(context.model), table(context.design.signalTable) {}

    QVector<Evaluated> texts;

    void condition(const QString &line)
    {
        if (line != kNoText)
            texts.append({line, line, {}});
    }

    void assignments(const TextMatrix &matrix, int rows, int pos, int op = TokLe)
    {
        for (int row = 0; row < rows; ++row) {
            const QString line = textCell(matrix, row, pos);
            QString name, value;
            if (line != kNoText && splitAssignment(line, op, name, value))
                texts.append({line, value, op == TokLe ? designTarget(table, name) : Target{}});
        }
    }

    // Initial values: «[PREFIX.]INPUT <= value».
    void initialValues(int pos)
    {
        for (int row = 0; row < kTextDownRows; ++row) {
            const QString line = textCell(m.textDownMatrix, row, pos);
            if (line == kNoText)
                continue;
            QString rest = line;
            const QString name = takeSignalName(rest);
            if (name.isEmpty() || scanToken(rest, false) != TokLe)
                continue;
            scanToken(rest, true);
            texts.append({line, rest, inputTarget(table, name)});
        }
    }

    void testBenchLines(int pos)
    {
        for (int row = 0; row < kTextDownRows; ++row) {
            const QString text = textCell(m.textDownMatrix, row, pos);
            if (text == kNoText)
                break;
            const TestBenchLine line = readTestBenchLine(text);
            if (line.signal.isEmpty())
                continue;
            texts.append({text, line.value, line.verification ? Target{} : inputTarget(table, line.signal)});
        }
    }

    void designBox(int pos)
    {
        const BoxType type = boxTypeAt(m, pos);
        if (type == BoxType::Decision) {
            condition(textCell(m.textMatrix, 0, pos));
        } else if (type == BoxType::SyncOps || type == BoxType::AsyncOps) {
            assignments(m.textMatrix, kTextRows, pos);
        } else if (type == BoxType::CondSyncOps || type == BoxType::CondAsyncOps) {
            condition(textCell(m.textUpMatrix, 0, pos));
            assignments(m.textDownMatrix, kTextDownRows, pos);
        } else if (type == BoxType::Default) {
            assignments(m.textDownMatrix, kTextDownRows, pos);
        } else if (type == BoxType::Event) {
            assignments(m.textDownMatrix, kTextDownRows, pos);
            assignments(m.textUpMatrix, kTextUpRows, pos, TokEq);
        }
    }

    void testBenchBox(int pos)
    {
        const BoxType type = boxTypeAt(m, pos);
        if (type == BoxType::Initial)
            initialValues(pos);
        else if (type == BoxType::StateAsyncOps)
            testBenchLines(pos);
    }

private:
    const DesignModel &m;
    const SignalTable &table;
};

// The largest literal the target holds: its declared width, and never more than the
// evaluator reads (a signed 32-bit integer).
qint64 largestFitting(const QString &range)
{
    const int width = rangeWidth(range);
    const qint64 widthLimit = width >= 63 ? std::numeric_limits<qint64>::max() : (qint64(1) << width) - 1;
    return qMin<qint64>(widthLimit, std::numeric_limits<qint32>::max());
}

void checkLiteral(const CheckContext &context, int pos, const Evaluated &text, const ExpressionScan &scan,
                  DesignWarnings &warnings)
{
    if (!text.target.declared || !scan.singleLiteral || !scan.literalReadable)
        return;
    const qint64 value = scan.literalValue;
    if (value <= largestFitting(text.target.range))
        return;
    const QString message =
        value > std::numeric_limits<qint32>::max()
            ? QStringLiteral("el valor %1 de «%2» no cabe en un entero de 32 bits con signo: la simulación lo lee "
                             "como 0")
                  .arg(value)
                  .arg(text.line)
            : QStringLiteral("el valor %1 de «%2» no cabe en %3 %4 (de 0 a %5): la simulación lo guarda tal cual, "
                             "sin recortarlo")
                  .arg(value)
                  .arg(text.line, text.target.name, text.target.range.trimmed())
                  .arg(largestFitting(text.target.range));
    warnings << context.warningAt(pos, QStringLiteral("literal-fuera-de-rango"), message);
}

void checkText(const CheckContext &context, int pos, const Evaluated &text, DesignWarnings &warnings)
{
    const ExpressionScan scan = scanExpression(text.expression, context.design.signalTable);
    if (!scan.operatorWithoutOperand.isEmpty()) {
        const QString side = scan.operandMissingBefore ? QStringLiteral("antes de") : QStringLiteral("tras");
        warnings << context.warningAt(pos, QStringLiteral("operando-ausente"),
                                      QStringLiteral("en «%1» falta el operando %2 «%3»: la simulación usa en su lugar "
                                                     "el último valor calculado")
                                          .arg(text.line, side, scan.operatorWithoutOperand));
    }
    QSet<QString> named;
    for (const QString &name : scan.undeclared) {
        if (named.contains(name))
            continue;
        named << name;
        warnings << context.warningAt(pos, QStringLiteral("operando-no-declarado"),
                                      QStringLiteral("en «%1», %2 no es una señal de ningún diagrama: la simulación lo "
                                                     "toma por un parámetro y usa en su lugar el último valor "
                                                     "calculado")
                                          .arg(text.line, name));
    }
    checkLiteral(context, pos, text, scan, warnings);
}

} // namespace

void checkExpressions(const CheckContext &context, DesignWarnings &warnings)
{
    const DesignModel &m = context.model;
    for (int pos = 0; pos < m.boxIds.size(); ++pos) {
        Collector collector(context);
        for (int column = 0; column < context.parentCount(); ++column) {
            if (!context.reachable.at(column).at(pos))
                continue;
            if (context.isDesignColumn(column))
                collector.designBox(pos);
            else if (context.isTestBenchColumn(column))
                collector.testBenchBox(pos);
            break;
        }
        for (const Evaluated &text : collector.texts)
            checkText(context, pos, text, warnings);
    }
}
