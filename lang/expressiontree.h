#pragma once
// A compiled text's expression as a tree, for readings without a trace. The tree is read
// from the tokens in the order and with the grouping the evaluator's levels read them,
// and running it leaves the evaluator registers exactly as the levels would; a level
// that found no operator of its own does nothing to them, so it has no node. An
// expression nested deeper than the evaluator allows has no tree: it is read level by
// level, which gives up where the limit says.

#include "lang/lexer.h"
#include "lang/signaltable.h"

#include <QPair>
#include <QString>
#include <QVector>

struct EvalContext;

// A declared signal an expression reads, resolved once.
struct SignalLeaf {
    QString name;  // as the register of the last name read holds it
    // Where the name is declared, (kind, index), in the order the table is gone over.
    QVector<QPair<SignalKind, int>> declarations;
};

struct ExpressionTree {
    enum class Kind : quint8 {
        Conditional,     // a ? b : c (c is -1 when the colon was missing)
        Logical,         // first, then items of && and || (an || gathers the && after it)
        Bitwise,         // first, then items of & ^ ~^ | (an or-like one gathers the & after it)
        Comparison,      // a op b
        Shift,           // a op b
        Additive,        // first, then items of + - * / % (a + or - gathers the * / % after it)
        Power,           // a ** b
        Unary,           // op a, with how the operand was read (a group is its inside)
        Concatenation,   // { a, b, ... }: items
        Constant,        // a literal
        Unchanged,       // a reading that leaves the value as it was
        Signal,          // a declared signal, with an optional bit (a) or range (a:b) selection
    };
    struct Node {
        Kind kind;
        TokenCode op = TokNone;
        quint8 operand = 0;  // a Unary's: the evaluator's Operand
        qint32 a = -1;
        qint32 b = -1;
        qint32 c = -1;
        qint32 value = 0;    // a Constant's value; a Signal's entry in `signalLeaves`
        qint32 firstItem = 0;
        qint32 itemCount = 0;
    };
    // An operator and its operand in a chain, with the operands of a tighter operator
    // gathered into it (`inner`, in `items` too).
    struct Item {
        TokenCode op = TokNone;
        qint32 node = -1;
        qint32 firstInner = 0;
        qint32 innerCount = 0;
    };

    QVector<Node> nodes;
    QVector<Item> items;
    QVector<SignalLeaf> signalLeaves;
    qint32 root = -1;
    qsizetype end = 0;  // where the reading leaves the text
    qint32 lastSignalName = -1;  // the entry of `signalLeaves` whose name a run leaves in the register
};

// Runs a tree as the evaluator would read its text from the outermost level, without a
// trace.
void runExpressionTree(const EvalContext &ctx, const ExpressionTree &tree);

// The entry of the tree's signal leaves whose name running a node leaves in the name
// register last; -1 when the node reads no signal.
qint32 lastSignalName(const ExpressionTree &tree, qint32 node);

// The current value of a signal from its declarations, as SignalTable::currentValueOf
// finds it by name: the last declaration that has a value wins.
bool currentValueAt(const SignalTable &table, const QVector<QPair<SignalKind, int>> &declarations, qint32 &value);

// The value a bit «[first]» or range «[first:second]» selection reads from a value: the
// selected bits of its binary text, 0 when the selection lies outside it or the value is
// negative. A range whose high index lies above the binary text reads the missing high
// bits as zeros, up to bit 31.
qint32 selectedBits(qint32 value, qint64 first, bool isRange, qint64 second);
