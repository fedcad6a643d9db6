#include "sim/snapshots.h"

#include "core/messagelog.h"
#include "sim/simcontext.h"

namespace {

enum class Generation { Current, Next };

// The cells of one row of the table; a row outside the table has none, and a column
// past the row's width has no room and is skipped.
struct RowCells {
    qint32 *cells = nullptr;
    qsizetype width = 0;

    RowCells(SimulationState &sim, qint32 cycle)
    {
        if (cycle < 0 || cycle >= sim.simulationTable.size())
            return;
        QVector<qint32> &row = sim.simulationTable[cycle];
        cells = row.data();
        width = row.size();
    }
    void write(int column, qint32 value)
    {
        if (column < width)
            cells[column] = value;
    }
};

struct Snapshot {
    const SignalTable &table;
    SimulationState &sim;
    MessageLog &log;
};

void snapshot(const Snapshot &s, qint32 cycle, const QString &heading, Generation generation, bool allPrefix)
{
    const SignalTable &table = s.table;
    // The lines are for the trace only; the table is written either way.
    const bool tracing = s.log.tracing;
    QStringList lines;
    if (tracing)
        lines << heading << QStringLiteral("- Ciclo: %1").arg(cycle);
    RowCells row(s.sim, cycle);
    int column = 0;
    for (SignalKind kind : kSignalKinds) {
        const QVector<qint32> &current = table.current.ofKind(kind);
        // The values after the edge are the next ones, but only for a kind that has
        // current values at all.
        if (generation == Generation::Next && current.isEmpty())
            continue;
        const QVector<qint32> &values = generation == Generation::Next ? table.next.ofKind(kind) : current;
        const QStringList &names = table.namesOf(kind);
        for (qsizetype k = 0; k < values.size(); ++k) {
            row.write(column++, values.at(k));
            if (!tracing)
                continue;
            QString line = QStringLiteral("\t-  ") + names.value(k) + QStringLiteral(":\t") + QString::number(values.at(k));
            if (allPrefix && lines.size() == 2)
                line.prepend(QStringLiteral("TODAS:\n"));
            lines << line;
        }
    }
    showInProcessPane(s.log, lines);
}

} // namespace

void saveCycle(const SignalTable &table, SimulationState &sim, MessageLog &log, qint32 cycle)
{
    snapshot({table, sim, log}, cycle, QStringLiteral("//------------SAVE CYCLE-----------//"), Generation::Current, true);
}

void saveCycleNow(const SignalTable &table, SimulationState &sim, MessageLog &log, qint32 cycle)
{
    snapshot({table, sim, log}, cycle, QStringLiteral("//------------SAVE CYCLE AHORA-----------//"), Generation::Current, false);
}

void saveCycleAfter(const SignalTable &table, SimulationState &sim, MessageLog &log, qint32 cycle)
{
    snapshot({table, sim, log}, cycle, QStringLiteral("//------------SAVE CYCLE DESPUES-----------//"), Generation::Next, false);
}
