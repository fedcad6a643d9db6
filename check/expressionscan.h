#pragma once
// Reads an expression the way the evaluator takes it, token by token, without evaluating
// it: which operator lacks an operand, which operand names no declared signal, and the
// value of an expression that is one literal.

#include <QString>
#include <QStringList>

struct SignalTable;

struct ExpressionScan {
    // The operator with no operand after it (or, at the head of the text, before it);
    // empty when every operator has its operands.
    QString operatorWithoutOperand;
    bool operandMissingBefore = false;  // the missing operand is the left one
    // Names the evaluator takes as parameters: no diagram declares them.
    QStringList undeclared;
    // The whole expression is one literal (with at most a unary plus) of this value;
    // literalReadable is false when its digits do not form a number.
    bool singleLiteral = false;
    bool literalReadable = false;
    qint64 literalValue = 0;
};

// Scans the text up to its end, a ";" or a comment. Stops, keeping what it found so far,
// where the text takes a form whose reading is not certain.
ExpressionScan scanExpression(const QString &text, const SignalTable &signalTable);
