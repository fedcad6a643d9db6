#include "sim/cycleloop.h"

#include "core/messagelog.h"
#include "model/boxaccess.h"
#include "sim/cyclevalues.h"
#include "sim/designwalk.h"
#include "sim/simcontext.h"
#include "sim/snapshots.h"
#include "sim/testbenchstep.h"

namespace {

const QString kCycleHeading = QStringLiteral("\n//------------CICLOS DE SIMULACION---------------//");
const QString kNoTestBench = QStringLiteral("WARNING!\t No hay padre de test bench: no se simulan ciclos");

// The columns of the parents of one kind, in parent order.
QVector<int> columnsOfKind(const DesignModel &m, DiagramKind kind)
{
    QVector<int> columns;
    for (int c = 0; c < m.parentIts.size(); ++c)
        if (m.parentKinds.value(c) == kind)
            columns << c;
    return columns;
}

// The state box of row `row` of a column; none when the row lists no state.
BoxRef stateAt(const DesignModel &m, int row, int column)
{
    const qint32 id = stateCell(m.stateIds, row, column);
    if (id == 0)
        return {};
    return {stateCell(m.stateIts, row, column), id};
}

// The state each diagram stands in once the cycle is over, the one the next cycle starts
// from: for a design the row its position points at; for a test bench the row of its
// next step, or, once it has ended, the state whose step ended it.
void closeCyclePath(const DesignModel &m, CycleLoopState &loop, qint32 cycle)
{
    QVector<BoxRef> states(m.parentIts.size());
    for (int c = 0; c < states.size(); ++c) {
        const DiagramKind kind = m.parentKinds.value(c);
        if (kind == DiagramKind::TestBench)
            states[c] = stateAt(m, loop.simulationEnded ? loop.endedTbRow : loop.tbPosition, c);
        else if (kind == DiagramKind::Design)
            states[c] = stateAt(m, loop.designPosition, c);
    }
    loop.paths.closeCycle(cycle, states);
}

// A design parent: the values of the last edge become current, then the walk of this
// cycle, unless the test bench has ended.
void handleDesign(const SimContext &ctx, int column)
{
    CycleLoopState &loop = ctx.simulation.loop;
    ctx.signalTable.current = ctx.signalTable.next;
    loop.testBenchPending = false;
    if (loop.simulationEnded)
        return;
    enterDesignState(ctx, column);
    walkDesign(ctx, column);
}

// Walks the design again while the last walk changed a current value, up to the limit of
// consecutive changing walks. Before any design walk of the run there is nothing to
// settle.
void settle(const SimContext &ctx, int designColumn)
{
    SimulationState &sim = ctx.simulation;
    CycleLoopState &loop = sim.loop;
    const SignalTable &table = ctx.signalTable;
    const qint32 cycle = table.simCycle;
    for (;;) {
        const bool changed = loop.designWalked && valuesDiffer(table.previous, table.current);
        if (!changed) {
            loop.add(QLatin1String("\t\tNO CAMBIA EN EL CICLO: "), Decimal{cycle}, QLatin1Char('\n'));
            sim.changedPasses = 0;
            return;
        }
        loop.add(QLatin1String("\t\tCAMBIA EN EL CICLO: "), Decimal{cycle}, QLatin1String("\n\n"));
        ++sim.changedPasses;
        if (sim.changedPasses >= kMaxChangedPasses) {
            logMessage(ctx.log, QStringLiteral("Error! Bucle infinito en el diseño. CICLO: ") + QString::number(cycle),
                       LogError);
            return;
        }
        if (loop.cycleLogFull())
            return;
        // The walk starts again from the state this pass entered.
        loop.designPosition = loop.enteredDesignPosition;
        walkDesign(ctx, designColumn);
    }
}

// The clock edge: the values of this cycle are recorded, the cycle number advances, the
// values of the next cycle are recorded and become current. Returns false when the table
// has no row left for another cycle.
bool clockEdge(const SimContext &ctx)
{
    SignalTable &table = ctx.signalTable;
    saveCycleNow(table, ctx.simulation, ctx.log, table.simCycle);
    ++table.simCycle;
    saveCycleAfter(table, ctx.simulation, ctx.log, table.simCycle);
    table.current = table.next;
    if (table.simCycle < kLastSimulationRow)
        return true;
    logMessage(ctx.log,
               QStringLiteral("Error! Simulacion detenida en el ciclo %1: ultima fila de la tabla de simulacion")
                   .arg(kLastSimulationRow),
               LogError);
    return false;
}

// The cycle log is about to be shown after `shownRows` rows of the process pane: each
// heading's row is those rows, the rows of the items before its own, and its line there.
void recordHeadingRows(SimulationState &sim, qint64 shownRows)
{
    const CycleLoopState &loop = sim.loop;
    qint64 rows = shownRows;
    qsizetype item = 0;
    for (const CycleLoopState::Heading &heading : loop.headings) {
        for (; item < heading.item && item < loop.cycleLog.size(); ++item)
            rows += paneRows(loop.cycleLog.at(item));
        if (heading.cycle < 0 || heading.cycle >= kSimulationRows)
            continue;
        if (sim.cycleHeadingRows.size() <= heading.cycle)
            sim.cycleHeadingRows.resize(heading.cycle + 1, -1);
        sim.cycleHeadingRows[heading.cycle] = int(rows + heading.line);
    }
}

} // namespace

