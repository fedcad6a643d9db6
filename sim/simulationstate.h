#pragma once
// What the operative simulation keeps between its steps.

#include "core/limits.h"
#include "sim/compiledlines.h"
#include "sim/cyclelogtext.h"
#include "sim/walkpath.h"

#include <QStringList>
#include <QVector>

// State of the cycle loop: created when the loop starts, read and written by the
// test-bench step and the design walk, dropped with the next loop.
struct CycleLoopState {
    int tbPosition = 0;        // row of the state table holding the test bench's state
    int designPosition = 0;    // row holding the design's state
    int enteredDesignPosition = 0;  // designPosition as enterDesignState left it this pass
    int startDesignPosition = 0;    // the row enterDesignState took the walk's start from
    qint32 tbStateCycle = 0;   // cycles already spent in the test bench's state
    qint32 tbStateLength = 1;  // cycles the test bench's state lasts
    bool tbStateEntered = true;
    bool simulationEnded = false;
    bool testBenchPending = false;
    bool designWalked = false;  // a design walk has set the start and stop below
    bool started = false;       // the loop ran: there was a test bench to drive it

    qint32 walkStartId = 0, walkStartIt = 0;
    qint32 walkStopId = 0, walkStopIt = 0;
    // The stop was looked for by name and not found: no box is the stop.
    bool walkStopMissing = false;
    // The walk position: the box being executed; kept across walks and passes.
    qint32 walkPosition = 0;

    QStringList cycleLog;
    QString logEntry;
    qint64 cycleLogLength = 0;  // characters in cycleLog
    // Whether the entries' texts are built. Without, cycleLog and logEntry stay empty and
    // only their lengths are counted: the entry being built in untracedEntryLength.
    bool keepText = true;
    qint64 untracedEntryLength = 0;

    // Adds pieces (texts, characters, Decimal numbers) to the entry being built.
    template <typename... Pieces>
    void add(const Pieces &...pieces)
    {
        if (keepText)
            (appendPiece(logEntry, pieces), ...);
        else
            untracedEntryLength += (qint64(pieceLength(pieces)) + ...);
    }
    // Characters of the entry being built, whether or not its text is kept.
    qint64 entryLength() const { return keepText ? logEntry.size() : untracedEntryLength; }
    // Drops the entry being built.
    void dropEntry()
    {
        logEntry.clear();
        untracedEntryLength = 0;
    }

    // Where each cycle's heading is written: the cycle, the item of the cycle log it is
    // in (the entry being built when it was written) and its line within that item.
    struct Heading {
        qint32 cycle = 0;
        qsizetype item = 0;
        qint64 line = 0;
    };
    QVector<Heading> headings;

    // Moves the entry being built into the cycle log, as one item, and empties it.
    void closeEntry()
    {
        cycleLogLength += entryLength();
        if (keepText)
            cycleLog << logEntry;
        dropEntry();
    }
    qint64 maxCycleLogLength = kMaxCycleLogLength;

    // The assignment lines of the boxes, read once for the whole loop.
    CompiledBoxes compiled;

    // Each cycle's state and walked boxes, per diagram.
    PathRecorder paths;
    // The row of the test bench's state whose step ended the simulation.
    int endedTbRow = -1;
    // The test-bench box of each verification record, parallel to the design's
    // verification lists.
    QVector<BoxRef> verificationBoxes;

    bool cycleLogFull() const { return cycleLogLength + entryLength() > maxCycleLogLength; }
};

struct SimulationState {
    QStringList defaultSignalNames;
    QVector<qint32> defaultSignalValues;

    // The test bench's clock: the declared input its ThreadSync names (empty when it
    // names none), its cycle time (-1 when none is written) and the unit word after it,
    // in lower case.
    QString clockName;
    qint32 cycleTime = -1;
    QString cycleTimeUnit;

    // One column per declared signal (inputs, outputs, inouts, wires), one row per cycle.
    QStringList simulationColumnNames;
    QVector<QVector<qint32>> simulationTable;

    CycleLoopState loop;
    // Per cycle, the row of the process pane that holds the cycle's heading; -1 for a
    // cycle without one. Left empty when the run shows no process pane.
    QVector<int> cycleHeadingRows;
    // Room of the cycle log for the runs of this state (lowered by tests).
    qint64 maxCycleLogLength = kMaxCycleLogLength;

    // Totals of the last verification check.
    qint32 correctVerifications = 0;
    qint32 wrongVerifications = 0;

    // Consecutive walks that changed a current value. Only a walk that changes nothing
    // sets it back to 0; it survives the loop and the run.
    qint32 changedPasses = 0;
};
