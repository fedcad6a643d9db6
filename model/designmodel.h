#pragma once
// The tables that describe the diagram as read from a .vdo file, the indexes derived
// from them, and the pending-line lists of the reader.

#include <QList>
#include <QMultiMap>
#include <QString>
#include <QStringList>
#include <QVector>

// Fixed room of the design tables: a design that does not fit is refused, never
// written outside them.
constexpr int kMaxBoxes = 300;
constexpr int kTextRows = 50;
constexpr int kTextUpRows = 10;
constexpr int kTextDownRows = 50;
constexpr int kStateRows = 100;

// The kinds the declarative simulation gives a diagram (an entry of parentKinds).
inline const QString kDesignKind = QStringLiteral("Design");
inline const QString kTestBenchKind = QStringLiteral("TestBench");

// One text matrix: rows are the text lines of a box's value, columns box positions.
// An empty cell holds "null".
using TextMatrix = QVector<QVector<QString>>;

struct DesignModel {
    // Per-box tables, indexed by the box's position in file order.
    int boxCount = 0;
    QVector<qint32> boxIds;
    QStringList boxTypes;
    QVector<qint32> boxNext;   // ID named by Next, -1 when the box has none
    QVector<qint32> boxNext0;
    QVector<qint32> boxNext1;
    QVector<qint32> boxVisited;
    // The reader's line number of each box's Id line (of its Box line when it has none),
    // counted as the reader counts; kept for pointing at boxes, printed by no report.
    QVector<qint32> boxIdLines;

    TextMatrix textMatrix;      // "TEXT"
    TextMatrix textUpMatrix;    // "TEXT UP"
    TextMatrix textDownMatrix;  // "TEXT DOWN"

    QVector<qint32> pageIds;
    QStringList pageNames;

    // Box-type index.
    qint32 indexedBoxCount = 0;
    QMultiMap<QString, qint32> boxPositionsByType;

    // Box hierarchy: one entry per diagram (parent box); the state matrices have
    // kStateRows rows and one column per parent.
    QVector<qint32> parentIts;
    QVector<qint32> parentIds;
    QStringList parentKinds;
    QVector<QVector<qint32>> stateIds;
    QVector<QVector<qint32>> stateIts;

    // Events of the design.
    QStringList eventActivationSignals;
    QVector<qint32> eventActivationValues;
    QStringList eventChangeSignals;
    QVector<qint32> eventChangeValues;

    // Verifications registered by the test bench.
    QVector<qint32> verifyCycles;
    QStringList verifyVariables;
    QVector<qint32> verifyValues;

    // Pending-line lists: filled, then shown in a pane and emptied.
    QStringList readerLines;
    QStringList outputLines;
    QStringList traceLines;  // the box-text analysis; shown in the process pane
};

struct SimState;

// Empties every table of a run (the design, signal, event, hierarchy, verification and
// simulation tables, the evaluator registers and the error and warning lists). Leaves
// the pending-line lists, the output file, declarationKind and simCycle alone.
void resetDesignModel(SimState &state);

// Gives the three text matrices their fixed shape, every cell "null".
void rebuildTextMatrices(DesignModel &model);
