#include "sim/tablereport.h"

#include "core/messagelog.h"
#include "sim/simulationstate.h"

namespace {

// A cell that no snapshot wrote, or that the table has no room for, has no value.
qint32 cellValue(const QVector<QVector<qint32>> &table, qsizetype row, qsizetype column)
{
    if (row < 0 || row >= table.size() || column < 0 || column >= table.at(row).size())
        return -1;
    return table.at(row).at(column);
}

QString cycleHeading(qint32 lastCycle, const QString &lead, const QString &gap)
{
    QString line = lead;
    line.reserve(lead.size() + (qsizetype(lastCycle) + 1) * (6 + gap.size()));
    for (qint32 cycle = 0; cycle <= lastCycle; ++cycle)
        line += QLatin1Char('[') + QString::number(cycle) + QLatin1Char(']') + gap;
    return line;
}

// One signal's line in both layouts: single tabs for the pane; for the file, two tabs,
// or one after a value of eight characters or more, so the columns stay aligned.
void signalLines(const SimulationState &sim, qsizetype column, qint32 lastCycle, QString &pane, QString &file)
{
    const QString &name = sim.simulationColumnNames.at(column);
    const qsizetype room = (qsizetype(lastCycle) + 1) * 13;
    pane.reserve(name.size() + 1 + room);
    file.reserve(name.size() + 2 + room);
    pane += name + QLatin1Char('\t');
    file += name + QStringLiteral("\t\t");
    for (qint32 cycle = 0; cycle <= lastCycle; ++cycle) {
        const QString value = QString::number(cellValue(sim.simulationTable, cycle, column));
        pane += value + QLatin1Char('\t');
        file += value + (value.size() < 8 ? QStringLiteral("\t\t") : QStringLiteral("\t"));
    }
}

} // namespace

void reportSimulationTable(const SimulationState &sim, qint32 simCycle, MessageLog &log)
{
    // Cycles 0 to simCycle, but never past the table's last row.
    const qint32 lastCycle =
        qint32(qBound<qint64>(qint64(-1), qint64(simCycle), qint64(sim.simulationTable.size()) - 1));
    const QString banner = QStringLiteral("\n//-------------------------SIMULACION----------------------//");
    QStringList pane{banner, cycleHeading(lastCycle, QStringLiteral("\t"), QStringLiteral("\t"))};
    QStringList file{banner, cycleHeading(lastCycle, QStringLiteral("\t\t"), QStringLiteral("\t\t"))};
    pane.reserve(sim.simulationColumnNames.size() + 2);
    file.reserve(sim.simulationColumnNames.size() + 2);
    for (qsizetype column = 0; column < sim.simulationColumnNames.size(); ++column) {
        QString paneLine, fileLine;
        signalLines(sim, column, lastCycle, paneLine, fileLine);
        pane << paneLine;
        file << fileLine;
    }
    showInOutputPaneOnly(log, pane);
    writeLinesToOutput(log, file);
}
