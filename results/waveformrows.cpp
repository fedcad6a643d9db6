#include "results/waveformrows.h"

#include <algorithm>

namespace {

// Splits a column into runs of one value, so that a painter walks only the runs in sight
// and a bus writes its value once per run.
QVector<WaveSegment> segmentsOf(const RunResults &results, int column)
{
    QVector<WaveSegment> segments;
    for (int c = 0; c < results.rows.size(); ++c) {
        const qint32 value = results.valueAt(c, column);
        if (segments.isEmpty() || segments.last().value != value)
            segments.append({c, c + 1, value});
        else
            segments.last().end = c + 1;
    }
    return segments;
}

void addMarks(const RunResults &results, QVector<WaveRow> &rows)
{
    const int cycles = int(results.rows.size());
    for (const ResultVerification &v : results.verifications) {
        const int row = waveRowOfSignal(results, v.signal);
        if (row < 0 || v.cycle < 0 || v.cycle >= cycles)
            continue;
        const QString text = verificationText(v);
        QVector<WaveMark> &marks = rows[row].marks;
        auto it = std::find_if(marks.begin(), marks.end(), [&](const WaveMark &m) { return m.cycle == v.cycle; });
        if (it == marks.end()) {
            marks.append({int(v.cycle), !v.correct, {text}});
        } else {
            it->wrong = it->wrong || !v.correct;
            it->texts << text;
        }
    }
    for (WaveRow &row : rows)
        std::stable_sort(row.marks.begin(), row.marks.end(),
                         [](const WaveMark &a, const WaveMark &b) { return a.cycle < b.cycle; });
}

} // namespace

QString verificationText(const ResultVerification &v)
{
    return QStringLiteral("ciclo %1: %2 esperado %3, simulado %4")
        .arg(QString::number(v.cycle), v.signal, QString::number(v.expected), QString::number(v.actual));
}

int waveRowOfSignal(const RunResults &results, const QString &signal)
{
    const QString name = signal.toUpper();
    const QString unprefixed = name.section(QLatin1Char('.'), -1);
    int byUnprefixed = -1;
    for (int r = 0; r < results.columns.size(); ++r) {
        const QString column = results.columns[r].name.toUpper();
        if (column == name)
            return r;
        if (byUnprefixed < 0 && column == unprefixed)
            byUnprefixed = r;
    }
    return byUnprefixed;
}

QVector<WaveRow> waveRows(const RunResults &results)
{
    QVector<WaveRow> rows(results.columns.size());
    const int clock = results.clockColumn();
    for (int r = 0; r < rows.size(); ++r) {
        rows[r].isClock = r == clock;
        rows[r].segments = segmentsOf(results, r);
    }
    addMarks(results, rows);
    return rows;
}
