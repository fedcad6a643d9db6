#pragma once
// The one list of a run's stages, in their fixed order. None can stop the run.

#include <QString>

struct SimState;

enum class Stage {
    Read,                // resets the run and reads the design file
    ReadReport,          // what the reader stored
    BoxTypeIndex,        // the positions of every box type
    ParentBoxes,         // the root box of every diagram
    Declarations,        // the declarative simulation
    SignalList,          // the declared signals
    OperativeStart,      // the operative heading and the state table of every diagram
    StateReport,         // the diagrams' kinds and state lists
    Presimulation,       // first values, clock, defaults, events, row 0
    Cycles,              // the cycle loop
    TableReport,         // the simulation table
    VerificationList,    // the verifications, reconciled
    VerificationCheck,   // the verifications against the table, and their totals
};

// The name of a stage, as the list gives it.
QString stageName(Stage stage);

// Calls the stages in order on the design at path, from the first to `last` included.
void runStages(SimState &state, const QString &path, Stage last = Stage::VerificationCheck);
