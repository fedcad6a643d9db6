#pragma once
// What the operative simulation keeps between its steps.

#include <QStringList>
#include <QVector>

constexpr int kSimulationRows = 301;  // cycles 0 to 300
constexpr int kLastSimulationRow = kSimulationRows - 1;

// Consecutive changing walks after which the settling gives up on a cycle.
constexpr int kMaxChangedPasses = 1000;

// Room of the cycle log, in characters. Every box a walk passes adds to the log, so this
// also bounds the work of a run whose settling keeps walking long loops cycle after cycle.
constexpr qint64 kMaxCycleLogLength = 32 * 1000 * 1000;

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

    // Moves the entry being built into the cycle log, as one item, and empties it.
    void closeEntry()
    {
        cycleLogLength += logEntry.size();
        cycleLog << logEntry;
        logEntry.clear();
    }
    qint64 maxCycleLogLength = kMaxCycleLogLength;
    bool cycleLogFull() const { return cycleLogLength + logEntry.size() > maxCycleLogLength; }
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
    // Room of the cycle log for the runs of this state (lowered by tests).
    qint64 maxCycleLogLength = kMaxCycleLogLength;

    // Totals of the last verification check.
    qint32 correctVerifications = 0;
    qint32 wrongVerifications = 0;

    // Consecutive walks that changed a current value. Only a walk that changes nothing
    // sets it back to 0; it survives the loop and the run.
    qint32 changedPasses = 0;
};
