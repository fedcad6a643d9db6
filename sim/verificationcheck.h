#pragma once

struct SimState;

// Compares every verification with the simulation table: one line each in the process
// pane, the totals in the output pane.
void checkVerifications(SimState &state);
