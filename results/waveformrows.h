#pragma once
// A run's results as rows of waveforms, one per column: the runs of one value, the
// verifications checked on each cell, and whether the row is the clock. Nothing here
// paints; the waveform view draws these rows.

#include "results/runresults.h"

#include <QStringList>
#include <QVector>

// A run of cycles [start, end) in which a signal keeps one value.
struct WaveSegment {
    int start = 0;
    int end = 0;
    qint32 value = 0;
};

// The verifications checked on one cell of a row: wrong when any of them is, with one
// text per verification ("cycle C: expected E, got A").
struct WaveMark {
    int cycle = 0;
    bool wrong = false;
    QStringList texts;
};

struct WaveRow {
    QVector<WaveSegment> segments;
    QVector<WaveMark> marks;  // by cycle
    bool isClock = false;     // the column RunResults::clockColumn names
};

// One row per column. A verification goes on the row of its signal, found by its name
// or by the name after an instance prefix, in any case; one on no row or no cycle has
// nowhere to go.
QVector<WaveRow> waveRows(const RunResults &results);
