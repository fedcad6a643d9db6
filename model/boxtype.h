#pragma once
// The types of box a design file may name, and the one table of their names.

#include <QList>
#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <QVector>

// In the order of the box-type index report. None is a box whose type line is missing or
// names no type the reader knows; its name is empty.
enum class BoxType {
    None,
    Header,
    Ports,
    Code,
    ThreadSync,
    Event,
    Default,
    Instance,
    MetaState,
    StateAsyncOps,
    Initial,
    Decision,
    State,
    CondSyncOps,
    CondAsyncOps,
    SyncOps,
    AsyncOps,
};

// Every type but None, in the order above.
const QList<BoxType> &allBoxTypes();

// The name a design file and every report give the type ("" for None).
QString boxTypeName(BoxType type);
// The same name as a view of its fixed text, for callers that only append or measure it.
QLatin1String boxTypeLatin1Name(BoxType type);
// The type of that exact name; None for any other text.
BoxType boxTypeNamed(QStringView name);

// The name of the box in the reader's heading of its text values ("EVENTS" for Event,
// "DESCONOCIDA" for None).
QString boxTypeHeadingName(BoxType type);

// The names of a list of types, and the types of a list of names.
QStringList boxTypeNames(const QVector<BoxType> &types);
QVector<BoxType> boxTypesNamed(const QStringList &names);

// A box that is one of the states of a diagram.
bool isStateType(BoxType type);
