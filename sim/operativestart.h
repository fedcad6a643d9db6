#pragma once
// The start of the operative simulation.

struct DesignModel;
struct MessageLog;

// Shows the operative simulation's heading in both panes and builds the state table of
// every diagram.
void startOperativeSimulation(DesignModel &model, MessageLog &log);
