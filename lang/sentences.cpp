#include "lang/sentences.h"

#include "core/messagelog.h"
#include "lang/cursorops.h"
#include "lang/evalcontext.h"
#include "lang/evaluator.h"
#include "lang/evaluatorregisters.h"
#include "lang/lexer.h"
#include "lang/signaltable.h"

namespace {

// The sentence after its heading lines: its first token, and what was left unread.
template <class Cursor>
void analyseRest(const EvalContext &ctx, Cursor &text)
{
    switch (peek(text)) {
    case TokEnd:
        traceLine(ctx.log, QStringLiteral("Frase vacia"));
        flushTrace(ctx.log);
        break;
    case TokCarriageReturn:
        traceLine(ctx.log, QStringLiteral("Retorno de carro"));
        take(text);
        break;
    case TokSemicolon:
        traceLine(ctx.log, QStringLiteral("Fin de frase ;"));
        take(text);
        break;
    case TokComma:
        traceLine(ctx.log, QStringLiteral("Coma"));
        take(text);
        break;
    default:
        evalConditional(ctx, text);
        break;
    }

    // The peek strips the blanks before the rest, so the report shows it from its first
    // character. A control character also reads as the end, but it is text that was not
    // analysed, and is reported as such.
    if (peek(text) == TokEnd && text.isEmpty())
        traceLine(ctx.log, QStringLiteral("ANALIZADO TODO"));
    else if (ctx.log.tracing)
        traceLine(ctx.log, QStringLiteral("NO ANALIZADO: ") + text.restText());
    flushTrace(ctx.log);
}

// The registers an analysis starts from, and its heading lines.
void startSentence(const EvalContext &ctx, const QString &text)
{
    EvaluatorRegisters &r = ctx.registers;
    r.logicFound = 0;
    r.comparisonFound = 0;
    r.truthResult = false;
    r.exprValue = 0;
    r.nestingExceeded = false;

    traceLine(ctx.log, QStringLiteral("\n//-----------EXPRESION PREVIA A ANALIZAR-------------//"));
    if (ctx.log.tracing)
        traceLine(ctx.log, QStringLiteral("CICLO DE SIMULACION: %1").arg(ctx.signalTable.simCycle));
    traceLine(ctx.log, text);
    flushTrace(ctx.log);
}

} // namespace

void analyseSentence(const EvalContext &ctx, QString &text)
{
    startSentence(ctx, text);
    TextCursor rest(text);
    analyseRest(ctx, rest);
    text = rest.restText();
}

void analyseSentence(const EvalContext &ctx, const QString &text, CompiledCursor &compiled)
{
    startSentence(ctx, text);
    analyseRest(ctx, compiled);
}
