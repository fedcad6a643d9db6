#pragma once

struct DesignModel;
struct MessageLog;
struct SimulationState;

// How many verifications held and how many did not.
struct VerificationTotals {
    int correct = 0;
    int wrong = 0;
};

// Compares every verification with the simulation table: one line each in the process
// pane, the totals in the output pane. A verification whose cycle has no row in the
// table is not compared: it is reported as a warning instead.
VerificationTotals checkVerifications(const DesignModel &model, const SimulationState &sim, MessageLog &log);
