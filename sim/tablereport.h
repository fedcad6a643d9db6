#pragma once

struct SimState;

// Prints the simulation table, cycles 0 to simCycle: single tabs in the output pane,
// padded tabs in the output file.
void reportSimulationTable(SimState &state);
