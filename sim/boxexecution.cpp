#include "sim/boxexecution.h"

#include "core/messagelog.h"
#include "lang/compiledtext.h"
#include "lang/evaluator.h"
#include "lang/lexer.h"
#include "lang/sentences.h"
#include "model/boxaccess.h"
#include "sim/cyclevalues.h"
#include "sim/simcontext.h"

// Latin-1 literals whose length is known when compiling, not counted at every use.
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kNoText = QStringLiteral("null");
constexpr QStringView kSignalName = u"Nombre señal: ";
constexpr QLatin1String kNotSupported("No implantado\n");
constexpr QLatin1String kDecisionResult("\t->\tResultado Decision: ");

void writeValue(QVector<qint32> &values, int index, qint32 value)
{
    if (index >= 0 && index < values.size())
        values[index] = value;
}

// What a condition came to, in the order in which the outcomes are tested.
enum class Outcome { LogicTrue, LogicFalse, ComparisonTrue, ComparisonFalse, ValueOne, ValueZero, Unreadable };

Outcome conditionOutcome(const EvaluatorRegisters &r)
{
    if (r.logicFound == 1)
        return r.truthValue ? Outcome::LogicTrue : Outcome::LogicFalse;
    if (r.comparisonFound == 1)
        return r.truthValue ? Outcome::ComparisonTrue : Outcome::ComparisonFalse;
    if (r.exprValue == 1)
        return Outcome::ValueOne;
    if (r.exprValue == 0)
        return Outcome::ValueZero;
    return Outcome::Unreadable;
}

bool takesPathOne(Outcome outcome)
{
    return outcome == Outcome::LogicTrue || outcome == Outcome::ComparisonTrue || outcome == Outcome::ValueOne
           || outcome == Outcome::Unreadable;
}

// The kept lines of a box, while the cycle loop runs; null outside it.
CompiledBoxes::Box *keptBox(const SimContext &ctx, int w)
{
    CompiledBoxes &compiled = ctx.simulation.loop.compiled;
    if (!compiled.active || w < 0 || w >= ctx.model.boxIds.size())
        return nullptr;
    if (compiled.boxes.size() <= w)
        compiled.boxes.resize(ctx.model.boxIds.size());
    return &compiled.boxes[w];
}

// Appends the condition and analyses it (the analysis traces itself in the process pane).
// A condition met in the cycle loop is compiled the first time and read compiled after.
Outcome analyseCondition(const SimContext &ctx, int w, const QString &condition)
{
    ctx.simulation.loop.add(condition, QLatin1Char('\t'));
    CompiledBoxes::Box *box = keptBox(ctx, w);
    if (box && !box->conditionRead) {
        CompiledCondition &c = box->condition;
        c.compiled = compileText(TextCursor(condition), c.text, c.start);
        box->conditionRead = true;
    }
    if (box && box->condition.compiled) {
        CompiledCursor cursor{&box->condition.text, box->condition.start};
        analyseSentence(ctx.eval(), condition, cursor);
    } else {
        QString text = condition;
        analyseSentence(ctx.eval(), text);
    }
    return conditionOutcome(ctx.registers);
}

PathLinkKind executeDecision(const SimContext &ctx, int w, qint32 next0, qint32 next1, qint32 &link)
{
    const Outcome outcome = analyseCondition(ctx, w, textCell(ctx.model.textMatrix, 0, w));
    QLatin1String text;
    switch (outcome) {
    case Outcome::LogicTrue: text = "Logica Verdadera(Camino 1). Next ID: "_L1; break;
    case Outcome::LogicFalse: text = "Logica Falsa (Camino 0). Next ID: "_L1; break;
    case Outcome::ComparisonTrue: text = "Comparacion Verdadera (Camino 1). Next ID: "_L1; break;
    case Outcome::ComparisonFalse: text = "Comparacion Falsa (Camino 0). Next ID: "_L1; break;
    case Outcome::ValueOne: text = "Valor Signal 1 (Camino 1). Next ID: "_L1; break;
    case Outcome::ValueZero: text = "Valor Signal 0 (Camino 0). Next ID: "_L1; break;
    case Outcome::Unreadable: break;
    }
    const bool pathOne = takesPathOne(outcome);
    link = pathOne ? next1 : next0;
    CycleLoopState &loop = ctx.simulation.loop;
    loop.add(kDecisionResult);
    if (outcome == Outcome::Unreadable)
        loop.add("DECISION MAL INTERPRETADA EN EXPRESIONES. POR DEFECTO DECISION = 1\n"_L1);
    else
        loop.add(text, Decimal{link}, QLatin1Char('\n'));
    return pathOne ? PathLinkKind::Next1 : PathLinkKind::Next0;
}

// The texts of a conditional operation box for each outcome but the unreadable one.
QLatin1String conditionalText(Outcome outcome, Timing timing)
{
    const bool sync = timing == Timing::Synchronous;
    switch (outcome) {
    case Outcome::LogicTrue:
        return sync ? ". Logica Verdadera. EJECUTO\n"_L1 : "Logica Verdadera. Ejecuto\n"_L1;
    case Outcome::LogicFalse:
        return sync ? ". Logica Falsa. NO EJECUTO\n"_L1 : "Logica Falsa. NO EJECUTO\n"_L1;
    case Outcome::ComparisonTrue:
        return sync ? ". Comparacion Verdadera. EJECUTO\n"_L1
                    : "Comparacion Verdadera. EJECUTO\n"_L1;
    case Outcome::ComparisonFalse:
        return sync ? ". Comparacion Falsa. NO EJECUTO\n"_L1
                    : "Comparacion Falsa. NO EJECUTO\n"_L1;
    case Outcome::ValueOne:
        return sync ? ". Valor Signal 1. EJECUTO\n"_L1 : "Valor Signal 1. EJECUTO\n"_L1;
    case Outcome::ValueZero:
        return sync ? ". Valor Signal 0. NO EJECUTO\n"_L1 : "Valor Signal 0. NO EJECUTO\n"_L1;
    case Outcome::Unreadable:
        break;
    }
    return QLatin1String();
}

