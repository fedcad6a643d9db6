#include "lang/compiledtext.h"

#include "lang/evalcontext.h"
#include "lang/evaluatorregisters.h"
#include "lang/numbers.h"

namespace {

// A text cursor standing at a position of the compiled text, which is upper case already.
TextCursor textAt(const CompiledText &compiled, qsizetype position)
{
    TextCursor cursor(compiled.text);
    cursor.start = position;
    cursor.upperCase = true;
    return cursor;
}

// What a literal or parameter name at the cursor leaves in the value register: it is
// read twice from different values, so a reading that leaves the value alone shows as
// two different results.
void readLiteral(const EvalContext &ctx, const CompiledText &compiled, CompiledText::Step &step)
{
    EvaluatorRegisters &r = ctx.registers;
    const qint32 saved = r.exprValue;
    TextCursor first = textAt(compiled, step.start);
    r.exprValue = 0;
    parseNumber(ctx, first);
    const qint32 fromZero = r.exprValue;
    TextCursor second = textAt(compiled, step.start);
    r.exprValue = 1;
    parseNumber(ctx, second);
    const qint32 fromOne = r.exprValue;
    r.exprValue = saved;

    step.afterLeaf = qint32(first.start);
    if (fromZero == fromOne) {
        step.leaf = LeafKind::Constant;
        step.value = fromZero;
    } else {
        step.leaf = LeafKind::Unchanged;
    }
}

void readName(const EvalContext &ctx, CompiledText &compiled, CompiledText::Step &step)
{
    const QStringView name = leadingLetterRun(QStringView(compiled.text).sliced(step.start));
    const QVector<QPair<SignalKind, int>> *declarations = ctx.signalTable.declarationsOf(name);
    if (!declarations) {
        readLiteral(ctx, compiled, step);  // a parameter name, swallowed
        return;
    }
    step.leaf = LeafKind::Signal;
    step.afterLeaf = step.afterTake;
    step.value = qint32(compiled.signalLeaves.size());
    compiled.signalLeaves.append({name.toString(), *declarations});
}

} // namespace

bool compileText(const TextCursor &text, CompiledText &compiled, qsizetype &start)
{
    TextCursor cursor = text;
    scanToken(cursor, false);
    if (!cursor.upperCase)
        return false;
    compiled = CompiledText{};
    compiled.text = cursor.text;
    compiled.stepAt.fill(-1, cursor.text.size() + 1);
    // A cursor that was not upper case yet has been upper-cased from past its blanks on,
    // and starts over at 0, as its first peek would have left it.
    start = text.upperCase ? text.start : 0;
    return true;
}

CompiledText::Step recogniseStep(CompiledText &compiled, qsizetype position)
{
    qint32 index = compiled.stepAt.at(position);
    if (index < 0) {
        TextCursor cursor = textAt(compiled, position);
        CompiledText::Step step;
        step.code = scanToken(cursor, false);
        step.start = qint32(cursor.start);
        scanToken(cursor, true);
        step.afterTake = qint32(cursor.start);
        // The position past the blanks holds the same token.
        index = compiled.stepAt.at(step.start);
        if (index < 0) {
            index = qint32(compiled.steps.size());
            compiled.steps.append(step);
            compiled.stepAt[step.start] = index;
        }
        compiled.stepAt[position] = index;
    }
    return compiled.steps.at(index);
}

CompiledText::Step leafAt(const EvalContext &ctx, CompiledText &compiled, qsizetype position)
{
    const qint32 index = compiled.stepAt.at(stepAt(compiled, position).start);
    CompiledText::Step &step = compiled.steps[index];
    if (step.leaf == LeafKind::Unknown) {
        if (step.code == TokIdentifier)
            readName(ctx, compiled, step);
        else
            readLiteral(ctx, compiled, step);
    }
    return step;
}
