#pragma once
// Integers written in decimal straight into a text being built, the way QString::number
// writes them (a minus sign for negatives, no plus sign, no leading zeros), without a
// string of their own: the reports write tens of thousands of them.

#include <QChar>
#include <QtGlobal>

// The most characters a 64-bit integer takes in decimal: 19 digits and a minus sign.
inline constexpr int kMaxDecimalLength = 20;

// Writes value at `to` and returns the position just after it; `to` has room for
// kMaxDecimalLength characters.
inline QChar *writeDecimal(QChar *to, qint64 value)
{
    // The magnitude as unsigned, so that the most negative value has one too.
    quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    char16_t digits[kMaxDecimalLength];
    int count = 0;
    do {
        digits[count++] = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *to++ = QLatin1Char('-');
    while (count > 0)
        *to++ = QChar(digits[--count]);
    return to;
}
