#include "results/waveformrows.h"

#include <QHash>

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
    QHash<QString, int> rowByName;
    for (int r = int(rows.size()) - 1; r >= 0; --r)
        rowByName.insert(results.columns[r].name.toUpper(), r);
    const int cycles = int(results.rows.size());
    for (const ResultVerification &v : results.verifications) {
        const QString name = v.signal.toUpper();
        const int row = rowByName.value(name, rowByName.value(name.section(QLatin1Char('.'), -1), -1));
        if (row < 0 || v.cycle < 0 || v.cycle >= cycles)
            continue;
        const QString text = QStringLiteral("cycle %1: expected %2, got %3").arg(v.cycle).arg(v.expected).arg(v.actual);
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
