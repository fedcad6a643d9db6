#include "model/readerkeywords.h"

#include <array>

namespace {

struct TypeKeyword {
    const char *keyword;
    const char *phrase;  // the box's name in the heading of its text values
};

// Search order: a name that contains another comes before it ("StateAsyncOps" before
// "State", "CondSyncOps" before "SyncOps"). The search is case-sensitive, so
// "AsyncOps" does not match "SyncOps".
constexpr std::array<TypeKeyword, 16> kTypes{{
    {"Header", "HEADER"},
    {"Ports", "PORTS"},
    {"Code", "CODE"},
    {"ThreadSync", "THREADSYNC"},
    {"Event", "EVENTS"},
    {"Default", "DEFAULTS"},
    {"Instance", "INSTANCE"},
    {"MetaState", "METASTATE"},
    {"StateAsyncOps", "STATEASYNCOPS"},
    {"State", "STATE"},
    {"Decision", "DECISION"},
    {"CondAsyncOps", "CONDASYNCOPS"},
    {"CondSyncOps", "CONDSYNCOPS"},
    {"AsyncOps", "ASYNCOPS"},
    {"SyncOps", "SYNCOPS"},
    {"Initial", "INITIAL"},
}};

// Heading of a value in a box whose type is not known (no type line, or an
// unrecognised one).
const char *const kUnknownPhrase = "DESCONOCIDA";

} // namespace

QString findBoxType(const QString &line)
{
    for (const TypeKeyword &type : kTypes) {
        if (line.contains(QLatin1String(type.keyword)))
            return QLatin1String(type.keyword);
    }
    return QString();
}

QString boxTypeLabel(const QString &type)
{
    return type == QLatin1String("MetaState") ? QStringLiteral("Meta State") : type;
}

TextKind textKindOfKey(const QString &key)
{
    if (key.contains(QLatin1String("Up")))
        return TextUp;
    if (key.contains(QLatin1String("Down")))
        return TextDown;
    return TextMain;
}

QString textHeading(TextKind kind, const QString &boxType)
{
    const char *prefix = kind == TextUp ? "TextoUp " : kind == TextDown ? "TextoDown " : "Texto ";
    const char *phrase = kUnknownPhrase;
    for (const TypeKeyword &type : kTypes) {
        if (boxType == QLatin1String(type.keyword))
            phrase = type.phrase;
    }
    return QLatin1String(prefix) + QStringLiteral("de la caja ") + QLatin1String(phrase)
           + QStringLiteral(" analizandose. Linea: ");
}
