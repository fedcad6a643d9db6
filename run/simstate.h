#pragma once
// Everything a run knows, in one object that lives as long as its front end: the part of
// each layer (the design tables, the signal table, the evaluator's registers, the
// simulation tables and the message log). The stages take the parts they use; nothing of
// a run lives in process-wide globals.

#include "core/messagelog.h"
#include "lang/evaluatorregisters.h"
#include "lang/signaltable.h"
#include "model/designmodel.h"
#include "sim/simcontext.h"
#include "sim/simulationstate.h"

struct SimState {
    DesignModel model;
    SignalTable signalTable;
    EvaluatorRegisters registers;
    SimulationState simulation;
    MessageLog log;

    QString simulatedFileName;  // path of the design being simulated

    explicit SimState(PaneSink *sink = nullptr) : log(sink) {}
    SimState(const SimState &) = delete;
    SimState &operator=(const SimState &) = delete;

    // The parts as the stages take them.
    EvalContext eval() { return {registers, signalTable, log}; }
    DeclarationContext declaration() { return {model, signalTable, registers, log}; }
    SimContext simulationContext() { return {model, signalTable, registers, simulation, log}; }
};
