#include "model/boxtype.h"

#include <iterator>

namespace {

struct BoxTypeEntry {
    BoxType type;
    const char *name;
    const char *headingName;
};

// The one table of the type names, in the order of the enum.
constexpr BoxTypeEntry kBoxTypeTable[] = {
    {BoxType::None, "", "DESCONOCIDA"},
    {BoxType::Header, "Header", "HEADER"},
    {BoxType::Ports, "Ports", "PORTS"},
    {BoxType::Code, "Code", "CODE"},
    {BoxType::ThreadSync, "ThreadSync", "THREADSYNC"},
    {BoxType::Event, "Event", "EVENTS"},
    {BoxType::Default, "Default", "DEFAULTS"},
    {BoxType::Instance, "Instance", "INSTANCE"},
    {BoxType::MetaState, "MetaState", "METASTATE"},
    {BoxType::StateAsyncOps, "StateAsyncOps", "STATEASYNCOPS"},
    {BoxType::Initial, "Initial", "INITIAL"},
    {BoxType::Decision, "Decision", "DECISION"},
    {BoxType::State, "State", "STATE"},
    {BoxType::CondSyncOps, "CondSyncOps", "CONDSYNCOPS"},
    {BoxType::CondAsyncOps, "CondAsyncOps", "CONDASYNCOPS"},
    {BoxType::SyncOps, "SyncOps", "SYNCOPS"},
    {BoxType::AsyncOps, "AsyncOps", "ASYNCOPS"},
};

const BoxTypeEntry &entryOf(BoxType type)
{
    const auto index = static_cast<std::size_t>(type);
    return index < std::size(kBoxTypeTable) ? kBoxTypeTable[index] : kBoxTypeTable[0];
}

} // namespace

const QList<BoxType> &allBoxTypes()
{
    static const QList<BoxType> types = [] {
        QList<BoxType> list;
        for (const BoxTypeEntry &entry : kBoxTypeTable)
            if (entry.type != BoxType::None)
                list << entry.type;
        return list;
    }();
    return types;
}

QString boxTypeName(BoxType type)
{
    return QLatin1String(entryOf(type).name);
}

QLatin1String boxTypeLatin1Name(BoxType type)
{
    return QLatin1String(entryOf(type).name);
}

BoxType boxTypeNamed(QStringView name)
{
    for (const BoxTypeEntry &entry : kBoxTypeTable)
        if (entry.type != BoxType::None && name == QLatin1String(entry.name))
            return entry.type;
    return BoxType::None;
}

QString boxTypeHeadingName(BoxType type)
{
    return QLatin1String(entryOf(type).headingName);
}

QStringList boxTypeNames(const QVector<BoxType> &types)
{
    QStringList names;
    names.reserve(types.size());
    for (BoxType type : types)
        names << boxTypeName(type);
    return names;
}

QVector<BoxType> boxTypesNamed(const QStringList &names)
{
    QVector<BoxType> types;
    types.reserve(names.size());
    for (const QString &name : names)
        types << boxTypeNamed(name);
    return types;
}

bool isStateType(BoxType type)
{
    return type == BoxType::State || type == BoxType::MetaState || type == BoxType::StateAsyncOps;
}
