#pragma once
// What an evaluation of box text works on: the registers it leaves its result in, the
// signals it reads, and the log its trace lines go to.

struct EvaluatorRegisters;
struct MessageLog;
struct SignalTable;

struct EvalContext {
    EvaluatorRegisters &registers;
    const SignalTable &signalTable;
    MessageLog &log;
};
