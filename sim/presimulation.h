#pragma once
// The operative simulation stage, and the presimulation that prepares its first cycle:
// first values, clock, defaults, events and row 0 of the simulation table.

struct SimState;

// The run stage: banner, state tables and their report, presimulation, cycle loop.
void runOperativeSimulation(SimState &state);

// Prepares everything the cycles start from; leaves simCycle at 1.
void runPresimulation(SimState &state);
