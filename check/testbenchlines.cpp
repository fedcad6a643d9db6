#include "check/testbenchlines.h"

#include "lang/lexer.h"
#include "sim/cyclevalues.h"

namespace {

// After the cycle part of a verification: «.NAME» (the prefix went with the cycle part)
// or «[PREFIX.]NAME».
QString takeVerifiedName(QString &rest)
{
    if (scanToken(rest, false) != TokDot)
        return takeSignalName(rest);
    scanToken(rest, true);
    if (scanToken(rest, false) != TokIdentifier)
        return QString();
    const QString name = leadingLetters(rest);
    scanToken(rest, true);
    return name;
}

// «@k»: the @, the digits, and one token more, as the step consumes them.
void takeCycle(QString &rest, TestBenchLine &line)
{
    scanToken(rest, true);
    line.atCycle = true;
    line.k = leadingDigits(rest);
    scanToken(rest, true);
}

} // namespace

TestBenchLine readTestBenchLine(const QString &text)
{
    TestBenchLine line;
    QString rest = text;
    line.verification = scanToken(rest, false) == TokArrow;
    if (line.verification) {
        scanToken(rest, true);
        if (scanToken(rest, false) == TokAt)
            takeCycle(rest, line);
        else if (scanToken(rest, false) != TokIdentifier)
            scanToken(rest, true);
        line.signal = takeVerifiedName(rest);
        if (scanToken(rest, false) == TokEq)
            scanToken(rest, true);
    } else {
        if (scanToken(rest, false) == TokAt)
            takeCycle(rest, line);
        line.signal = takeSignalName(rest);
        if (scanToken(rest, false) == TokLe)
            scanToken(rest, true);
    }
    line.value = rest;
    return line;
}
