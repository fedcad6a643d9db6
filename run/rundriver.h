#pragma once
// A run of a design for the user: the output file and both panes, every stage, and the
// results value.

#include "results/runresults.h"

#include <QString>
#include <memory>

class PaneSink;
struct SimState;

// A run state held whole by a front end that keeps one for its whole life (the window):
// what a run carries to the next stays in it, and the front end never sees its parts.
struct RunStateDeleter {
    void operator()(SimState *state) const;
};
using RunStateHandle = std::unique_ptr<SimState, RunStateDeleter>;

// A fresh run state whose panes show through sink.
RunStateHandle makeRunState(PaneSink *sink);

// One run over the saved design file at path: opens the output file, clears both panes,
// calls every stage in its fixed order, then shows the cycle count and the summary,
// closes the output file and returns the run's results. Nothing a design holds can stop
// it.
RunResults runSimulation(SimState &state, const QString &path);
