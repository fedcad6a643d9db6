#pragma once
// A box text read once for all the cycles that execute it. The evaluator reads a text
// token by token, and which tokens it reads, and where each ends, depends on the text
// alone, never on the values; so each token is recognised the first time a position is
// read, and every later reading of that position takes the token, its end, and what a
// literal there is worth or which declared signal a name there refers to, from the
// table instead of the characters. The evaluator's levels run unchanged over it, so the
// values, the registers and the trace lines come out as from the text itself.
//
// A position the evaluator has not read yet is recognised when it first is, so any way
// through the text is read exactly as the text would be.

#include "lang/expressiontree.h"
#include "lang/lexer.h"
#include "lang/signaltable.h"

#include <QPair>
#include <QString>
#include <QVector>

struct EvalContext;

// What the evaluator finds where it reads an operand.
enum class LeafKind : quint8 {
    Unknown,    // not read as an operand yet
    Unchanged,  // read, and the value left as it was (a lone apostrophe, a parameter name)
    Constant,   // a literal: its value
    Signal,     // a declared signal: its name and declarations
};

struct CompiledText {
    struct Step {
        qint32 start = 0;      // where the token begins, past the blanks
        qint32 afterTake = 0;  // where taking the token leaves the text
        TokenCode code = TokNone;
        LeafKind leaf = LeafKind::Unknown;
        qint32 afterLeaf = 0;  // where reading the operand leaves the text
        qint32 value = 0;      // a Constant's value; a Signal's entry in `signalLeaves`
    };
    using SignalLeaf = ::SignalLeaf;

    QString text;  // upper case throughout
    QVector<qint32> stepAt;  // per position of `text`, and one past its end: -1 not read yet
    QVector<Step> steps;
    QVector<SignalLeaf> signalLeaves;

    // The expression read from `treeStart` as a tree, once it has been read without a
    // trace: usable unless it nests too deep.
    enum class TreeState : quint8 { NotRead, Usable, TooDeep };
    TreeState treeState = TreeState::NotRead;
    qsizetype treeStart = -1;
    ExpressionTree tree;

    bool isEmpty() const { return stepAt.isEmpty(); }
};

// Where an evaluation stands in a compiled text: the cursor the evaluator's levels move.
struct CompiledCursor {
    CompiledText *compiled = nullptr;
    qsizetype start = 0;

    QStringView rest() const { return QStringView(compiled->text).sliced(start); }
    QString restText() const { return compiled->text.sliced(start); }
    bool isEmpty() const { return start >= compiled->text.size(); }
};

// Prepares a text that a cursor has read up to here for compiled reading. The cursor's
// text must already be upper case (a peek makes it so); otherwise false, and the text
// has to be read as text.
bool compileText(const TextCursor &text, CompiledText &compiled, qsizetype &start);

// The token at a position, recognised now if the position was never read.
CompiledText::Step recogniseStep(CompiledText &compiled, qsizetype position);
inline CompiledText::Step stepAt(CompiledText &compiled, qsizetype position)
{
    const qint32 index = compiled.stepAt.constData()[position];
    return index >= 0 ? compiled.steps.constData()[index] : recogniseStep(compiled, position);
}

// The operand at a step: worked out the first time with the context's signal table and
// registers (which are left as they were).
CompiledText::Step leafAt(const EvalContext &ctx, CompiledText &compiled, qsizetype position);
