#pragma once

struct SimState;

// Reconciles repeated verifications and lists them all in the output pane.
void reportVerificationList(SimState &state);
