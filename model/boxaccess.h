#pragma once
// Guarded reads of the design tables: a position outside a table reads as a box with ID
// 0, no links, no type and no text ("null"), so no stage reads outside a table.

#include "model/designmodel.h"

#include <QString>
#include <QVector>

struct MessageLog;

// The three links of a box: -1 when the box has no such link line, 0 when the line
// names no box, otherwise the successor's ID.
struct BoxLinks {
    qint32 next = -1;
    qint32 next0 = -1;
    qint32 next1 = -1;
};

qint32 boxIdAt(const DesignModel &model, int pos);
BoxLinks boxLinksAt(const DesignModel &model, int pos);
// A box is a connector by its links, whatever its type: Next 0, no Next0 and no Next1.
// It stands for the box drawn elsewhere under its name (its first text line).
bool isConnectorBox(const DesignModel &model, int pos);
BoxType boxTypeAt(const DesignModel &model, int pos);
QString firstTextLine(const DesignModel &model, int pos);
// A line of a box's text in one of its matrices; outside the matrix it reads as a line
// the box does not have ("null").
QString textCell(const TextMatrix &matrix, int row, int pos);
// An entry of the state tables (stateIds, stateIts); outside them it reads as no state, 0.
qint32 stateCell(const QVector<QVector<qint32>> &matrix, int row, int column);

// Position of the last box with this ID, or -1 (with a warning) when none has it.
int findBoxById(const DesignModel &model, MessageLog &log, qint32 id);
