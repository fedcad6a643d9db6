#pragma once
// A run of a design for the user: the output file and both panes, every stage, and the
// results value.

#include "results/runresults.h"

#include <QString>

struct SimState;

// One run over the saved design file at path: opens the output file, clears both panes,
// calls every stage in its fixed order, then shows the cycle count and the summary,
// closes the output file and returns the run's results. Nothing a design holds can stop
// it.
RunResults runSimulation(SimState &state, const QString &path);
