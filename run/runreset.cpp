#include "run/runreset.h"

#include "run/simstate.h"

void resetForRun(SimState &state)
{
    state.registers.clear();
    state.signalTable.clearSignals();
    SimulationState &sim = state.simulation;
    sim.defaultSignalNames.clear();
    sim.defaultSignalValues.clear();
    sim.simulationColumnNames.clear();
    sim.simulationTable.clear();
    sim.cycleHeadingRows.clear();
    sim.correctVerifications = 0;
    sim.wrongVerifications = 0;
    state.log.errorList.clear();
    state.log.warningList.clear();
    if (state.log.outputOpenFailed)
        logMessage(state.log, kOutputOpenError, LogError);
}
