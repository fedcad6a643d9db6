#pragma once

struct SimState;

// Starts a run from empty tables: the evaluator registers, the declared signals and
// their values, the default values, the simulation table and its cycles' process-pane
// rows, the verification totals and
// the error and warning lists (the reader empties the design tables). Leaves what
// outlives a run alone: declarationKind, simCycle, changedPasses, the output file. A
// failure to open the output file, found just before, is recorded again, so that the
// summary still shows it.
void resetForRun(SimState &state);
