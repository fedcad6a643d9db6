#include "lang/evaluator.h"

#include "core/messagelog.h"
#include "lang/cursorops.h"
#include "lang/evalcontext.h"
#include "lang/evaluatorregisters.h"
#include "lang/lexer.h"
#include "lang/numbers.h"
#include "lang/operators.h"
#include "lang/signaltable.h"
#include "lang/treebuilder.h"

namespace {

using namespace boxops;

// Every routine shows its pending trace lines when it ends, however it ends.
struct FlushAtEnd {
    MessageLog &log;
    ~FlushAtEnd() { flushTrace(log); }
};

// Counts one open level for as long as it lives.
struct NestingLevel {
    EvaluatorRegisters &registers;
    explicit NestingLevel(EvaluatorRegisters &r) : registers(r) { ++registers.nestingDepth; }
    ~NestingLevel() { --registers.nestingDepth; }
};

bool gaveUp(const EvalContext &ctx)
{
    return ctx.registers.nestingExceeded;
}

QString spelling(TokenCode code)
{
    switch (code) {
    case TokQuestion: return QStringLiteral("?");
    case TokColon: return QStringLiteral(":");
    case TokLogicalOr: return QStringLiteral("||");
    case TokBitOr: return QStringLiteral("|");
    case TokLogicalAnd: return QStringLiteral("&&");
    case TokBitAnd: return QStringLiteral("&");
    case TokBitXnor: return QStringLiteral("~^");
    case TokBitXor: return QStringLiteral("^");
    case TokTilde: return QStringLiteral("~");
    case TokCaseEq: return QStringLiteral("===");
    case TokEq: return QStringLiteral("==");
    case TokCaseNe: return QStringLiteral("!==");
    case TokNe: return QStringLiteral("!=");
    case TokNot: return QStringLiteral("!");
    case TokArithShl: return QStringLiteral("<<<");
    case TokShl: return QStringLiteral("<<");
    case TokLe: return QStringLiteral("<=");
    case TokLt: return QStringLiteral("<");
    case TokArithShr: return QStringLiteral(">>>");
    case TokShr: return QStringLiteral(">>");
    case TokGe: return QStringLiteral(">=");
    case TokGt: return QStringLiteral(">");
    case TokPlus: return QStringLiteral("+");
    case TokMinus: return QStringLiteral("-");
    case TokPower: return QStringLiteral("**");
    case TokStar: return QStringLiteral("*");
    case TokSlash: return QStringLiteral("/");
    case TokPercent: return QStringLiteral("%");
    default: return QString();
    }
}

void traceFound(const EvalContext &ctx, TokenCode code)
{
    if (ctx.log.tracing)
        traceLine(ctx.log, QStringLiteral("Encontrado ") + spelling(code));
}

// The levels, written once for a text and a compiled text.
template <class Cursor> void levelConditional(const EvalContext &ctx, Cursor &text);
template <class Cursor> void levelLogical(const EvalContext &ctx, Cursor &text);
template <class Cursor> void levelBitwise(const EvalContext &ctx, Cursor &text);
template <class Cursor> void levelComparison(const EvalContext &ctx, Cursor &text);
template <class Cursor> void levelShift(const EvalContext &ctx, Cursor &text);
template <class Cursor> void levelAdditive(const EvalContext &ctx, Cursor &text);
template <class Cursor> void levelPower(const EvalContext &ctx, Cursor &text);
template <class Cursor> void levelPrimary(const EvalContext &ctx, Cursor &text);
template <class Cursor> void levelConcatenation(const EvalContext &ctx, Cursor &text);

// A literal or a signal reference; None when nothing was read (a parameter name, a lone
// apostrophe, or no primary at all).
Operand readLeaf(const EvalContext &ctx, TextCursor &text, TokenCode head)
{
    if (head == TokQuote) {
        parseNumber(ctx, text);
        return Operand::None;
    }
    if (isPrimaryStart(head)) {
        parseNumber(ctx, text);
        return Operand::Value;
    }
    if (head == TokIdentifier) {
        // A name declared more than once is read once; the lookup takes its last
        // declaration.
        if (ctx.signalTable.isDeclared(leadingLetterRun(text.rest()))) {
            signalProcess(ctx, text);
            return Operand::Value;
        }
        parseNumber(ctx, text);  // a parameter name: swallowed, no value
    }
    return Operand::None;
}

// A signal reference in a compiled text, without a trace: the name was resolved when the
// text was first read; a selection's indexes are evaluated at every reading.
void readSignal(const EvalContext &ctx, CompiledCursor &text, qint32 leafIndex)
{
    EvaluatorRegisters &r = ctx.registers;
    // The same name as a shared copy: no text is built or compared.
    r.currentSignalName = text.compiled->signalLeaves.at(leafIndex).name;
    if (peek(text) != TokLBracket) {
        currentValueAt(ctx.signalTable, text.compiled->signalLeaves.at(leafIndex).declarations, r.exprValue);
        return;
    }
    take(text);
    levelConditional(ctx, text);
    if (r.nestingExceeded)
        return;
    const qint64 first = r.exprValue;
    bool isRange = false;
    qint64 second = 0;
    const TokenCode after = peek(text);
    if (after == TokColon) {
        take(text);
        levelConditional(ctx, text);
        if (r.nestingExceeded)
            return;
        isRange = true;
        second = r.exprValue;
        if (peek(text) == TokRBracket)
            take(text);
    } else if (after == TokRBracket) {
        take(text);
    }
    // The selection's own evaluation may have read more names: the leaves are looked up again.
    qint32 value = r.exprValue;
    currentValueAt(ctx.signalTable, text.compiled->signalLeaves.at(leafIndex).declarations, value);
    r.exprValue = selectedBits(value, first, isRange, second);
}

// The same leaves in a compiled text. With a trace they are read from the text, which
// writes their trace lines; without, from what the first reading found.
Operand readLeaf(const EvalContext &ctx, CompiledCursor &text, TokenCode head)
{
    if (ctx.log.tracing) {
        TextCursor asText(text.compiled->text);
        asText.start = text.start;
        asText.upperCase = true;
        const Operand operand = readLeaf(ctx, asText, head);
        text.start = asText.start;
        return operand;
    }
    if (head != TokQuote && !isPrimaryStart(head) && head != TokIdentifier)
        return Operand::None;
    const CompiledText::Step leaf = leafAt(ctx, *text.compiled, text.start);
    text.start = leaf.afterLeaf;
    if (leaf.leaf == LeafKind::Constant)
        ctx.registers.exprValue = leaf.value;
    if (leaf.leaf == LeafKind::Signal) {
        readSignal(ctx, text, leaf.value);
        return Operand::Value;
    }
    // A lone apostrophe and a parameter name are no operand.
    return head != TokQuote && isPrimaryStart(head) ? Operand::Value : Operand::None;
}

template <class Cursor>
Operand readOperand(const EvalContext &ctx, Cursor &text, TokenCode head)
{
    if (head == TokLBrace) {
        levelConcatenation(ctx, text);
        return Operand::Value;
    }
    if (head == TokLParen) {
        take(text);
        levelConditional(ctx, text);
        if (gaveUp(ctx))
            return Operand::None;
        take(text);  // the closing parenthesis is expected here, and not checked
        // The group keeps what its inside was: «(A == 1)» is still a comparison.
        return Operand::Group;
    }
    const Operand leaf = readLeaf(ctx, text, head);
    // A leaf is a plain value, whatever a bit-selection index compared.
    markPlainValue(ctx.registers);
    return leaf;
}

// The conditional level proper, inside the nesting bookkeeping of levelConditional.
template <class Cursor>
void conditionalLevel(const EvalContext &ctx, Cursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    levelLogical(ctx, text);
    if (gaveUp(ctx) || peek(text) != TokQuestion)
        return;
    const bool condition = r.truthValue;
    traceFound(ctx, TokQuestion);
    take(text);
    if (ctx.log.tracing)
        traceLine(ctx.log, echoText(text.rest()));
    // Both branches are full conditionals, so a chain groups to the right:
    // «C1 ? X : C2 ? Y : Z» is «C1 ? X : (C2 ? Y : Z)».
    levelConditional(ctx, text);
    if (gaveUp(ctx))
        return;
    const qint32 first = r.exprValue;
    // The selected branch is a value, not a comparison.
    markPlainValue(r);
    if (takeToken(text) != TokColon) {
        traceLine(ctx.log, QStringLiteral("Syntax error: looking for ':'"));
        r.exprValue = first;
        return;
    }
    traceFound(ctx, TokColon);
    levelConditional(ctx, text);
    if (gaveUp(ctx))
        return;
    if (condition)
        r.exprValue = first;
    markPlainValue(r);
}

} // namespace

