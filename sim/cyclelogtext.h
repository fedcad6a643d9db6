#pragma once
// The pieces the cycle log's entries are written from. A run that keeps the cycle log's
// text appends them; a run that does not only adds up how long they would have been,
// since the log's length still bounds the run. Numbers are pieces of their own so that
// an untraced run need not format them to know their length.

#include <QLatin1String>
#include <QString>
#include <QStringView>

// A number written in decimal, as QString::number writes it.
struct Decimal {
    qint64 value;
};

// Characters of a number in decimal, its minus sign included.
inline qsizetype decimalLength(qint64 value)
{
    quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    qsizetype length = value < 0 ? 2 : 1;
    while (magnitude >= 10) {
        magnitude /= 10;
        ++length;
    }
    return length;
}

inline qsizetype pieceLength(QStringView text) { return text.size(); }
inline qsizetype pieceLength(QLatin1String text) { return text.size(); }
inline qsizetype pieceLength(QLatin1Char) { return 1; }
inline qsizetype pieceLength(Decimal number) { return decimalLength(number.value); }

inline void appendPiece(QString &to, QStringView text) { to += text; }
inline void appendPiece(QString &to, QLatin1String text) { to += text; }
inline void appendPiece(QString &to, QLatin1Char c) { to += c; }
inline void appendPiece(QString &to, Decimal number) { to += QString::number(number.value); }
