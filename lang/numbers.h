#pragma once
// The leaves of an expression: number literals and references to declared signals.

#include "lang/textcursor.h"

#include <QString>

struct EvalContext;

// Digit sets of parseDigits.
enum DigitMode : int { DigitsDecimal = 0, DigitsBinary = 1, DigitsOctal = 2, DigitsHex = 3 };

// Reads a literal (plain decimal, based, or sized and based) at the head of the text into
// exprValue, or swallows a parameter name, leaving exprValue as it was.
void parseNumber(const EvalContext &ctx, QString &text);

// Removes the run of digits of the mode's set at the head of the text and returns its
// value in the mode's base; 0 when the run is empty, invalid in the base or too big for
// 32 bits. Any other mode returns 0 and removes nothing.
int parseDigits(DigitMode mode, QString &text);

// Reads a signal reference, with an optional bit «[i]» or range «[i:j]» selection, into
// exprValue and writes one trace line describing it.
void signalProcess(const EvalContext &ctx, QString &text);

// The same on a cursor.
void parseNumber(const EvalContext &ctx, TextCursor &text);
int parseDigits(DigitMode mode, TextCursor &text);
void signalProcess(const EvalContext &ctx, TextCursor &text);
