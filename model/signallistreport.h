#pragma once

struct SimState;

// Lists the declared signals by kind, with timing and range.
void reportSignalList(SimState &state);