void runSimulationCycles(const SimContext &ctx)
{
    CycleLoopState &loop = ctx.simulation.loop;
    loop = CycleLoopState{};
    loop.maxCycleLogLength = ctx.simulation.maxCycleLogLength;
    loop.keepText = ctx.log.tracing;
    ctx.simulation.cycleHeadingRows.clear();
    const QVector<int> testBenches = columnsOfKind(ctx.model, DiagramKind::TestBench);
    const QVector<int> designs = columnsOfKind(ctx.model, DiagramKind::Design);
    if (testBenches.isEmpty()) {
        logMessage(ctx.log, kNoTestBench, LogWarning);
        return;
    }
    loop.started = true;
    loop.compiled.active = true;
    loop.cycleLog << kCycleHeading;
    SignalTable &table = ctx.signalTable;
    table.next = table.current;
    table.previous = table.current;
    // The cycles before the loop (the presimulation's) walk nothing: every diagram
    // stands in its first state.
    loop.paths.start(int(ctx.model.parentIts.size()), int(ctx.model.boxIds.size()));
    for (qint32 cycle = 0; cycle < table.simCycle && cycle < kSimulationRows; ++cycle)
        closeCyclePath(ctx.model, loop, cycle);

    // Every pass either ends the simulation or takes a clock edge, and the table has
    // room for 300 of them, so the loop is bounded by the table.
    for (;;) {
        if (loop.keepText)
            loop.headings.append({table.simCycle, loop.cycleLog.size(), loop.logEntry.count(QLatin1Char('\n'))});
        loop.add(QLatin1String("CICLO SE SIMULACION NUEVO: "), Decimal{table.simCycle}, QLatin1Char('\n'));
        for (int column : testBenches) {
            loop.testBenchPending = true;
            runTestBenchStep(ctx, column);
        }
        for (int column : designs)
            handleDesign(ctx, column);
        settle(ctx, designs.isEmpty() ? -1 : designs.last());
        closeCyclePath(ctx.model, loop, table.simCycle);
        if (loop.cycleLogFull()) {
            logMessage(ctx.log, QStringLiteral("Error! Registro de ciclos demasiado largo: simulacion detenida en el ciclo %1")
                                  .arg(table.simCycle),
                       LogError);
            break;
        }
        if (loop.simulationEnded)
            break;
        if (!clockEdge(ctx)) {
            // The edge wrote the table's last row, which no pass simulates.
            closeCyclePath(ctx.model, loop, table.simCycle);
            break;
        }
    }
    if (ctx.log.sink && loop.keepText)
        recordHeadingRows(ctx.simulation, ctx.log.processRows);
    loop.compiled.clear();
    showInProcessPaneAlways(ctx.log, loop.cycleLog);
    loop.dropEntry();
}
