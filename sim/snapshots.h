#pragma once
// Cycle snapshots: the values of every declared signal copied into one row of the
// simulation table and shown in the process pane.

#include <QtGlobal>

struct SimState;

void saveCycle(SimState &state, qint32 cycle);       // current values, "TODAS:" prefix
void saveCycleNow(SimState &state, qint32 cycle);    // current values, at the clock edge
void saveCycleAfter(SimState &state, qint32 cycle);  // next values, after the clock edge
