#pragma once
#include <QString>

struct SimState;

// One run over the saved design file at path: opens the output file, clears both
// panes, calls the stages in their fixed order, then shows the cycle count and the
// summary and closes the output file. Nothing a design holds can stop it.
void runSimulation(SimState &state, const QString &path);
