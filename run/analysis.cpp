#include "run/analysis.h"

#include "run/simstate.h"

RunCarry carryOf(const SimState &state)
{
    return {state.signalTable.declarationKind, state.signalTable.simCycle, state.simulation.changedPasses,
            state.simulation.maxCycleLogLength};
}

std::unique_ptr<SimState> analyseDesign(const RunCarry &carry, const QString &path, Stage last)
{
    // No sink and no open output file: the stages show and write nothing, and build no
    // trace that nothing would show.
    auto state = std::make_unique<SimState>();
    state->log.tracing = false;
    state->signalTable.declarationKind = carry.declarationKind;
    state->signalTable.simCycle = carry.simCycle;
    state->simulation.changedPasses = carry.changedPasses;
    state->simulation.maxCycleLogLength = carry.maxCycleLogLength;
    state->simulatedFileName = path;
    runStages(*state, path, last);
    state->log.traceLines.clear();
    return state;
}
