#pragma once
// Where every evaluation of box text leaves its result.

#include <QString>

struct EvaluatorRegisters {
    qint32 exprValue = 0;
    bool truthValue = false;
    int comparisonFound = 0;
    int logicFound = 0;
    // Whether what was just evaluated is a truth (a comparison or a logical operation)
    // rather than an integer. Unlike the two flags above it follows the value through
    // the levels, so «!(...)» can deny a parenthesised truth.
    bool truthResult = false;
    // Name of the last signal reference processed.
    QString currentSignalName;
    // Name the declaration analysis is working on.
    QString scannedSignalName;

    // How many expression levels are open (parentheses, braces, bit selections, the
    // branches of a conditional), and whether an evaluation went deeper than allowed and
    // gave up: then every open level returns at once and leaves the rest of the text.
    int nestingDepth = 0;
    bool nestingExceeded = false;

    void clear()
    {
        exprValue = 0;
        truthValue = false;
        comparisonFound = 0;
        logicFound = 0;
        truthResult = false;
        currentSignalName.clear();
        scannedSignalName.clear();
        nestingDepth = 0;
        nestingExceeded = false;
    }
};
