#pragma once
// Where every evaluation of box text leaves its result.

#include <QString>

struct EvaluatorRegisters {
    qint32 exprValue = 0;
    bool truthValue = false;
    int comparisonFound = 0;
    int logicFound = 0;
    // Name of the last signal reference processed.
    QString currentSignalName;
    // Name the declaration analysis is working on.
    QString scannedSignalName;

    void clear()
    {
        exprValue = 0;
        truthValue = false;
        comparisonFound = 0;
        logicFound = 0;
        currentSignalName.clear();
        scannedSignalName.clear();
    }
};
