#pragma once
// The declared signals of a design and their three generations of values.

#include <QStringList>
#include <QVector>

// Signal kinds; also the values of declarationKind.
enum SignalKind : int { KindInput = 1, KindOutput = 2, KindInout = 3, KindWire = 4 };

// One generation of values: four vectors parallel to the name tables.
struct SignalValues {
    QVector<qint32> input;
    QVector<qint32> output;
    QVector<qint32> inout;
    QVector<qint32> wire;

    void clear()
    {
        input.clear();
        output.clear();
        inout.clear();
        wire.clear();
    }
};

struct SignalTable {
    QStringList inputNames, outputNames, inoutNames, wireNames;
    QStringList inputRanges, outputRanges, inoutRanges, wireRanges;
    QStringList inputTiming, outputTiming, inoutTiming, wireTiming;

    SignalValues current;   // what expressions read
    SignalValues next;      // what becomes current at the clock edge
    SignalValues previous;  // copy taken before each design walk

    // Kind of the declaration keyword last accepted; never reset, not even by a run.
    qint32 declarationKind = 0;
    // Number of the simulation cycle in progress; survives the reset of a run.
    qint32 simCycle = 0;

    // Empties names, ranges, timing and all values; keeps declarationKind and simCycle.
    void clearSignals();
};
