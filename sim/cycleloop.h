#pragma once

struct SimContext;

// The cycle loop: pass after pass, the test bench then the design, the settling of
// asynchronous changes, the snapshots and the clock edge, until the test bench ends.
void runSimulationCycles(const SimContext &ctx);
