#pragma once
#include <QString>

struct SimState;

// The kinds a diagram can be given.
inline const QString kDesignKind = QStringLiteral("Design");
inline const QString kTestBenchKind = QStringLiteral("TestBench");

// Walks every diagram once per declaration mode, declares its signals and tells the
// design from the test bench.
void runDeclarativeSimulation(SimState &state);
