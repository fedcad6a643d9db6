#pragma once
// The presimulation that prepares the first cycle: first values, clock, defaults, events
// and row 0 of the simulation table.

struct SimContext;

// Prepares everything the cycles start from; leaves simCycle at 1.
void runPresimulation(const SimContext &ctx);
