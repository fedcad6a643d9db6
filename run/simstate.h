#pragma once
// Everything a run knows, in one object that lives as long as its front end. Routines
// take it by reference; nothing of a run lives in process-wide globals.

#include "core/messagelog.h"
#include "lang/evalcontext.h"
#include "lang/evaluatorregisters.h"
#include "lang/signaltable.h"
#include "model/designmodel.h"
#include "sim/simulationstate.h"

struct SimState {
    DesignModel model;
    SignalTable signalTable;
    EvaluatorRegisters registers;
    SimulationState simulation;
    MessageLog log;

    QString simulatedFileName;  // path of the design being simulated

    explicit SimState(PaneSink *sink = nullptr) { log.sink = sink; }
    SimState(const SimState &) = delete;
    SimState &operator=(const SimState &) = delete;

    EvalContext eval() { return {registers, signalTable, log}; }
};
