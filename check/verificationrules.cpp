// Verifications the check cannot compare: of a signal no diagram declares, or at a cycle
// the simulation never reaches.

#include "check/checkcontext.h"
#include "check/diagramgraph.h"
#include "check/testbenchlines.h"
#include "check/testbenchtimeline.h"
#include "model/diagramwalk.h"
#include "sim/simulationstate.h"

#include <QSet>

namespace {

const QString kNoText = QStringLiteral("null");

void checkNames(const CheckContext &context, int pos, DesignWarnings &warnings)
{
    const SignalTable &table = context.design.signalTable;
    for (int row = 0; row < kTextDownRows; ++row) {
        const QString text = textCell(context.model.textDownMatrix, row, pos);
        if (text == kNoText)
            break;
        const TestBenchLine line = readTestBenchLine(text);
        if (!line.verification || (!line.signal.isEmpty() && table.isDeclared(line.signal)))
            continue;
        const QString named = line.signal.isEmpty()
                                  ? QStringLiteral("no nombra ninguna señal")
                                  : QStringLiteral("nombra %1, que ningún diagrama declara").arg(line.signal);
        warnings << context.warningAt(pos, QStringLiteral("verificacion-no-declarada"),
                                      QStringLiteral("la verificación «%1» %2: la comprobación la pasa por alto sin "
                                                     "contarla")
                                          .arg(text, named));
    }
}

// With one test bench, its states follow one another as the table lists them; with
// several they share one position, and their timing is left alone.
void checkCycles(const CheckContext &context, int column, DesignWarnings &warnings)
{
    const TestBenchTimeline timeline = testBenchTimeline(context.model, column);
    // Past the table's last row the check reports the verification itself.
    if (timeline.endCycle >= kLastSimulationRow)
        return;
    QSet<QPair<int, QString>> reported;
    for (const TimedVerification &v : timeline.verifications) {
        if (v.cycle <= timeline.endCycle || v.cycle > kLastSimulationRow || reported.contains({v.pos, v.line}))
            continue;
        reported.insert({v.pos, v.line});
        warnings << context.warningAt(v.pos, QStringLiteral("verificacion-tras-fin"),
                                      QStringLiteral("la verificación «%1» es del ciclo %2, pero el test bench termina "
                                                     "en el ciclo %3: la simulación no llega a ese ciclo y compara el "
                                                     "valor con -1")
                                          .arg(v.line)
                                          .arg(v.cycle)
                                          .arg(timeline.endCycle));
    }
}

} // namespace

void checkVerifications(const CheckContext &context, DesignWarnings &warnings)
{
    QVector<int> testBenches;
    for (int column = 0; column < context.parentCount(); ++column)
        if (context.isTestBenchColumn(column))
            testBenches << column;
    QSet<int> named;
    for (int column : testBenches) {
        for (int pos : context.listedStates(column)) {
            if (boxTypeAt(context.model, pos) != BoxType::StateAsyncOps || named.contains(pos))
                continue;
            named << pos;
            checkNames(context, pos, warnings);
        }
    }
    if (testBenches.size() == 1)
        checkCycles(context, testBenches.first(), warnings);
}
