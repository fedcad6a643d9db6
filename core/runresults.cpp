#include "core/runresults.h"

#include "core/messagelog.h"
#include "core/simstate.h"

#include <QFileInfo>

#include <algorithm>

namespace {

constexpr int kValueBits = 32;
// Bounds are 32-bit values; anything larger is not a range the declarations wrote.
constexpr qint64 kMaxBound = 0xFFFFFFFFLL;

// The kind and range of column j: the columns are the names of every kind laid end to end,
// inputs first. A table whose names no longer line up with the signal table (it cannot
// happen after a run, but the value is built from whatever the state holds) falls back
// to the first declaration of the name.
ResultColumn describeColumn(const SignalTable &table, const QString &name, int column)
{
    ResultColumn result;
    result.name = name;
    int start = 0;
    for (int kind : kSignalKinds) {
        const QStringList &names = table.namesOf(kind);
        const int k = column - start;
        if (k >= 0 && k < names.size() && names.at(k) == name) {
            result.kind = kind;
            result.width = rangeWidth(table.rangesOf(kind).value(k));
            return result;
        }
        start += int(names.size());
    }
    for (int kind : kSignalKinds) {
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
            results.verifications << v;
        }
    }
}

void collectMessages(const MessageLog &log, RunResults &results)
{
    for (const QString &text : log.warningList)
        results.messages << ResultMessage{LogWarning, text};
    for (const QString &text : log.errorList)
        results.messages << ResultMessage{LogError, text};
}

int countMessages(const QVector<ResultMessage> &messages, int kind)
{
    return int(std::count_if(messages.cbegin(), messages.cend(), [kind](const ResultMessage &m) { return m.kind == kind; }));
}

} // namespace

int rangeWidth(const QString &range)
{
    // Parsed by hand: nothing shared between runs that go on at once, not even a pattern.
    const QString text = range.trimmed();
    if (!text.startsWith(QLatin1Char('[')) || !text.endsWith(QLatin1Char(']')))
        return kValueBits;
    const QStringList bounds = text.mid(1, text.size() - 2).split(QLatin1Char(':'));
    if (bounds.size() != 2)
        return kValueBits;
    bool msbOk = false, lsbOk = false;
    const qint64 msb = bounds.at(0).trimmed().toLongLong(&msbOk);
    const qint64 lsb = bounds.at(1).trimmed().toLongLong(&lsbOk);
    if (!msbOk || !lsbOk || qAbs(msb) > kMaxBound || qAbs(lsb) > kMaxBound)
        return kValueBits;
    const qint64 width = qAbs(msb - lsb) + 1;
    return width > kValueBits ? kValueBits : int(width);
}

int RunResults::correctCount() const
{
    return int(std::count_if(verifications.cbegin(), verifications.cend(), [](const ResultVerification &v) { return v.correct; }));
}

int RunResults::wrongCount() const
{
    return int(verifications.size()) - correctCount();
}

int RunResults::errorCount() const
{
    return countMessages(messages, LogError);
}

int RunResults::warningCount() const
{
    return countMessages(messages, LogWarning);
}

int RunResults::clockColumn() const
{
    if (clockName.isEmpty())
        return -1;
    for (int j = 0; j < columns.size(); ++j) {
        if (columns.at(j).kind == KindInput && columns.at(j).name == clockName)
            return j;
    }
    return -1;
}

qint32 RunResults::valueAt(int cycle, int column) const
{
    if (cycle < 0 || cycle >= rows.size())
        return -1;
    return rows.at(cycle).value(column, -1);
}

RunResults collectRunResults(const SimState &state)
{
    RunResults results;
    results.designPath = state.simulatedFileName;
    results.designName = QFileInfo(state.simulatedFileName).completeBaseName();
    collectTable(state, results);
    collectClock(state.simulation, results);
    collectVerifications(state, results);
    collectMessages(state.log, results);
    results.cycles = state.signalTable.simCycle;
    results.noTestBench = !state.model.parentKinds.contains(kTestBenchKind);
    results.cycleLoopSkipped = !state.simulation.loop.started;
    return results;
}
