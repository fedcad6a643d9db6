#pragma once
// Assignment lines read once: a walk executes the same box texts in every cycle, so the
// part of each line that does not depend on the values (the target's name and where it
// is declared, the upper-cased expression after «<=») is worked out the first time the
// line is met in the cycle loop, and every later execution starts from there.

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
};

// Reads the target and the «<=» of a line as an execution would.
CompiledAssignment compileAssignment(const SignalTable &table, const QString &line);

// The assignment lines of one text matrix of a box: every row the box has, in order.
QVector<CompiledAssignment> compileLines(const SignalTable &table, const TextMatrix &matrix, int rows, int pos);

// The compiled lines of the boxes of a design, filled box by box as the walks meet them.
// Valid while the design and the declared names stay as they were: the cycle loop
// empties it when it starts.
struct CompiledBoxes {
    struct Box {
        bool compiled = false;
        QVector<CompiledAssignment> text;  // the TEXT rows
        QVector<CompiledAssignment> down;  // the TEXT DOWN rows
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
