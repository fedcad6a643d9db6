#pragma once
// Cycle snapshots: the values of every declared signal copied into one row of the
// simulation table and shown in the process pane.

#include <QtGlobal>

struct MessageLog;
struct SignalTable;
struct SimulationState;

// Each writes row `cycle` of the simulation table and shows the snapshot in the process
// pane: the current values with a "TODAS:" prefix, the current values at the clock edge,
// or the next values after it.
void saveCycle(const SignalTable &table, SimulationState &sim, MessageLog &log, qint32 cycle);
void saveCycleNow(const SignalTable &table, SimulationState &sim, MessageLog &log, qint32 cycle);
void saveCycleAfter(const SignalTable &table, SimulationState &sim, MessageLog &log, qint32 cycle);
