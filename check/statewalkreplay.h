#pragma once
// The walk that builds a diagram's column of the state table, replayed without a room
// limit of its own, to tell which state boxes the table cannot hold.

#include <QVector>

struct DesignModel;

struct StateWalkReplay {
    QVector<int> stateEntries;  // the state boxes the walk records, in order, repeats included
    int firstLeftOut = -1;      // the first state box the table has no row for, or -1
};

// Replays the state walk of the diagram whose root is at root, recording at most one
// entry more than the table holds.
StateWalkReplay replayStateWalk(const DesignModel &model, int root);
