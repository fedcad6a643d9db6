#pragma once
// The design walk: from the design's current state to the state where this cycle stops.

struct SimContext;

// Applies the default values of the current state and chooses the walk's start and stop.
void enterDesignState(const SimContext &ctx, int column);

// Walks from the start box to the stop box (or back to the start), executing every box
// met on the way, and keeps designPosition in step with the state reached.
void walkDesign(const SimContext &ctx, int column);
