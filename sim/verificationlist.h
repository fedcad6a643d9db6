#pragma once

struct DesignModel;
struct MessageLog;

// Reconciles repeated verifications and lists them all in the output pane.
void reportVerificationList(DesignModel &model, MessageLog &log);