// The lines of one text matrix of the box: kept from the first time the cycle loop met
// them, or read now outside the loop.
enum class Rows { Text, Down };

void executeLines(const SimContext &ctx, Rows which, int w, Timing timing, bool verbose)
{
    const DesignModel &m = ctx.model;
    const TextMatrix &matrix = which == Rows::Text ? m.textMatrix : m.textDownMatrix;
    const int rows = which == Rows::Text ? kTextRows : kTextDownRows;
    if (CompiledBoxes::Box *kept = keptBox(ctx, w)) {
        CompiledBoxes::Box &box = *kept;
        if (!box.compiled) {
            box.text = compileLines(ctx.signalTable, m.textMatrix, kTextRows, w, true);
            box.down = compileLines(ctx.signalTable, m.textDownMatrix, kTextDownRows, w, true);
            box.compiled = true;
        }
        for (const CompiledAssignment &line : which == Rows::Text ? box.text : box.down)
            executeAssignment(ctx, line, timing, verbose);
    } else {
        for (const CompiledAssignment &line : compileLines(ctx.signalTable, matrix, rows, w))
            executeAssignment(ctx, line, timing, verbose);
    }
    ctx.simulation.loop.add(QLatin1Char('\n'));
}

void executeConditionalOps(const SimContext &ctx, int w, Timing timing)
{
    const Outcome outcome = analyseCondition(ctx, w, textCell(ctx.model.textUpMatrix, 0, w));
    CycleLoopState &loop = ctx.simulation.loop;
    loop.add(kDecisionResult);
    const bool sync = timing == Timing::Synchronous;
    if (sync)
        loop.add(Decimal{ctx.registers.exprValue});
    if (outcome == Outcome::Unreadable) {
        loop.add("DECISION MAL INTERPRETADA EN EXPRESIONES. POR DEFECTO DECISION = 0\n"_L1);
        logMessage(ctx.log,
                   sync ? QStringLiteral("Error! Decision mal interpretada en CondSyncOps del diseño")
                        : QStringLiteral("Error! Decision mal interpretada en CondAsyncOps del diseño"),
                   LogError);
        return;
    }
    loop.add(conditionalText(outcome, timing));
    if (takesPathOne(outcome))
        executeLines(ctx, Rows::Down, w, timing, false);
}

void notSupported(const SimContext &ctx, const QString &message, LogKind kind)
{
    ctx.simulation.loop.add(kNotSupported);
    logMessage(ctx.log, message, kind);
}

} // namespace

void executeAssignmentLine(const SimContext &ctx, const QString &line, Timing timing, bool verbose)
{
    executeAssignment(ctx, compileAssignment(ctx.signalTable, line), timing, verbose);
}

void executeAssignment(const SimContext &ctx, const CompiledAssignment &assignment, Timing timing, bool verbose)
{
    CycleLoopState &loop = ctx.simulation.loop;
    loop.add(assignment.line, verbose ? "\t->\t"_L1 : "\t"_L1);
    if (assignment.named && verbose)
        loop.add(kSignalName, assignment.name);

    // Each line stands alone: what an earlier «&&» or comparison left in the registers
    // must not turn this value into a truth.
    startFreshEvaluation(ctx.registers);
    if (assignment.compiled) {
        CompiledCursor text{&assignment.compiledExpression, assignment.compiledStart};
        evalConditional(ctx.eval(), text);
    } else {
        TextCursor text = assignment.expression;
        evalConditional(ctx.eval(), text);
    }
    const qint32 value = expressionResult(ctx.registers);
    if (verbose)
        loop.add("\tValor: "_L1, Decimal{value}, QLatin1Char('\t'));

    const SignalRef target = assignment.target;
    if (target.kind == KindNone)
        return;
    SignalTable &table = ctx.signalTable;
    writeValue(table.next.ofKind(target.kind), target.index, value);
    // An asynchronous value is read at once by the rest of the walk.
    if (timing == Timing::Asynchronous)
        writeValue(table.current.ofKind(target.kind), target.index, value);
}

PathLinkKind executeWalkBox(const SimContext &ctx, int w, BoxType type, qint32 next0, qint32 next1, qint32 &link)
{
    if (type == BoxType::Decision)
        return executeDecision(ctx, w, next0, next1, link);
    if (type == BoxType::SyncOps)
        executeLines(ctx, Rows::Text, w, Timing::Synchronous, true);
    else if (type == BoxType::AsyncOps)
        executeLines(ctx, Rows::Text, w, Timing::Asynchronous, true);
    else if (type == BoxType::CondSyncOps)
        executeConditionalOps(ctx, w, Timing::Synchronous);
    else if (type == BoxType::CondAsyncOps)
        executeConditionalOps(ctx, w, Timing::Asynchronous);
    else if (type == BoxType::Code)
        notSupported(ctx, QStringLiteral("Warning!: BOX CODE no implantado en Simulacion Operativa"), LogWarning);
    else if (type == BoxType::Instance)
        notSupported(ctx, QStringLiteral("Error!: BOX INSTANCE no implantado en Simulacion Operativa"), LogError);
    else if (type == BoxType::MetaState)
        notSupported(ctx, QStringLiteral("Error!: BOX METASTATE no implantado en Simulacion Operativa"), LogError);
    // Every other type is passed through: the walk follows its Next link.
    return PathLinkKind::Next;
}
