#include "lang/sentences.h"

#include "run/simstate.h"
#include "lang/evaluator.h"
#include "lang/lexer.h"

void analyseSentence(SimState &state, QString &text)
{
    EvaluatorRegisters &r = state.registers;
    r.logicFound = 0;
    r.comparisonFound = 0;
    r.truthResult = false;
    r.exprValue = 0;
    r.nestingExceeded = false;

    traceLine(state, QStringLiteral("\n//-----------EXPRESION PREVIA A ANALIZAR-------------//"));
    traceLine(state, QStringLiteral("CICLO DE SIMULACION: %1").arg(state.signalTable.simCycle));
    traceLine(state, text);
    flushTrace(state);

    switch (scanToken(text, false)) {
    case TokEnd:
        traceLine(state, QStringLiteral("Frase vacia"));
        flushTrace(state);
        break;
    case TokCarriageReturn:
        traceLine(state, QStringLiteral("Retorno de carro"));
        scanToken(text, true);
        break;
    case TokSemicolon:
        traceLine(state, QStringLiteral("Fin de frase ;"));
        scanToken(text, true);
        break;
    case TokComma:
        traceLine(state, QStringLiteral("Coma"));
        scanToken(text, true);
        break;
    default:
        evalConditional(state, text);
        break;
    }

    // The peek strips the blanks before the rest, so the report shows it from its first
    // character. A control character also reads as the end, but it is text that was not
    // analysed, and is reported as such.
    if (scanToken(text, false) == TokEnd && text.isEmpty())
        traceLine(state, QStringLiteral("ANALIZADO TODO"));
    else
        traceLine(state, QStringLiteral("NO ANALIZADO: ") + text);
    flushTrace(state);
}
