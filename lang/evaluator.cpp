#include "lang/evaluator.h"

#include "core/messagelog.h"
#include "lang/evalcontext.h"
#include "lang/evaluatorregisters.h"
#include "lang/lexer.h"
#include "lang/numbers.h"
#include "lang/signaltable.h"

#include <limits>

namespace {

constexpr qint32 kMinValue = std::numeric_limits<qint32>::min();

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

TokenCode peek(TextCursor &text)
{
    return scanToken(text, false);
}

void take(TextCursor &text)
{
    scanToken(text, true);
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

bool isMultiplicative(TokenCode code)
{
    return code == TokStar || code == TokSlash || code == TokPercent;
}

bool isAdditive(TokenCode code)
{
    return code == TokPlus || code == TokMinus;
}

bool isShift(TokenCode code)
{
    return code == TokShl || code == TokArithShl || code == TokShr || code == TokArithShr;
}

bool isComparison(TokenCode code)
{
    switch (code) {
    case TokEq: case TokCaseEq: case TokNe: case TokCaseNe:
    case TokLt: case TokLe: case TokGt: case TokGe:
        return true;
    default:
        return false;
    }
}

bool isOrLike(TokenCode code)
{
    return code == TokBitXor || code == TokBitXnor || code == TokBitOr;
}

bool isPrimaryStart(TokenCode code)
{
    return code == TokQuote || code == TokNumber || (code >= TokBaseBin && code <= TokBaseHex);
}

// Values wrap around in two's complement: the arithmetic is done on unsigned 32 bits.
qint32 wrap(quint32 bits)
{
    return qint32(bits);
}

// A division with no defined quotient gets a fixed result and says so in the trace.
qint32 divide(const EvalContext &ctx, qint32 lhs, qint32 rhs)
{
    if (rhs == 0) {
        traceLine(ctx.log, QStringLiteral("Division por cero. 0 por defecto"));
        return 0;
    }
    if (lhs == kMinValue && rhs == -1) {
        traceLine(ctx.log, QStringLiteral("Desbordamiento en la division. Resultado -2147483648"));
        return kMinValue;
    }
    return lhs / rhs;
}

qint32 remainder(const EvalContext &ctx, qint32 lhs, qint32 rhs)
{
    if (rhs == 0) {
        traceLine(ctx.log, QStringLiteral("Resto de division por cero. 0 por defecto"));
        return 0;
    }
    if (rhs == -1)  // exact, and the most negative value would overflow the hardware
        return 0;
    return lhs % rhs;
}

qint32 arithmetic(const EvalContext &ctx, TokenCode code, qint32 lhs, qint32 rhs)
{
    switch (code) {
    case TokPlus: return wrap(quint32(lhs) + quint32(rhs));
    case TokMinus: return wrap(quint32(lhs) - quint32(rhs));
    case TokStar: return wrap(quint32(lhs) * quint32(rhs));
    case TokSlash: return divide(ctx, lhs, rhs);
    default: return remainder(ctx, lhs, rhs);
    }
}

// The base multiplied into 1 exponent times, wrapped at 32 bits; squaring gives the same
// bits in as many steps as the exponent has bits.
qint32 power(qint32 base, qint32 exponent)
{
    quint32 result = 1;
    quint32 factor = quint32(base);
    for (quint32 e = exponent > 0 ? quint32(exponent) : 0; e != 0; e >>= 1) {
        if (e & 1)
            result *= factor;
        factor *= factor;
    }
    return wrap(result);
}

qint32 shift(TokenCode code, qint32 lhs, qint32 rhs)
{
    const int distance = rhs & 31;
    if (code == TokShl || code == TokArithShl)
        return wrap(quint32(lhs) << distance);
    return lhs >> distance;  // arithmetic: the sign bit is copied in
}

bool compare(TokenCode code, qint32 lhs, qint32 rhs)
{
    switch (code) {
    case TokEq: case TokCaseEq: return lhs == rhs;
    case TokNe: case TokCaseNe: return lhs != rhs;
    case TokLt: return lhs < rhs;
    case TokLe: return lhs <= rhs;
    case TokGt: return lhs > rhs;
    default: return lhs >= rhs;
    }
}

qint32 bitwise(TokenCode code, qint32 lhs, qint32 rhs)
{
    switch (code) {
    case TokBitAnd: return lhs & rhs;
    case TokBitXor: return lhs ^ rhs;
    case TokBitXnor: return ~(lhs ^ rhs);
    default: return lhs | rhs;
    }
}


// What the primary after a unary operator turned out to be.
enum class Operand { None, Value, Group };

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

// What was just evaluated is an integer, not a comparison or a logical operation.
void markPlainValue(EvaluatorRegisters &r)
{
    r.comparisonFound = 0;
    r.truthResult = false;
}

Operand readOperand(const EvalContext &ctx, TextCursor &text, TokenCode head)
{
    if (head == TokLBrace) {
        evalConcatenation(ctx, text);
        return Operand::Value;
    }
    if (head == TokLParen) {
        take(text);
        evalConditional(ctx, text);
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

void applyUnary(const EvalContext &ctx, TokenCode op, Operand operand)
{
    EvaluatorRegisters &r = ctx.registers;
    if (operand == Operand::None || op == TokPlus)
        return;
    if (op == TokNot && operand == Operand::Group && r.truthResult) {
        // «!(A == 1)» and «!(A && B)» deny the truth, and stay a truth; the value is
        // denied as on any operand.
        r.truthValue = !r.truthValue;
        r.exprValue = r.exprValue == 0 ? 1 : 0;
        return;
    }
    if (op == TokMinus)
        r.exprValue = wrap(0u - quint32(r.exprValue));
    else if (op == TokTilde)
        r.exprValue = ~r.exprValue;
    else
        r.exprValue = r.exprValue == 0 ? 1 : 0;
    markPlainValue(r);
}

// The conditional level proper, inside the nesting bookkeeping of evalConditional.
void conditionalLevel(const EvalContext &ctx, TextCursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    evalLogical(ctx, text);
    if (gaveUp(ctx) || peek(text) != TokQuestion)
        return;
    const bool condition = r.truthValue;
    traceFound(ctx, TokQuestion);
    take(text);
    if (ctx.log.tracing)
        traceLine(ctx.log, echoText(text.rest()));
    // Both branches are full conditionals, so a chain groups to the right:
    // «C1 ? X : C2 ? Y : Z» is «C1 ? X : (C2 ? Y : Z)».
    evalConditional(ctx, text);
    if (gaveUp(ctx))
        return;
    const qint32 first = r.exprValue;
    // The selected branch is a value, not a comparison.
    markPlainValue(r);
    if (scanToken(text, true) != TokColon) {
        traceLine(ctx.log, QStringLiteral("Syntax error: looking for ':'"));
        r.exprValue = first;
        return;
    }
    traceFound(ctx, TokColon);
    evalConditional(ctx, text);
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

void evalConditional(const EvalContext &ctx, TextCursor &text)
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

void evalLogical(const EvalContext &ctx, TextCursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    evalBitwise(ctx, text);
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
        evalBitwise(ctx, text);
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
            evalBitwise(ctx, text);
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

void evalBitwise(const EvalContext &ctx, TextCursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    evalComparison(ctx, text);
    if (gaveUp(ctx))
        return;
    qint32 accumulator = r.exprValue;
    for (;;) {
        const TokenCode op = peek(text);
        if (op != TokBitAnd && !isOrLike(op))
            break;
        traceFound(ctx, op);
        take(text);
        evalComparison(ctx, text);
        if (gaveUp(ctx))
            return;
        qint32 right = r.exprValue;
        // "&" binds tighter: it is gathered into the right-hand side of "^", "~^", "|".
        while (op != TokBitAnd && peek(text) == TokBitAnd) {
            take(text);
            evalComparison(ctx, text);
            if (gaveUp(ctx))
                return;
            right &= r.exprValue;
        }
        accumulator = bitwise(op, accumulator, right);
        markPlainValue(r);
    }
    r.exprValue = accumulator;
}

void evalComparison(const EvalContext &ctx, TextCursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    evalShift(ctx, text);
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
    evalShift(ctx, text);
    if (gaveUp(ctx))
        return;
    // Set after the right operand, whose own levels may have been plain values.
    r.truthValue = compare(op, left, r.exprValue);
    r.comparisonFound = 1;
    r.truthResult = true;
    traceLine(ctx.log, r.truthValue ? QStringLiteral("Comparacion TRUE") : QStringLiteral("Comparacion FALSE"));
}

void evalShift(const EvalContext &ctx, TextCursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    evalAdditive(ctx, text);
    if (gaveUp(ctx))
        return;
    const qint32 left = r.exprValue;
    const TokenCode op = peek(text);
    if (!isShift(op))
        return;
    traceFound(ctx, op);
    take(text);
    evalAdditive(ctx, text);
    if (gaveUp(ctx))
        return;
    r.exprValue = shift(op, left, r.exprValue);
    markPlainValue(r);
}

void evalAdditive(const EvalContext &ctx, TextCursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    evalPower(ctx, text);
    if (gaveUp(ctx))
        return;
    qint32 accumulator = r.exprValue;
    for (;;) {
        const TokenCode op = peek(text);
        if (!isMultiplicative(op) && !isAdditive(op))
            break;
        traceFound(ctx, op);
        take(text);
        evalPower(ctx, text);
        if (gaveUp(ctx))
            return;
        qint32 right = r.exprValue;
        // "*", "/" and "%" bind tighter: after "+" or "-" they are gathered into the
        // right-hand side, without a trace line of their own.
        for (TokenCode inner = peek(text); isAdditive(op) && isMultiplicative(inner); inner = peek(text)) {
            take(text);
            evalPower(ctx, text);
            if (gaveUp(ctx))
                return;
            right = arithmetic(ctx, inner, right, r.exprValue);
        }
        accumulator = arithmetic(ctx, op, accumulator, right);
        markPlainValue(r);
    }
    r.exprValue = accumulator;
}

void evalPower(const EvalContext &ctx, TextCursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    evalPrimary(ctx, text);
    if (gaveUp(ctx) || peek(text) != TokPower)
        return;
    const qint32 base = r.exprValue;
    traceFound(ctx, TokPower);
    take(text);
    evalPrimary(ctx, text);
    if (gaveUp(ctx))
        return;
    r.exprValue = power(base, r.exprValue);
    markPlainValue(r);
}

void evalPrimary(const EvalContext &ctx, TextCursor &text)
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

void evalConcatenation(const EvalContext &ctx, TextCursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    FlushAtEnd flush{ctx.log};
    if (peek(text) != TokLBrace)
        return;
    take(text);
    evalConditional(ctx, text);
    if (gaveUp(ctx))
        return;
    // The replication form «{N{…}}» has a second brace; its count is read, not applied.
    const bool replication = peek(text) == TokLBrace;
    if (replication)
        take(text);
    evalConditional(ctx, text);
    if (gaveUp(ctx))
        return;
    while (peek(text) == TokComma) {
        take(text);
        evalConditional(ctx, text);
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
