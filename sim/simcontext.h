#pragma once
// The parts of a run's state that the simulation stages work on, as references: a stage
// takes the context it needs, never the state object that holds the parts.

#include "core/messagelog.h"
#include "lang/evalcontext.h"
#include "lang/evaluatorregisters.h"
#include "lang/signaltable.h"
#include "model/designmodel.h"
#include "sim/simulationstate.h"

// What the declarative simulation works on: the design, the signals it declares, the
// evaluator that reads their ranges, and the log.
struct DeclarationContext {
    DesignModel &model;
    SignalTable &signalTable;
    EvaluatorRegisters &registers;
    MessageLog &log;

    EvalContext eval() const { return {registers, signalTable, log}; }
};

// What the operative simulation works on: the declarative parts and the simulation's
// own tables.
struct SimContext {
    DesignModel &model;
    SignalTable &signalTable;
    EvaluatorRegisters &registers;
    SimulationState &simulation;
    MessageLog &log;

    EvalContext eval() const { return {registers, signalTable, log}; }
};
