#pragma once

struct DesignModel;
struct MessageLog;

// Finds the root box of every diagram and reports them.
void findParentBoxes(DesignModel &model, MessageLog &log);

// Walks each diagram from its root and records the state boxes met.
void buildStateTable(DesignModel &model, MessageLog &log);

// Reports the diagrams' kinds, IDs, positions and state lists.
void reportHeadersAndStates(const DesignModel &model, MessageLog &log);
