// State boxes the state table never lists: the run is never in them.

#include "check/checkcontext.h"
#include "check/diagramgraph.h"
#include "check/statewalkreplay.h"
#include "model/diagramwalk.h"

#include <QSet>

namespace {

// The table has a row for every state the walk meets up to its room; the first one past
// it, and every one after, is never a state of the run. A ring of plain Next links fills
// the table too, and is reported as a ring.
bool checkTableRoom(const CheckContext &context, int column, DesignWarnings &warnings)
{
    const StateWalkReplay replay = replayStateWalk(context.model, context.model.parentIts.at(column));
    if (replay.firstLeftOut < 0)
        return false;
    if (!inPlainNextRing(context.model, replay.firstLeftOut)) {
        warnings << context.warningAt(replay.firstLeftOut, QStringLiteral("tabla-llena"),
                                      QStringLiteral("la tabla de estados del diagrama ya tiene sus %1 filas: este "
                                                     "estado y los que le siguen no entran, y la simulación nunca "
                                                     "llega a ellos")
                                          .arg(kStateRows));
    }
    return true;
}

} // namespace

void checkStateTable(const CheckContext &context, DesignWarnings &warnings)
{
    const DesignModel &m = context.model;
    QSet<int> reported;
    for (int column = 0; column < context.parentCount(); ++column) {
        // A diagram that is neither design nor test bench is not simulated at all.
        if (!context.isDesignColumn(column) && !context.isTestBenchColumn(column))
            continue;
        if (checkTableRoom(context, column, warnings))
            continue;
        const QVector<int> listed = context.listedStates(column);
        for (int pos = 0; pos < m.boxIds.size(); ++pos) {
            if (!context.reachable.at(column).at(pos) || !isStateBox(m, pos) || listed.contains(pos)
                || reported.contains(pos))
                continue;
            reported << pos;
            const QString text =
                context.isTestBenchColumn(column)
                    ? QStringLiteral("la tabla de estados no lista este estado del test bench: el test bench nunca "
                                     "lo ejecuta")
                    : QStringLiteral("la tabla de estados no lista este estado: la simulación nunca está en él");
            warnings << context.warningAt(pos, QStringLiteral("estado-no-listado"), text);
        }
    }
}
