#pragma once

struct SimState;

// One pass of the test bench in parent column c: applies the actions of its current
// state, registers its verifications, counts the state's cycles, takes the first
// snapshot of the cycle and copies the current values into the next ones.
void runTestBenchStep(SimState &state, int column);
