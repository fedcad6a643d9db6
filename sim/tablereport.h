#pragma once

#include <QtGlobal>

struct MessageLog;
struct SimulationState;

// Prints the simulation table, cycles 0 to simCycle: single tabs in the output pane,
// padded tabs in the output file.
void reportSimulationTable(const SimulationState &sim, qint32 simCycle, MessageLog &log);
