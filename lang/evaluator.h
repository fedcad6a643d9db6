#pragma once
// The expression evaluator: one routine per precedence level, all working on the same
// text by reference, consuming what they evaluate and leaving their result in the
// evaluator registers.

#include "core/limits.h"
#include "lang/textcursor.h"

#include <QString>

struct EvalContext;
struct CompiledCursor;

// Every routine adds its trace lines to the log's pending lines (traceLine) and shows
// them in the process pane when it ends (flushTrace).

void evalConditional(const EvalContext &ctx, QString &text);   // ? :
void evalLogical(const EvalContext &ctx, QString &text);       // && ||
void evalBitwise(const EvalContext &ctx, QString &text);       // & ^ ~^ |
void evalComparison(const EvalContext &ctx, QString &text);    // == != === !== < <= > >=
void evalShift(const EvalContext &ctx, QString &text);         // << >> <<< >>>
void evalAdditive(const EvalContext &ctx, QString &text);      // + - * / %
void evalPower(const EvalContext &ctx, QString &text);         // **
void evalPrimary(const EvalContext &ctx, QString &text);       // unary, ( ), literals, signals
void evalConcatenation(const EvalContext &ctx, QString &text); // { , }


// The same levels on a cursor: what they consume moves its start.
void evalConditional(const EvalContext &ctx, TextCursor &text);
void evalLogical(const EvalContext &ctx, TextCursor &text);
void evalBitwise(const EvalContext &ctx, TextCursor &text);
void evalComparison(const EvalContext &ctx, TextCursor &text);
void evalShift(const EvalContext &ctx, TextCursor &text);
void evalAdditive(const EvalContext &ctx, TextCursor &text);
void evalPower(const EvalContext &ctx, TextCursor &text);
void evalPrimary(const EvalContext &ctx, TextCursor &text);
void evalConcatenation(const EvalContext &ctx, TextCursor &text);

// The whole expression on a compiled text, which reads as the text it was compiled from.
void evalConditional(const EvalContext &ctx, CompiledCursor &text);

// The rest of a text as a trace line shows it: whole, or cut at kMaxEchoLength.
QString echoText(QStringView text);
