#pragma once
// What the operative simulation keeps between its steps.

#include <QStringList>
#include <QVector>

constexpr int kSimulationRows = 301;  // cycles 0 to 300

struct SimulationState {
    QStringList defaultSignalNames;
    QVector<qint32> defaultSignalValues;

    // One column per declared signal (inputs, outputs, inouts, wires), one row per cycle.
    QStringList simulationColumnNames;
    QVector<QVector<qint32>> simulationTable;
};
