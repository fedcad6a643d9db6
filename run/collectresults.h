#pragma once
// The step that builds a run's results value from the tables the run leaves.

#include "results/runresults.h"

struct SimState;

// Builds the results of the run that the state holds.
RunResults collectRunResults(const SimState &state);
