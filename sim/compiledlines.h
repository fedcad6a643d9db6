#pragma once
// Assignment lines read once: a walk executes the same box texts in every cycle, so the
// part of each line that does not depend on the values (the target's name and where it
// is declared, the upper-cased expression after «<=») is worked out the first time the
// line is met in the cycle loop, and every later execution starts from there.

#include "lang/compiledtext.h"
#include "lang/signaltable.h"
#include "lang/textcursor.h"
#include "model/designmodel.h"

#include <QHash>
#include <QString>
#include <QVector>

// The kind (KindNone when no kind holds it) and index of a name; the last
// kind that holds it wins, the first index within that kind.
struct SignalRef {
    SignalKind kind = KindNone;
    int index = -1;
};
SignalRef findSignalByName(const SignalTable &table, const QString &name);

struct CompiledAssignment {
    QString line;           // as written: the cycle log shows it
    bool named = false;     // the line starts with an identifier, the target
    QString name;           // its name as read, upper-cased
    SignalRef target;       // where the name is declared
    TextCursor expression;  // what follows the target and «<=», as the evaluator reads it
    // The expression compiled, for a line kept across cycles; filled as it is read.
    bool compiled = false;
    mutable CompiledText compiledExpression;
    qsizetype compiledStart = 0;
};

// Reads the target and the «<=» of a line as an execution would; `kept` compiles the
// expression too, for a line that is executed again in later cycles.
CompiledAssignment compileAssignment(const SignalTable &table, const QString &line, bool kept = false);

// The assignment lines of one text matrix of a box: every row the box has, in order.
QVector<CompiledAssignment> compileLines(const SignalTable &table, const TextMatrix &matrix, int rows, int pos,
                                         bool kept = false);

// A condition (of a decision or a conditional operation box) kept across cycles.
struct CompiledCondition {
    bool compiled = false;  // usable: the text could be read once
    CompiledText text;
    qsizetype start = 0;
};

// A TEXT DOWN line of a test-bench state with actions, read as far as its reading does
// not depend on the values: a verification («=> [@k] NAME = value») or an action
// («[@k] NAME <= value»), and its value expression.
struct KeptTestBenchLine {
    bool verification = false;
    QString shown;           // the line from its first token, upper case, as the cycle log shows it
    bool atCycle = false;    // «@k»: at one internal cycle of the state
    qint32 k = 0;
    QString name;            // a verification's signal; empty when no kind declares it
    qsizetype target = -1;   // an action's input
    TextCursor value;        // the value expression, as the evaluator reads it
    bool compiled = false;   // for a line kept across cycles
    mutable CompiledText compiledValue;
    qsizetype compiledStart = 0;
};

// The compiled lines of the boxes of a design, filled box by box as the walks meet them.
// Valid while the design and the declared names stay as they were: the cycle loop
// empties it when it starts.
struct CompiledBoxes {
    struct Box {
        bool compiled = false;
        QVector<CompiledAssignment> text;  // the TEXT rows
        QVector<CompiledAssignment> down;  // the TEXT DOWN rows
        bool conditionRead = false;
        CompiledCondition condition;       // the condition, for the box types that have one
        bool testBenchRead = false;
        QVector<KeptTestBenchLine> testBench;  // a test-bench state's TEXT DOWN lines
    };
    QVector<Box> boxes;
    bool active = false;  // the cycle loop is running: the lines may be kept
    // The last position of each box ID, which the walks follow links to.
    QHash<qint32, int> lastBoxWithId;
    bool idsIndexed = false;

    void clear()
    {
        boxes.clear();
        lastBoxWithId.clear();
        idsIndexed = false;
        active = false;
    }
};
