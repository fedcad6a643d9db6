#include "sim/tablereport.h"

#include "core/decimaltext.h"
#include "core/messagelog.h"
#include "sim/simulationstate.h"

#include <algorithm>
#include <vector>

namespace {

// A cell that no snapshot wrote, or that the table has no room for, has no value.
qint32 cellValue(const QVector<QVector<qint32>> &table, qsizetype row, qsizetype column)
{
    if (row < 0 || row >= table.size() || column < 0 || column >= table.at(row).size())
        return -1;
    return table.at(row).at(column);
}

// The table has tens of thousands of cells: each line is written into one scratch buffer,
// big enough for the longest line, and copied out once at its exact length.
class LineBuffer {
public:
    explicit LineBuffer(qsizetype room) : m_chars(size_t(room)) {}

    QChar *begin() { return m_chars.data(); }
    QString text(const QChar *end) const { return QString(m_chars.data(), end - m_chars.data()); }

    static QChar *put(QChar *to, QStringView text) { return std::copy(text.begin(), text.end(), to); }
    static QChar *tabs(QChar *to, int count)
    {
        for (int i = 0; i < count; ++i)
            *to++ = QLatin1Char('\t');
        return to;
    }

private:
    std::vector<QChar> m_chars;
};

// "[0]", "[1]", … after the lead, each followed by the gap of tabs.
QString cycleHeading(LineBuffer &buffer, qint32 lastCycle, int leadTabs, int gapTabs)
{
    QChar *to = LineBuffer::tabs(buffer.begin(), leadTabs);
    for (qint32 cycle = 0; cycle <= lastCycle; ++cycle) {
        *to++ = QLatin1Char('[');
        to = writeDecimal(to, cycle);
        *to++ = QLatin1Char(']');
        to = LineBuffer::tabs(to, gapTabs);
    }
    return buffer.text(to);
}

// One signal's line in both layouts: single tabs for the pane; for the file, two tabs,
// or one after a value of eight characters or more, so the columns stay aligned. The
// file's line is written first; the pane's is the same numbers with one tab each.
void signalLines(const SimulationState &sim, qsizetype column, qint32 lastCycle, LineBuffer &paneBuffer,
                 LineBuffer &fileBuffer, QString &pane, QString &file)
{
    const QString &name = sim.simulationColumnNames.at(column);
    QChar *p = LineBuffer::tabs(LineBuffer::put(paneBuffer.begin(), name), 1);
    QChar *f = LineBuffer::tabs(LineBuffer::put(fileBuffer.begin(), name), 2);
    for (qint32 cycle = 0; cycle <= lastCycle; ++cycle) {
        QChar *const value = f;
        f = writeDecimal(f, cellValue(sim.simulationTable, cycle, column));
        const qsizetype length = f - value;
        f = LineBuffer::tabs(f, length < 8 ? 2 : 1);
        p = LineBuffer::tabs(std::copy(value, value + length, p), 1);
    }
    pane = paneBuffer.text(p);
    file = fileBuffer.text(f);
}

} // namespace

void reportSimulationTable(const SimulationState &sim, qint32 simCycle, MessageLog &log)
{
    // Cycles 0 to simCycle, but never past the table's last row.
    const qint32 lastCycle =
        qint32(qBound<qint64>(qint64(-1), qint64(simCycle), qint64(sim.simulationTable.size()) - 1));
    qsizetype longestName = 0;
    for (const QString &name : sim.simulationColumnNames)
        longestName = qMax(longestName, name.size());
    // Every cell: its number (or "[number]") and at most two tabs.
    const qsizetype room = longestName + 2 + (qsizetype(lastCycle) + 1) * (kMaxDecimalLength + 4);
    LineBuffer paneBuffer(room), fileBuffer(room);

    const QString banner = QStringLiteral("\n//-------------------------SIMULACION----------------------//");
    QStringList pane{banner, cycleHeading(paneBuffer, lastCycle, 1, 1)};
    QStringList file{banner, cycleHeading(fileBuffer, lastCycle, 2, 2)};
    pane.reserve(sim.simulationColumnNames.size() + 2);
    file.reserve(sim.simulationColumnNames.size() + 2);
    for (qsizetype column = 0; column < sim.simulationColumnNames.size(); ++column) {
        QString paneLine, fileLine;
        signalLines(sim, column, lastCycle, paneBuffer, fileBuffer, paneLine, fileLine);
        pane << std::move(paneLine);
        file << std::move(fileLine);
    }
    showInOutputPaneOnly(log, pane);
    writeLinesToOutput(log, file);
}
