#include "lang/numbers.h"

#include "core/messagelog.h"
#include "lang/evalcontext.h"
#include "lang/evaluator.h"
#include "lang/evaluatorregisters.h"
#include "lang/lexer.h"
#include "lang/signaltable.h"

namespace {

bool isBaseMarker(TokenCode code)
{
    return code >= TokBaseBin && code <= TokBaseHex;
}

bool isHexDigit(QChar c)
{
    return c.isDigit() || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// After the marker of a based literal: its name in the trace, then its value.
void readBasedDigits(const EvalContext &ctx, TokenCode marker, TextCursor &text)
{
    struct Base {
        const char *trace;
        DigitMode mode;
    };
    static constexpr Base bases[] = {
        {"Numero binario", DigitsBinary},
        {"Numero decimal", DigitsDecimal},
        {"Numero octal", DigitsOctal},
        {"Numero hexadecimal", DigitsHex},
    };
    const Base &base = bases[marker - TokBaseBin];
    traceLine(ctx.log, QLatin1String(base.trace));
    ctx.registers.exprValue = parseDigits(base.mode, text);
    if (ctx.log.tracing)
        traceLine(ctx.log, QString::number(ctx.registers.exprValue));
}

void readParameter(const EvalContext &ctx, TextCursor &text)
{
    traceLine(ctx.log, QStringLiteral("Parametro"));
    scanToken(text, true);
}

// A literal that starts with a number: a plain decimal, or the size of a based literal,
// which the based value then replaces.
void readNumber(const EvalContext &ctx, TextCursor &text)
{
    qsizetype end = 0;
    while (end < text.size() && text.at(end).isDigit())
        ++end;
    bool ok = false;
    const int size = text.left(end).toInt(&ok, 10);
    ctx.registers.exprValue = ok ? size : 0;
    scanToken(text, true);

    const TokenCode next = scanToken(text, false);
    if (isBaseMarker(next)) {
        scanToken(text, true);
        readBasedDigits(ctx, next, text);
        if (ctx.log.tracing)
            traceLine(ctx.log, echoText(text.rest()));
    } else if (next == TokQuote) {
        scanToken(text, true);
    } else {
        traceLine(ctx.log, QStringLiteral("Numero decimal"));
        if (ctx.log.tracing)
            traceLine(ctx.log, QString::number(ctx.registers.exprValue));
        if (next == TokIdentifier)
            readParameter(ctx, text);
    }
}

// Where a bit or range selection reads the binary text of a value, or that it lies
// outside the value (then the reference reads 0).
struct Selection {
    bool inRange = false;
    qsizetype position = 0;  // first character taken
    qsizetype length = 0;
    QString binary;          // the text the characters come from
};

Selection selectBits(qint32 value, const QString &binary, qint64 first, bool isRange, qint64 second)
{
    Selection s;
    s.binary = binary;
    // A range whose high index lies above the value's own binary text reads the missing
    // high bits as zeros, up to bit 31.
    if (isRange && value >= 0 && first >= binary.size() && first <= 31)
        s.binary = binary.rightJustified(qsizetype(first + 1), QLatin1Char('0'));
    const qsizetype n = s.binary.size();
    if (value < 0 || first < 0 || first >= n)
        return s;
    // A range runs from its high index down to its low one; a reversed or negative low
    // index selects nothing.
    if (isRange && (second < 0 || second > first))
        return s;
    s.inRange = true;
    s.position = n - qsizetype(first) - 1;
    s.length = isRange ? qsizetype(first - second + 1) : 1;
    return s;
}

} // namespace

void parseNumber(const EvalContext &ctx, TextCursor &text)
{
    const TokenCode head = scanToken(text, false);
    if (isBaseMarker(head)) {
        scanToken(text, true);
        readBasedDigits(ctx, head, text);
    } else if (head == TokQuote) {
        scanToken(text, true);
    } else if (head == TokNumber) {
        readNumber(ctx, text);
    } else if (head == TokIdentifier) {
        readParameter(ctx, text);
    }
    flushTrace(ctx.log);
}

int parseDigits(DigitMode mode, TextCursor &text)
{
    static constexpr int bases[] = {10, 2, 8, 16};
    if (mode < DigitsDecimal || mode > DigitsHex)
        return 0;
    qsizetype end = 0;
    while (end < text.size() && (mode == DigitsHex ? isHexDigit(text.at(end)) : text.at(end).isDigit()))
        ++end;
    bool ok = false;
    const int value = text.left(end).toInt(&ok, bases[mode]);
    text.skip(end);
    return ok ? value : 0;
}

void signalProcess(const EvalContext &ctx, TextCursor &text)
{
    EvaluatorRegisters &r = ctx.registers;
    // The trace line is built only when a trace is kept; the selection's values are
    // worked out either way.
    const bool tracing = ctx.log.tracing;
    QString line;
    if (tracing)
        line = QStringLiteral("SIGNALPROCESS.\tFrase entrada: ") + echoText(text.rest());

    // The name is looked up as a view of the text; it is copied only into the register,
    // and only when it is another name than the last one read.
    QStringView name;
    TextCursor nameText;
    if (scanToken(text, false) == TokIdentifier) {
        nameText = text;
        name = leadingLetterRun(nameText.rest());
        scanToken(text, true);
    }
    if (tracing)
        line += QStringLiteral(",\tNombre de señal detectado: ") + name.toString();
    if (r.currentSignalName != name || r.currentSignalName.isNull() != name.isNull())
        r.currentSignalName = name.toString();

    if (scanToken(text, false) != TokLBracket) {
        ctx.signalTable.currentValueOf(name, r.exprValue);
    } else {
        if (tracing)
            line += QStringLiteral("\t[");
        scanToken(text, true);
        evalConditional(ctx, text);
        if (r.nestingExceeded)
            return flushTrace(ctx.log);
        const qint64 first = r.exprValue;
        if (tracing)
            line += QStringLiteral("\tNumDigitoIni: %1").arg(first);
        bool isRange = false;
        qint64 second = 0;
        const TokenCode after = scanToken(text, false);
        if (after == TokColon) {
            if (tracing)
                line += QStringLiteral("\t:");
            scanToken(text, true);
            evalConditional(ctx, text);
            if (r.nestingExceeded)
                return flushTrace(ctx.log);
            isRange = true;
            second = r.exprValue;
            if (tracing)
                line += QStringLiteral("\tNumDigitoFin: %1").arg(second);
            if (scanToken(text, false) == TokRBracket) {
                if (tracing)
                    line += QStringLiteral("\t]");
                scanToken(text, true);
            }
        } else if (after == TokRBracket) {
            if (tracing)
                line += QStringLiteral("\t]");
            scanToken(text, true);
        }

        // Before any value exists (while the declarations are read) the selection works
        // on the value the evaluator holds, as a reference without selection does.
        qint32 value = r.exprValue;
        ctx.signalTable.currentValueOf(name, value);
        const QString binary = QString::number(value, 2);
        if (tracing)
            line += QStringLiteral("\nNumero inicial: %1\tNumero binario inicial: %2").arg(value).arg(binary);

        const Selection s = selectBits(value, binary, first, isRange, second);
        if (!s.inRange) {
            r.exprValue = 0;
            if (tracing)
                line += QStringLiteral("\tBit pedido superior a tamaño o negativo. 0 por defecto");
        } else {
            const QString bits = s.binary.mid(s.position, s.length);
            r.exprValue = qint32(bits.toLongLong(nullptr, 2));
            if (tracing) {
                if (isRange)
                    line += QStringLiteral("\tNecesito los bits del %1 al %2 del String").arg(first).arg(second);
                else
                    line += QStringLiteral("\tNecesito el bit: %1 del String").arg(s.position);
                line += QStringLiteral("\tNumero binario final: %1\tNumero decimal final: %2").arg(bits).arg(r.exprValue);
            }
        }
    }
    if (tracing)
        traceLine(ctx.log, line);
    flushTrace(ctx.log);
}

void parseNumber(const EvalContext &ctx, QString &text)
{
    TextCursor cursor(text);
    parseNumber(ctx, cursor);
    text = cursor.restText();
}

int parseDigits(DigitMode mode, QString &text)
{
    TextCursor cursor(text);
    const int value = parseDigits(mode, cursor);
    text = cursor.restText();
    return value;
}

void signalProcess(const EvalContext &ctx, QString &text)
{
    TextCursor cursor(text);
    signalProcess(ctx, cursor);
    text = cursor.restText();
}
