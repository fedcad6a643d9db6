#pragma once
// Reading a Value Change Dump back, whoever wrote it, and running GTKWave's converters:
// for the tests of the VCD writer and of whole runs written as VCD.

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QPair>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QVector>

// A signal's changes: (time, value) with vectors left-extended to their full width as
// a reader must (0 before a leading 0 or 1, else the leading x or z).
using Changes = QVector<QPair<qint64, QByteArray>>;

struct ParsedVcd {
    QByteArray timescale;
    QMap<QByteArray, Changes> bySignal;  // by name
    QMap<QByteArray, int> widths;
    int repeats = 0;                    // changes to the value a signal already had
    qint64 lastTime = -1;
    QString fault;                      // the first thing that could not be read
};

inline QByteArray fullWidth(const QByteArray &value, int width)
{
    if (value.size() >= width)
        return value.right(width);
    const char lead = value.isEmpty() ? '0' : value.at(0);
    const char pad = lead == 'x' || lead == 'z' ? lead : '0';
    return QByteArray(width - value.size(), pad) + value;
}

// Reads the declarations and value changes of a dump, whoever wrote it.
inline ParsedVcd parseVcd(const QByteArray &text)
{
    ParsedVcd vcd;
    QMap<QByteArray, QByteArray> names;  // identifier code -> name
    const QList<QByteArray> tokens = text.simplified().split(' ');
    qint64 time = -1;
    auto record = [&](const QByteArray &code, const QByteArray &raw) {
        if (!names.contains(code)) {
            vcd.fault = QStringLiteral("change for an undeclared code ") + QString::fromLatin1(code);
            return;
        }
        const QByteArray &name = names.value(code);
        const QByteArray value = fullWidth(raw.toLower(), vcd.widths.value(name));
        Changes &changes = vcd.bySignal[name];
        if (!changes.isEmpty() && changes.last().second == value) {
            ++vcd.repeats;
            return;
        }
        changes << qMakePair(time, value);
    };
    for (qsizetype i = 0; i < tokens.size() && vcd.fault.isEmpty(); ++i) {
        const QByteArray &t = tokens.at(i);
        if (t == "$var" && i + 4 < tokens.size()) {
            const QByteArray name = tokens.at(i + 4).split('[').first();
            names[tokens.at(i + 3)] = name;
            vcd.widths[name] = tokens.at(i + 2).toInt();
            while (i < tokens.size() && tokens.at(i) != "$end")
                ++i;
        } else if (t == "$timescale") {
            QList<QByteArray> parts;
            while (++i < tokens.size() && tokens.at(i) != "$end")
                parts << tokens.at(i);
            vcd.timescale = parts.join("");
        } else if (t == "$date" || t == "$version" || t == "$comment" || t == "$scope") {
            while (++i < tokens.size() && tokens.at(i) != "$end") {
            }
        } else if (t.startsWith('$')) {
            continue;  // $scope, $upscope, $dumpvars, $end, ...: no values of their own
        } else if (t.startsWith('#')) {
            time = t.mid(1).toLongLong();
            vcd.lastTime = time;
        } else if ((t.startsWith('b') || t.startsWith('B')) && i + 1 < tokens.size()) {
            record(tokens.at(i + 1), t.mid(1));
            ++i;
        } else if (QByteArray("01xXzZ").contains(t.left(1)) && t.size() > 1) {
            record(t.mid(1), t.left(1));
        } else {
            vcd.fault = QStringLiteral("cannot read the token ") + QString::fromLatin1(t);
        }
    }
    return vcd;
}

// Runs an outside program; the test fails with a clear message when it is missing.
inline bool runTool(const QString &program, const QStringList &arguments, QByteArray &out, QString &failure)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        failure = program + QStringLiteral(" is not installed: the VCD round trip needs GTKWave's converters "
                                           "(Debian package gtkwave; scripts/install-deps.sh installs it)");
        return false;
    }
    QProcess process;
    process.start(path, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        failure = program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    out = process.readAllStandardOutput();
    const QByteArray complaint = process.readAllStandardError().trimmed();
    if (!complaint.isEmpty()) {
        failure = program + QStringLiteral(" complained: ") + QString::fromLocal8Bit(complaint);
        return false;
    }
    return true;
}

// Converts a written dump to FST and back with GTKWave's converters and compares what
// both say: the empty string when they agree, else the first difference.
inline QString gtkWaveRoundTripFault(const QString &vcdPath, const QString &fstPath, qsizetype signalCount)
{
    QByteArray ignored, back;
    QString failure;
    if (!runTool(QStringLiteral("vcd2fst"), {vcdPath, fstPath}, ignored, failure)
        || !runTool(QStringLiteral("fst2vcd"), {fstPath}, back, failure))
        return failure;
    QFile file(vcdPath);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read ") + vcdPath;
    const ParsedVcd ours = parseVcd(file.readAll());
    const ParsedVcd theirs = parseVcd(back);
    if (!ours.fault.isEmpty())
        return QStringLiteral("ours: ") + ours.fault;
    if (!theirs.fault.isEmpty())
        return QStringLiteral("GTKWave's: ") + theirs.fault;
    if (ours.repeats != 0)
        return QStringLiteral("%1 changes repeat the value before").arg(ours.repeats);
    if (ours.bySignal.size() != signalCount)
        return QStringLiteral("%1 signals with changes, %2 columns").arg(ours.bySignal.size()).arg(signalCount);
    if (theirs.timescale != ours.timescale || theirs.widths != ours.widths || theirs.lastTime != ours.lastTime)
        return QStringLiteral("the timescale, widths or last time differ");
    for (auto it = ours.bySignal.cbegin(); it != ours.bySignal.cend(); ++it) {
        if (theirs.bySignal.value(it.key()) != it.value())
            return QStringLiteral("the changes of ") + QString::fromLatin1(it.key()) + QStringLiteral(" differ");
    }
    return QString();
}
