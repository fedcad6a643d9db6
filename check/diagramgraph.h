#pragma once
// The diagram as a drawing: which boxes its links reach, read from the design tables
// without walking them the way a run does.

#include "model/boxaccess.h"

#include <QString>
#include <QVector>

#include "model/boxaccess.h"

struct DesignModel;

// The position of the last box with this ID (the one a lookup by ID finds), or -1.
int boxWithId(const DesignModel &model, qint32 id);

// A State, MetaState or StateAsyncOps box that is not a connector.
bool isStateBox(const DesignModel &model, int pos);

// The boxes other than connectors whose first text line is this name, in file order.
QVector<int> namedBoxes(const DesignModel &model, const QString &name);

// True when a link value names a box: 0 and -1 are not links.
bool isLink(qint32 value);

// True when following plain Next links (a link to a box) from pos comes back to pos.
bool inPlainNextRing(const DesignModel &model, int pos);

// Per box: whether the drawing reaches it from the box at root through its links, a
// connector leading to every box that carries its name.
QVector<bool> reachableFrom(const DesignModel &model, int root);

// The ID list «a → b → c» of some boxes, for the texts of the warnings.
QString idChain(const DesignModel &model, const QVector<int> &positions);
