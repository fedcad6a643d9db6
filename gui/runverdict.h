#pragma once
// The verdict on a run, in words, as the window shows it after every run: CORRECTO or
// FALLO by the rule the batch runner's PASS / FAIL follows, the cycles, verifications,
// errors and warnings, and what failed first.

#include <QString>

struct ResultVerification;
struct RunResults;

struct RunVerdict {
    bool passed = false;
    // "CORRECTO" or "FALLO", with "sin test bench" and "sin verificaciones" beside it
    // when they hold.
    QString headline;
    // "8 ciclos · verificaciones: 7 correctas / 0 erróneas · 0 errores · 0 warnings"
    QString counts;
    // On a failure: the first error if there is one, else the first wrong verification.
    QString failure;
    int firstError = -1;  // the failure's index in the results' messages, or -1
    int firstWrong = -1;  // the failure's index in the results' verifications, or -1
};

RunVerdict runVerdict(const RunResults &results);
