#pragma once
// Analysing a design without running it for the user: the stages up to a named one, on a
// state object of its own, writing no file and showing nothing in a pane. For the tests,
// and for whatever looks at a design when it is opened or saved.

#include "lang/signaltable.h"
#include "run/stages.h"

#include <QString>
#include <memory>

struct SimState;

// What a run leaves for the next one: the behaviour carries these from run to run.
struct RunCarry {
    SignalKind declarationKind = KindNone;
    qint32 simCycle = 0;
    qint32 changedPasses = 0;
    qint64 maxCycleLogLength = 0;
};

RunCarry carryOf(const SimState &state);

// Runs the stages from the first to `last` on a fresh state seeded with `carry`, and
// returns that state. Nothing is written back: an analysis never changes what the next
// run of the state the carry came from reports.
std::unique_ptr<SimState> analyseDesign(const RunCarry &carry, const QString &path, Stage last);
