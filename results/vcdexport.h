#pragma once
// A run's simulation as a Value Change Dump, the file every waveform viewer reads.

#include <QByteArray>
#include <QDateTime>
#include <QString>

struct RunResults;

// The whole VCD text of the results; `date` is written in the $date section.
QByteArray vcdText(const RunResults &results, const QDateTime &date);

// Writes vcdText(results, now) to path. On failure returns false and sets error to a
// one-line message.
bool writeVcd(const RunResults &results, const QString &path, QString &error);
