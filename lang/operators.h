#pragma once
// What the operators of box text compute, and how a unary operator and a plain value
// leave the evaluator registers: shared by the evaluator's levels and the expression
// trees, so both compute alike.

#include "core/messagelog.h"
#include "lang/evalcontext.h"
#include "lang/evaluatorregisters.h"
#include "lang/lexer.h"

#include <limits>

namespace boxops {

inline constexpr qint32 kMinValue = std::numeric_limits<qint32>::min();

inline bool isMultiplicative(TokenCode code)
{
    return code == TokStar || code == TokSlash || code == TokPercent;
}

inline bool isAdditive(TokenCode code)
{
    return code == TokPlus || code == TokMinus;
}

inline bool isShift(TokenCode code)
{
    return code == TokShl || code == TokArithShl || code == TokShr || code == TokArithShr;
}

inline bool isComparison(TokenCode code)
{
    switch (code) {
    case TokEq: case TokCaseEq: case TokNe: case TokCaseNe:
    case TokLt: case TokLe: case TokGt: case TokGe:
        return true;
    default:
        return false;
    }
}

inline bool isOrLike(TokenCode code)
{
    return code == TokBitXor || code == TokBitXnor || code == TokBitOr;
}

inline bool isPrimaryStart(TokenCode code)
{
    return code == TokQuote || code == TokNumber || (code >= TokBaseBin && code <= TokBaseHex);
}

// Values wrap around in two's complement: the arithmetic is done on unsigned 32 bits.
inline qint32 wrap(quint32 bits)
{
    return qint32(bits);
}

// A division with no defined quotient gets a fixed result and says so in the trace.
inline qint32 divide(const EvalContext &ctx, qint32 lhs, qint32 rhs)
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

inline qint32 remainder(const EvalContext &ctx, qint32 lhs, qint32 rhs)
{
    if (rhs == 0) {
        traceLine(ctx.log, QStringLiteral("Resto de division por cero. 0 por defecto"));
        return 0;
    }
    if (rhs == -1)  // exact, and the most negative value would overflow the hardware
        return 0;
    return lhs % rhs;
}

inline qint32 arithmetic(const EvalContext &ctx, TokenCode code, qint32 lhs, qint32 rhs)
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
inline qint32 power(qint32 base, qint32 exponent)
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

inline qint32 shift(TokenCode code, qint32 lhs, qint32 rhs)
{
    const int distance = rhs & 31;
    if (code == TokShl || code == TokArithShl)
        return wrap(quint32(lhs) << distance);
    return lhs >> distance;  // arithmetic: the sign bit is copied in
}

inline bool compare(TokenCode code, qint32 lhs, qint32 rhs)
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

inline qint32 bitwise(TokenCode code, qint32 lhs, qint32 rhs)
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

// What was just evaluated is an integer, not a comparison or a logical operation.
inline void markPlainValue(EvaluatorRegisters &r)
{
    r.comparisonFound = 0;
    r.truthResult = false;
}

inline void applyUnary(const EvalContext &ctx, TokenCode op, Operand operand)
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

} // namespace boxops
