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
// text per verification (verificationText).
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

// The row of a verification's signal: the first column of its name, else the first of
// the name after its instance prefix, in any case; -1 when no column has it.
int waveRowOfSignal(const RunResults &results, const QString &signal);

// A verification as the window names it: "ciclo 5: Q esperado 2, simulado 1".
QString verificationText(const ResultVerification &v);
