#pragma once
// The TEXT DOWN lines of a test-bench state, read the way the test-bench step reads
// them: a verification («=> [@k] [PREFIX.]NAME == value») or an action
// («[@k] [PREFIX.]NAME <= value»).

#include <QString>

struct TestBenchLine {
    bool verification = false;
    bool atCycle = false;  // «@k»: the line applies at one cycle of the state
    qint32 k = 0;
    QString signal;        // upper case; empty when the line names none
    QString value;         // the text the step evaluates for the value
};

TestBenchLine readTestBenchLine(const QString &line);
