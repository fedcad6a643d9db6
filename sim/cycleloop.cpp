#include "sim/cycleloop.h"

#include "core/messagelog.h"
#include "core/simstate.h"
#include "sim/cyclevalues.h"
#include "sim/designwalk.h"
#include "sim/snapshots.h"
#include "sim/testbenchstep.h"

namespace {

const QString kCycleHeading = QStringLiteral("\n//------------CICLOS DE SIMULACION---------------//");
const QString kNoTestBench = QStringLiteral("WARNING!\t No hay padre de test bench: no se simulan ciclos");

// The columns of the parents of one kind, in parent order.
QVector<int> columnsOfKind(const DesignModel &m, const QString &kind)
{
    QVector<int> columns;
    for (int c = 0; c < m.parentIts.size(); ++c)
        if (m.parentKinds.value(c) == kind)
            columns << c;
    return columns;
}

// A design parent: the values of the last edge become current, then the walk of this
// cycle, unless the test bench has ended.
void handleDesign(SimState &state, int column)
{
    CycleLoopState &loop = state.simulation.loop;
    state.signalTable.current = state.signalTable.next;
    loop.testBenchPending = false;
    if (loop.simulationEnded)
        return;
    enterDesignState(state, column);
    walkDesign(state, column);
}

// Walks the design again while the last walk changed a current value, up to the limit of
// consecutive changing walks. Before any design walk of the run there is nothing to
// settle.
void settle(SimState &state, int designColumn)
{
    SimulationState &sim = state.simulation;
    CycleLoopState &loop = sim.loop;
    const SignalTable &table = state.signalTable;
    const QString cycle = QString::number(table.simCycle);
    for (;;) {
        const bool changed = loop.designWalked && valuesDiffer(table.previous, table.current);
        if (!changed) {
            loop.logEntry += QStringLiteral("\t\tNO CAMBIA EN EL CICLO: ") + cycle + QLatin1Char('\n');
            sim.changedPasses = 0;
            return;
        }
        loop.logEntry += QStringLiteral("\t\tCAMBIA EN EL CICLO: ") + cycle + QStringLiteral("\n\n");
        ++sim.changedPasses;
        if (sim.changedPasses >= kMaxChangedPasses) {
            logMessage(state, QStringLiteral("Error! Bucle infinito en el diseño. CICLO: ") + cycle, LogError);
            return;
        }
        if (loop.cycleLogFull())
            return;
        // The walk starts again from the state this pass entered.
        loop.designPosition = loop.enteredDesignPosition;
        walkDesign(state, designColumn);
    }
}

// The clock edge: the values of this cycle are recorded, the cycle number advances, the
// values of the next cycle are recorded and become current. Returns false when the table
// has no row left for another cycle.
bool clockEdge(SimState &state)
{
    SignalTable &table = state.signalTable;
    saveCycleNow(state, table.simCycle);
    ++table.simCycle;
    saveCycleAfter(state, table.simCycle);
    table.current = table.next;
    if (table.simCycle < kLastSimulationRow)
        return true;
    logMessage(state,
               QStringLiteral("Error! Simulacion detenida en el ciclo %1: ultima fila de la tabla de simulacion")
                   .arg(kLastSimulationRow),
               LogError);
    return false;
}

} // namespace

void runSimulationCycles(SimState &state)
{
    CycleLoopState &loop = state.simulation.loop;
    loop = CycleLoopState{};
    loop.maxCycleLogLength = state.simulation.maxCycleLogLength;
    const QVector<int> testBenches = columnsOfKind(state.model, kTestBenchKind);
    const QVector<int> designs = columnsOfKind(state.model, kDesignKind);
    if (testBenches.isEmpty()) {
        logMessage(state, kNoTestBench, LogWarning);
        return;
    }
    loop.started = true;
    loop.cycleLog << kCycleHeading;
    SignalTable &table = state.signalTable;
    table.next = table.current;
    table.previous = table.current;

    // Every pass either ends the simulation or takes a clock edge, and the table has
    // room for 300 of them, so the loop is bounded by the table.
    for (;;) {
        loop.logEntry += QStringLiteral("CICLO SE SIMULACION NUEVO: %1\n").arg(table.simCycle);
        for (int column : testBenches) {
            loop.testBenchPending = true;
            runTestBenchStep(state, column);
        }
        for (int column : designs)
            handleDesign(state, column);
        settle(state, designs.isEmpty() ? -1 : designs.last());
        if (loop.cycleLogFull()) {
            logMessage(state, QStringLiteral("Error! Registro de ciclos demasiado largo: simulacion detenida en el ciclo %1")
                                  .arg(table.simCycle),
                       LogError);
            break;
        }
        if (loop.simulationEnded || !clockEdge(state))
            break;
    }
    showInProcessPane(state, loop.cycleLog);
    loop.logEntry.clear();
}
