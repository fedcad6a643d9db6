#pragma once
// A run's results as one plain value, built from the tables the run leaves: what the
// front ends show as waveforms and write as VCD or JUnit XML. Nothing here changes a run.

#include "core/messagelog.h"
#include "lang/signaltable.h"
#include "sim/walkpath.h"

#include <QString>
#include <QVector>

struct ResultColumn {
    QString name;                 // upper case, as in the simulation table
    SignalKind kind = KindNone;
    int width = 32;               // from the declared range («[7:0]» is 8); 32 when there is none
};

// The width a declared range text gives: |msb - lsb| + 1 for «[msb:lsb]» in either order.
// A blank, a single bound «[n]», anything else unreadable, and a range wider than 32 bits
// give 32: a value is a signed 32-bit integer and never holds more.
int rangeWidth(const QString &range);

struct ResultVerification {
    qint32 cycle = 0;
    QString signal;
    qint32 expected = 0;
    qint32 actual = 0;
    bool correct = false;
    BoxRef box;  // the test-bench box whose line registered it
};

struct ResultMessage {
    LogKind kind = LogError;  // LogError or LogWarning
    QString text;
};

// The one rule by which a run passes, in the window's verdict and in the batch runner's
// PASS / FAIL and exit code alike: no error recorded and no verification wrong.
inline bool runPassed(int errors, int wrongVerifications)
{
    return errors == 0 && wrongVerifications == 0;
}

struct RunResults {
    QString designPath;
    QString designName;  // the design file's name without folder and suffix
    // Rows 0 to the last cycle simulated, one value per column.
    QVector<ResultColumn> columns;
    QVector<QVector<qint32>> rows;
    // The test bench's clock; an empty name when its ThreadSync names no declared input,
    // a cycle time of 0 and an empty unit when none is written.
    QString clockName;
    qint32 cycleTime = 0;
    QString timeUnit;
    // Every checked verification, in the order the check went over them.
    QVector<ResultVerification> verifications;
    // Per cycle from 0 to the last (as `rows`) when the cycle loop ran, empty otherwise:
    // each diagram's state after the cycle and the boxes and links its walks took.
    QVector<CyclePath> paths;
    // The run's warnings, then its errors, each in the order recorded.
    QVector<ResultMessage> messages;
    // Per cycle from 0 to the last, the row of the process pane (its items split at line
    // feeds, as the pane shows them) that holds the cycle's heading; -1 for a cycle
    // without one (cycle 0, or a run that showed no process pane).
    QVector<int> cycleProcessRows;
    // The cycle counter when the run ended, the number the batch runner reports. It
    // starts at 1 before the cycle loop, so it cannot tell whether the loop ran at all:
    // the two flags below do.
    qint32 cycles = 0;
    bool noTestBench = false;       // no diagram of the design is a test bench
    bool cycleLoopSkipped = false;  // the cycle loop did not run

    int lastCycle() const { return int(rows.size()) - 1; }
    // The column the clock's ThreadSync names: the first input column under the clock's
    // name, matched by exact case; -1 when there is no clock.
    int clockColumn() const;
    // A cell of the table; -1 (no value) outside it.
    qint32 valueAt(int cycle, int column) const;
    int correctCount() const;
    int wrongCount() const;
    int errorCount() const;
    int warningCount() const;
    // True when the run recorded no error and no verification was wrong.
    // The verdict, the one definition every front end reads: the run recorded no error
    // and no verification was wrong.
    bool passed() const { return runPassed(errorCount(), wrongCount()); }
    // The process-pane row of a cycle's heading; -1 when there is none.
    int processRowOfCycle(int cycle) const { return cycleProcessRows.value(cycle, -1); }
};
