#pragma once
#include <QString>

struct EvalContext;
struct CompiledCursor;

// Evaluates one sentence of box text, consuming what it understood; the value is left
// in the evaluator registers and the trace in the process pane.
void analyseSentence(const EvalContext &ctx, QString &text);

// The same on the compiled form of `text`, which is shown in the trace as written.
void analyseSentence(const EvalContext &ctx, const QString &text, CompiledCursor &compiled);
