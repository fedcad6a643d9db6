#pragma once
#include <QString>

struct EvalContext;

// Evaluates one sentence of box text, consuming what it understood; the value is left
// in the evaluator registers and the trace in the process pane.
void analyseSentence(const EvalContext &ctx, QString &text);
