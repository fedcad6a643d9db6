#pragma once
#include <QtGlobal>

struct SimState;

// Position of the last box with this ID, or -1 (with a warning) when none has it.
int findBoxById(SimState &state, qint32 id);

// Finds the root box of every diagram and reports them.
void findParentBoxes(SimState &state);

// Walks each diagram from its root and records the state boxes met.
void buildStateTable(SimState &state);

// Reports the diagrams' kinds, IDs, positions and state lists.
void reportHeadersAndStates(SimState &state);