QString echoText(QStringView text)
{
    if (text.size() <= kMaxEchoLength)
        return text.toString();
    return text.left(kMaxEchoLength).toString() + QStringLiteral("...");
}

// Each level on a plain text: the text is left as the level leaves the cursor's rest.
template <void (*level)(const EvalContext &, TextCursor &)>
void onText(const EvalContext &ctx, QString &text)
{
    TextCursor cursor(text);
    level(ctx, cursor);
    text = cursor.restText();
}

void evalConditional(const EvalContext &ctx, QString &text) { onText<evalConditional>(ctx, text); }
void evalLogical(const EvalContext &ctx, QString &text) { onText<evalLogical>(ctx, text); }
void evalBitwise(const EvalContext &ctx, QString &text) { onText<evalBitwise>(ctx, text); }
void evalComparison(const EvalContext &ctx, QString &text) { onText<evalComparison>(ctx, text); }
void evalShift(const EvalContext &ctx, QString &text) { onText<evalShift>(ctx, text); }
void evalAdditive(const EvalContext &ctx, QString &text) { onText<evalAdditive>(ctx, text); }
void evalPower(const EvalContext &ctx, QString &text) { onText<evalPower>(ctx, text); }
void evalPrimary(const EvalContext &ctx, QString &text) { onText<evalPrimary>(ctx, text); }
void evalConcatenation(const EvalContext &ctx, QString &text) { onText<evalConcatenation>(ctx, text); }

