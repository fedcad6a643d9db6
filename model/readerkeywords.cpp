#include "model/readerkeywords.h"

namespace {

// Search order: a name that contains another comes before it ("StateAsyncOps" before
// "State", "CondSyncOps" before "SyncOps"). The search is case-sensitive, so
// "AsyncOps" does not match "SyncOps".
constexpr BoxType kSearchOrder[] = {
    BoxType::Header,       BoxType::Ports,       BoxType::Code,     BoxType::ThreadSync,
    BoxType::Event,        BoxType::Default,     BoxType::Instance, BoxType::MetaState,
    BoxType::StateAsyncOps, BoxType::State,      BoxType::Decision, BoxType::CondAsyncOps,
    BoxType::CondSyncOps,  BoxType::AsyncOps,    BoxType::SyncOps,  BoxType::Initial,
};

} // namespace

BoxType findBoxType(const QString &line)
{
    for (BoxType type : kSearchOrder) {
        if (line.contains(boxTypeLatin1Name(type)))
            return type;
    }
    return BoxType::None;
}

QString boxTypeLabel(BoxType type)
{
    return type == BoxType::MetaState ? QStringLiteral("Meta State") : boxTypeName(type);
}

TextKind textKindOfKey(const QString &key)
{
    if (key.contains(QLatin1String("Up")))
        return TextUp;
    if (key.contains(QLatin1String("Down")))
        return TextDown;
    return TextMain;
}

QString textHeading(TextKind kind, BoxType boxType)
{
    const char *prefix = kind == TextUp ? "TextoUp " : kind == TextDown ? "TextoDown " : "Texto ";
    return QLatin1String(prefix) + QStringLiteral("de la caja ") + boxTypeHeadingName(boxType)
           + QStringLiteral(" analizandose. Linea: ");
}
