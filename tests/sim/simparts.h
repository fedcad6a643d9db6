#pragma once
// The parts of a run's state that the simulation stages work on, as a test builds them
// without the state object of run/. A stage that takes a context takes the parts
// directly: SimParts converts to each context.

#include "core/messagelog.h"
#include "lang/evaluatorregisters.h"
#include "lang/signaltable.h"
#include "model/designmodel.h"
#include "sim/simcontext.h"
#include "sim/simulationstate.h"

class PaneSink;

struct SimParts {
    explicit SimParts(PaneSink *sink = nullptr) : log(sink) {}
    SimParts(const SimParts &) = delete;
    SimParts &operator=(const SimParts &) = delete;

    DesignModel model;
    SignalTable signalTable;
    EvaluatorRegisters registers;
    SimulationState simulation;
    MessageLog log;

    EvalContext eval() { return {registers, signalTable, log}; }
    operator EvalContext() { return eval(); }
    operator DeclarationContext() { return {model, signalTable, registers, log}; }
    operator SimContext() { return {model, signalTable, registers, simulation, log}; }
};
