#pragma once
// The parts of a run's state that the model's steps work on.

#include "core/messagelog.h"
#include "lang/signaltable.h"
#include "model/designmodel.h"

class PaneSink;

struct ModelParts {
    explicit ModelParts(PaneSink *sink = nullptr) : log(sink) {}

    DesignModel model;
    SignalTable signalTable;  // what the signal list reports
    MessageLog log;
};
