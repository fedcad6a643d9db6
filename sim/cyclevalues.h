#pragma once
// What the simulation stages share about values: the value of the last evaluation, the
// generations of signal values, the default values, and the signal name of a test-bench
// line.

#include <QString>
#include <QVector>

struct EvaluatorRegisters;
struct SignalValues;
struct SignalTable;
struct SimulationState;

// The value of the expression last evaluated: a truth (1 or 0) when a logical operator
// or a comparison was found, otherwise exprValue.
qint32 expressionResult(const EvaluatorRegisters &registers);

// Clears what an earlier evaluation left behind (logicFound, comparisonFound and
// exprValue), as a sentence analysis does, so the next line is evaluated afresh.
void startFreshEvaluation(EvaluatorRegisters &registers);

// True when the lengths differ or some element differs.
bool valuesDiffer(const QVector<qint32> &a, const QVector<qint32> &b);
// True when valuesDiffer holds for some kind.
bool valuesDiffer(const SignalValues &a, const SignalValues &b);

// Writes every default value into the next values: each name in every kind, at every
// index that holds it.
void applyDefaultValues(const SimulationState &sim, SignalTable &table);

// Reads the signal name of a test-bench line, «PREFIX.NAME» or «NAME», consuming it: the
// first identifier is a prefix only when a "." follows it. Returns the name in upper
// case, or an empty string when the head of the text is not an identifier (or the prefix
// and dot are followed by none).
QString takeSignalName(QString &text);
