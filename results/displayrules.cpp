#include "results/displayrules.h"

#include <algorithm>

int effectiveWidth(int width)
{
    return std::clamp(width, 1, 32);
}

bool valueFitsWidth(int width, qint32 value)
{
    if (width >= 32)
        return true;
    return value >= 0 && qint64(value) < (qint64(1) << effectiveWidth(width));
}

QString formatSignalValue(int width, qint32 value, ValueRadix radix)
{
    if (!valueFitsWidth(width, value))
        return QStringLiteral("x");
    const int shown = effectiveWidth(width);
    const quint32 bits = shown == 32 ? quint32(value) : quint32(value) & ((1u << shown) - 1);
    switch (radix) {
    case ValueRadix::Hexadecimal:
        return QString::number(bits, 16).toUpper().rightJustified((shown + 3) / 4, QLatin1Char('0'));
    case ValueRadix::Binary:
        return QString::number(bits, 2).rightJustified(shown, QLatin1Char('0'));
    case ValueRadix::Decimal:
        break;
    }
    return shown == 32 ? QString::number(value) : QString::number(bits);
}

QString signalKindName(SignalKind kind)
{
    switch (kind) {
    case KindInput:
        return QStringLiteral("entrada");
    case KindOutput:
        return QStringLiteral("salida");
    case KindInout:
        return QStringLiteral("entrada y salida");
    case KindWire:
        return QStringLiteral("señal interna");
    case KindNone:
        break;
    }
    return QString();
}
