#include "run/collectresults.h"

#include "run/simstate.h"

#include <QFileInfo>

namespace {

// The kind and range of column j: the columns are the names of every kind laid end to end,
// inputs first. A table whose names no longer line up with the signal table (it cannot
// happen after a run, but the value is built from whatever the state holds) falls back
// to the first declaration of the name.
ResultColumn describeColumn(const SignalTable &table, const QString &name, int column)
{
    ResultColumn result;
    result.name = name;
    int start = 0;
    for (SignalKind kind : kSignalKinds) {
        const QStringList &names = table.namesOf(kind);
        const int k = column - start;
        if (k >= 0 && k < names.size() && names.at(k) == name) {
            result.kind = kind;
            result.width = rangeWidth(table.rangesOf(kind).value(k));
            return result;
        }
        start += int(names.size());
    }
    for (SignalKind kind : kSignalKinds) {
        const qsizetype k = table.namesOf(kind).indexOf(name);
        if (k >= 0) {
            result.kind = kind;
            result.width = rangeWidth(table.rangesOf(kind).value(k));
            return result;
        }
    }
    return result;
}

// Rows 0 to simCycle, never past the table's last row.
void collectTable(const SimState &state, RunResults &results)
{
    const SimulationState &sim = state.simulation;
    for (qsizetype j = 0; j < sim.simulationColumnNames.size(); ++j)
        results.columns << describeColumn(state.signalTable, sim.simulationColumnNames.at(j), int(j));
    const qint64 last = qMin<qint64>(state.signalTable.simCycle, qint64(sim.simulationTable.size()) - 1);
    for (qint64 cycle = 0; cycle <= last; ++cycle) {
        QVector<qint32> row = sim.simulationTable.at(cycle);
        row.resize(results.columns.size(), -1);
        results.rows << row;
    }
}

void collectClock(const SimulationState &sim, RunResults &results)
{
    results.clockName = sim.clockName;
    results.cycleTime = qMax(sim.cycleTime, 0);
    results.timeUnit = sim.cycleTimeUnit;
}

// The cell the verification check reads: a row the table has no room for reads as -1.
qint32 checkedValue(const SimulationState &sim, qint32 cycle, int column)
{
    if (cycle >= sim.simulationTable.size())
        return -1;
    return sim.simulationTable.at(cycle).value(column, -1);
}

// The comparisons the verification check makes, in its order: each record against every
// column under its name, only for cycles the table has rows for.
void collectVerifications(const SimState &state, RunResults &results)
{
    const DesignModel &m = state.model;
    const SimulationState &sim = state.simulation;
    const qsizetype count = qMin(m.verifyCycles.size(), qMin(m.verifyVariables.size(), m.verifyValues.size()));
    for (qsizetype k = 0; k < count; ++k) {
        const qint32 cycle = m.verifyCycles.at(k);
        const QString &name = m.verifyVariables.at(k);
        if (cycle < 0 || cycle > kLastSimulationRow || name.isEmpty())
            continue;
        for (qsizetype j = 0; j < sim.simulationColumnNames.size(); ++j) {
            if (sim.simulationColumnNames.at(j) != name)
                continue;
            ResultVerification v;
            v.cycle = cycle;
            v.signal = name;
            v.expected = m.verifyValues.at(k);
            v.actual = checkedValue(sim, cycle, int(j));
            v.correct = v.actual == v.expected;
            v.box = sim.loop.verificationBoxes.value(k);
            results.verifications << v;
        }
    }
}

// The recorded paths of the cycles the table holds.
void collectPaths(const CycleLoopState &loop, RunResults &results)
{
    results.paths = loop.paths.cycles().mid(0, results.rows.size());
}

void collectMessages(const MessageLog &log, RunResults &results)
{
    for (const QString &text : log.warningList)
        results.messages << ResultMessage{LogWarning, text};
    for (const QString &text : log.errorList)
        results.messages << ResultMessage{LogError, text};
}

// A row for every cycle of the table, -1 where no heading was shown.
void collectHeadingRows(const SimulationState &sim, RunResults &results)
{
    if (sim.cycleHeadingRows.isEmpty())
        return;
    results.cycleProcessRows.fill(-1, results.rows.size());
    for (qsizetype cycle = 0; cycle < results.cycleProcessRows.size(); ++cycle)
        results.cycleProcessRows[cycle] = sim.cycleHeadingRows.value(cycle, -1);
}

} // namespace

RunResults collectRunResults(const SimState &state)
{
    RunResults results;
    results.designPath = state.simulatedFileName;
    results.designName = QFileInfo(state.simulatedFileName).completeBaseName();
    collectTable(state, results);
    collectClock(state.simulation, results);
    collectVerifications(state, results);
    collectPaths(state.simulation.loop, results);
    collectMessages(state.log, results);
    collectHeadingRows(state.simulation, results);
    results.cycles = state.signalTable.simCycle;
    results.noTestBench = !state.model.parentKinds.contains(DiagramKind::TestBench);
    results.cycleLoopSkipped = !state.simulation.loop.started;
    return results;
}