void evalConditional(const EvalContext &ctx, TextCursor &text) { levelConditional(ctx, text); }
void evalLogical(const EvalContext &ctx, TextCursor &text) { levelLogical(ctx, text); }
void evalBitwise(const EvalContext &ctx, TextCursor &text) { levelBitwise(ctx, text); }
void evalComparison(const EvalContext &ctx, TextCursor &text) { levelComparison(ctx, text); }
void evalShift(const EvalContext &ctx, TextCursor &text) { levelShift(ctx, text); }
void evalAdditive(const EvalContext &ctx, TextCursor &text) { levelAdditive(ctx, text); }
void evalPower(const EvalContext &ctx, TextCursor &text) { levelPower(ctx, text); }
void evalPrimary(const EvalContext &ctx, TextCursor &text) { levelPrimary(ctx, text); }
void evalConcatenation(const EvalContext &ctx, TextCursor &text) { levelConcatenation(ctx, text); }

void evalConditional(const EvalContext &ctx, CompiledCursor &text)
{
    // Without a trace, from the outermost level, the text is read as a tree once and the
    // tree run every time after; with a trace, or nested, level by level.
    CompiledText &compiled = *text.compiled;
    if (ctx.log.tracing || ctx.registers.nestingDepth != 0 || compiled.treeState == CompiledText::TreeState::TooDeep
        || (compiled.treeStart >= 0 && compiled.treeStart != text.start)) {
        levelConditional(ctx, text);
        return;
    }
    if (compiled.treeState == CompiledText::TreeState::NotRead) {
        compiled.treeStart = text.start;
        const bool usable = buildExpressionTree(ctx, text, compiled.tree);
        compiled.treeState = usable ? CompiledText::TreeState::Usable : CompiledText::TreeState::TooDeep;
        if (!usable) {
            levelConditional(ctx, text);
            return;
        }
    }
    runExpressionTree(ctx, compiled.tree);
    text.start = compiled.tree.end;
}

