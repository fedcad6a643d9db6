#pragma once
// The tables that describe the diagram as read from a .vdo file, the indexes derived
// from them, and the pending-line lists of the reader.

#include "core/limits.h"
#include "model/boxtype.h"

#include <QList>
#include <QMultiMap>
#include <QString>
#include <QStringList>
#include <QVector>

// The kind the declarative simulation gives a diagram (an entry of parentKinds); None
// for a diagram that is neither, whose name is empty.
enum class DiagramKind { None, Design, TestBench };

QString diagramKindName(DiagramKind kind);
QStringList diagramKindNames(const QVector<DiagramKind> &kinds);
QVector<DiagramKind> diagramKindsNamed(const QStringList &names);

// One text matrix: rows are the text lines of a box's value, columns box positions.
// An empty cell holds "null".
using TextMatrix = QVector<QVector<QString>>;

struct DesignModel {
    // Per-box tables, indexed by the box's position in file order.
    int boxCount = 0;
    QVector<qint32> boxIds;
    QVector<BoxType> boxTypes;
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
    QMultiMap<BoxType, qint32> boxPositionsByType;

    // Box hierarchy: one entry per diagram (parent box); the state matrices have
    // kStateRows rows and one column per parent.
    QVector<qint32> parentIts;
    QVector<qint32> parentIds;
    QVector<DiagramKind> parentKinds;
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

    // The reader's pending lines: filled, then shown in the process pane and emptied.
    QStringList readerLines;
};

// Empties every table of the design (box, text, page, index, hierarchy, event and
// verification tables). Leaves the reader's pending lines and the box count alone.
void resetDesignModel(DesignModel &model);

// Gives the three text matrices their fixed shape, every cell "null".
void rebuildTextMatrices(DesignModel &model);
