#pragma once
// The events of a design: when an input holds a value, another signal takes a value.

#include <QString>

struct SimState;

// Reads the Event box at position into the event table, appending each line it reads
// (and a final line feed) to the presimulation's chain line.
void parseEventBox(SimState &state, int position, QString &chainLine);

// Shows the event list (five lines) in the output pane.
void reportEventList(SimState &state);

// Applies every event once, in table order, to the current values.
void analyseEvents(SimState &state);

// The value that the rest of a line writes: the rest is evaluated from a clean slate
// (exprValue -1, no logical operator or comparison found), so a name that no signal
// has gives -1, and a comparison gives its truth.
qint32 evaluateWrittenValue(SimState &state, QString &text);
