#pragma once
// The expression evaluator: one routine per precedence level, all working on the same
// text by reference, consuming what they evaluate and leaving their result in the
// evaluator registers.

#include "core/limits.h"

#include <QString>

struct SimState;

void evalConditional(SimState &state, QString &text);   // ? :
void evalLogical(SimState &state, QString &text);       // && ||
void evalBitwise(SimState &state, QString &text);       // & ^ ~^ |
void evalComparison(SimState &state, QString &text);    // == != === !== < <= > >=
void evalShift(SimState &state, QString &text);         // << >> <<< >>>
void evalAdditive(SimState &state, QString &text);      // + - * / %
void evalPower(SimState &state, QString &text);         // **
void evalPrimary(SimState &state, QString &text);       // unary, ( ), literals, signals
void evalConcatenation(SimState &state, QString &text); // { , }

// Pending trace lines of the box-text analysis: add one, or show them all in the process
// pane and empty the list.
void traceLine(SimState &state, const QString &line);
void flushTrace(SimState &state);

// The rest of a text as a trace line shows it: whole, or cut at kMaxEchoLength.
QString echoText(const QString &text);
