#pragma once
// The events of a design: when an input holds a value, another signal takes a value.

#include <QString>

struct DesignModel;
struct EvalContext;
struct MessageLog;
struct SignalTable;
struct SimContext;

// Reads the Event box at position into the event table, appending each line it reads
// (and a final line feed) to the presimulation's chain line.
void parseEventBox(const SimContext &ctx, int position, QString &chainLine);

// Shows the event list (five lines) in the output pane.
void reportEventList(const DesignModel &model, MessageLog &log);

// Applies every event once, in table order, to the current values.
void analyseEvents(const DesignModel &model, SignalTable &table, MessageLog &log);

// The value that the rest of a line writes: the rest is evaluated from a clean slate
// (exprValue -1, no logical operator or comparison found), so a name that no signal
// has gives -1, and a comparison gives its truth.
qint32 evaluateWrittenValue(const EvalContext &eval, QString &text);
