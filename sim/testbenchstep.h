#pragma once

struct SimContext;

// One pass of the test bench in parent column c: applies the actions of its current
// state, registers its verifications, counts the state's cycles, takes the first
// snapshot of the cycle and copies the current values into the next ones.
void runTestBenchStep(const SimContext &ctx, int column);
