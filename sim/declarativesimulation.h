#pragma once

struct SimState;

// Walks every diagram once per declaration mode, declares its signals and tells the
// design from the test bench.
void runDeclarativeSimulation(SimState &state);
