#pragma once
// When the test bench runs each of its states, and so at which cycle it ends and at which
// cycles its verifications apply, worked out from the state table without simulating.

#include <QString>
#include <QVector>

struct DesignModel;

struct TimedVerification {
    int pos = -1;   // the state box holding the line
    QString line;   // the line as written
    qint32 cycle = 0;
};

struct TestBenchTimeline {
    qint32 endCycle = 0;  // the cycle of the pass in which the test bench ends
    QVector<TimedVerification> verifications;  // in the order the step registers them
};

// The timeline of the test bench in the given column of the state table: its states
// one after the other, each for the cycles its text gives, as the test-bench step
// counts them.
TestBenchTimeline testBenchTimeline(const DesignModel &model, int column);