namespace {

template <class Cursor>
void levelConditional(const EvalContext &ctx, Cursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    // Only the outermost level starts and ends an evaluation: a refusal deeper down makes
    // every open level return, and is forgotten once they all have.
    const bool outermost = r.nestingDepth == 0;
    if (outermost)
        r.nestingExceeded = false;
    if (r.nestingExceeded)
        return;
    if (r.nestingDepth >= kMaxNesting) {
        r.nestingExceeded = true;
        if (ctx.log.tracing)
            traceLine(ctx.log, QStringLiteral("Expresion anidada en mas de %1 niveles. Se deja de analizar").arg(kMaxNesting));
        return;
    }
    {
        NestingLevel level(r);
        conditionalLevel(ctx, text);
    }
    if (outermost)
        r.nestingExceeded = false;
}

template <class Cursor>
void levelLogical(const EvalContext &ctx, Cursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    levelBitwise(ctx, text);
    if (gaveUp(ctx))
        return;
    bool running = r.truthValue;
    bool foundOperator = false;
    for (;;) {
        const TokenCode op = peek(text);
        if (op != TokLogicalAnd && op != TokLogicalOr)
            break;
        r.logicFound = 1;
        foundOperator = true;
        traceFound(ctx, op);
        take(text);
        levelBitwise(ctx, text);
        if (gaveUp(ctx))
            return;
        if (op == TokLogicalAnd) {
            running = running && r.truthValue;
            continue;
        }
        // "&&" binds tighter: it is gathered into the right-hand side of "||".
        bool right = r.truthValue;
        while (peek(text) == TokLogicalAnd) {
            take(text);
            levelBitwise(ctx, text);
            if (gaveUp(ctx))
                return;
            right = right && r.truthValue;
        }
        running = running || right;
    }
    if (foundOperator)
        r.truthResult = true;
    if (r.logicFound == 1) {
        r.truthValue = running;
        traceLine(ctx.log, running ? QStringLiteral("Logica TRUE") : QStringLiteral("Logica FALSE"));
    }
}

template <class Cursor>
void levelBitwise(const EvalContext &ctx, Cursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    levelComparison(ctx, text);
    if (gaveUp(ctx))
        return;
    qint32 accumulator = r.exprValue;
    for (;;) {
        const TokenCode op = peek(text);
        if (op != TokBitAnd && !isOrLike(op))
            break;
        traceFound(ctx, op);
        take(text);
        levelComparison(ctx, text);
        if (gaveUp(ctx))
            return;
        qint32 right = r.exprValue;
        // "&" binds tighter: it is gathered into the right-hand side of "^", "~^", "|".
        while (op != TokBitAnd && peek(text) == TokBitAnd) {
            take(text);
            levelComparison(ctx, text);
            if (gaveUp(ctx))
                return;
            right &= r.exprValue;
        }
        accumulator = bitwise(op, accumulator, right);
        markPlainValue(r);
    }
    r.exprValue = accumulator;
}

template <class Cursor>
void levelComparison(const EvalContext &ctx, Cursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    levelShift(ctx, text);
    if (gaveUp(ctx))
        return;
    const qint32 left = r.exprValue;
    const TokenCode op = peek(text);
    // Without an operator the level keeps what its operand was, so a parenthesised
    // comparison is still one.
    if (!isComparison(op))
        return;
    traceFound(ctx, op);
    take(text);
    levelShift(ctx, text);
    if (gaveUp(ctx))
        return;
    // Set after the right operand, whose own levels may have been plain values.
    r.truthValue = compare(op, left, r.exprValue);
    r.comparisonFound = 1;
    r.truthResult = true;
    traceLine(ctx.log, r.truthValue ? QStringLiteral("Comparacion TRUE") : QStringLiteral("Comparacion FALSE"));
}

template <class Cursor>
void levelShift(const EvalContext &ctx, Cursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    levelAdditive(ctx, text);
    if (gaveUp(ctx))
        return;
    const qint32 left = r.exprValue;
    const TokenCode op = peek(text);
    if (!isShift(op))
        return;
    traceFound(ctx, op);
    take(text);
    levelAdditive(ctx, text);
    if (gaveUp(ctx))
        return;
    r.exprValue = shift(op, left, r.exprValue);
    markPlainValue(r);
}

template <class Cursor>
void levelAdditive(const EvalContext &ctx, Cursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    levelPower(ctx, text);
    if (gaveUp(ctx))
        return;
    qint32 accumulator = r.exprValue;
    for (;;) {
        const TokenCode op = peek(text);
        if (!isMultiplicative(op) && !isAdditive(op))
            break;
        traceFound(ctx, op);
        take(text);
        levelPower(ctx, text);
        if (gaveUp(ctx))
            return;
        qint32 right = r.exprValue;
        // "*", "/" and "%" bind tighter: after "+" or "-" they are gathered into the
        // right-hand side, without a trace line of their own.
        for (TokenCode inner = peek(text); isAdditive(op) && isMultiplicative(inner); inner = peek(text)) {
            take(text);
            levelPower(ctx, text);
            if (gaveUp(ctx))
                return;
            right = arithmetic(ctx, inner, right, r.exprValue);
        }
        accumulator = arithmetic(ctx, op, accumulator, right);
        markPlainValue(r);
    }
    r.exprValue = accumulator;
}

template <class Cursor>
void levelPower(const EvalContext &ctx, Cursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    levelPrimary(ctx, text);
    if (gaveUp(ctx) || peek(text) != TokPower)
        return;
    const qint32 base = r.exprValue;
    traceFound(ctx, TokPower);
    take(text);
    levelPrimary(ctx, text);
    if (gaveUp(ctx))
        return;
    r.exprValue = power(base, r.exprValue);
    markPlainValue(r);
}

template <class Cursor>
void levelPrimary(const EvalContext &ctx, Cursor &text)
{
    FlushAtEnd flush{ctx.log};
    TokenCode unary = TokNone;
    TokenCode head = peek(text);
    if (head == TokTilde || head == TokNot || head == TokPlus || head == TokMinus) {
        traceFound(ctx, head);
        take(text);
        unary = head;
        head = peek(text);
    }
    // After one unary operator only a primary is accepted: operators do not nest.
    const Operand operand = readOperand(ctx, text, head);
    if (gaveUp(ctx) || unary == TokNone)
        return;
    applyUnary(ctx, unary, operand);
}

template <class Cursor>
void levelConcatenation(const EvalContext &ctx, Cursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    if (peek(text) != TokLBrace)
        return;
    take(text);
    levelConditional(ctx, text);
    if (gaveUp(ctx))
        return;
    // The replication form «{N{…}}» has a second brace; its count is read, not applied.
    const bool replication = peek(text) == TokLBrace;
    if (replication)
        take(text);
    levelConditional(ctx, text);
    if (gaveUp(ctx))
        return;
    while (peek(text) == TokComma) {
        take(text);
        levelConditional(ctx, text);
        if (gaveUp(ctx))
            return;
    }
    if (peek(text) == TokRBrace)
        take(text);
    if (replication && peek(text) == TokRBrace)
        take(text);
    // The group is the value of its last element.
    markPlainValue(r);
}

} // namespace
