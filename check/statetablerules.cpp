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

namespace {

bool runsSomething(const DesignModel &m, int pos)
{
    static const QStringList types{QStringLiteral("SyncOps"), QStringLiteral("AsyncOps"),
                                   QStringLiteral("CondSyncOps"), QStringLiteral("CondAsyncOps"),
                                   QStringLiteral("Decision")};
    return isStateBox(m, pos) || types.contains(boxTypeAt(m, pos));
}

// A link to no box or a ring of plain links cuts the walk that would have found the
// diagram's kind; those are reported as such.
bool walkIsCut(const DesignModel &m, const QVector<bool> &reached)
{
    for (int pos = 0; pos < m.boxIds.size(); ++pos) {
        if (!reached.at(pos))
            continue;
        const BoxLinks links = boxLinksAt(m, pos);
        for (qint32 link : {links.next, links.next0, links.next1})
            if (isLink(link) && boxWithId(m, link) < 0)
                return true;
        if (inPlainNextRing(m, pos))
            return true;
    }
    return false;
}

} // namespace

// The cycles simulate a diagram as the test bench when its walk reaches the end of the
// simulation, and as the design when it reaches a connector; any other diagram is
// passed over.
void checkDiagramKinds(const CheckContext &context, DesignWarnings &warnings)
{
    const DesignModel &m = context.model;
    for (int column = 0; column < context.parentCount(); ++column) {
        if (context.isDesignColumn(column) || context.isTestBenchColumn(column))
            continue;
        const QVector<bool> &reached = context.reachable.at(column);
        bool something = false;
        for (int pos = 0; pos < m.boxIds.size(); ++pos)
            something = something || (reached.at(pos) && runsSomething(m, pos));
        if (!something || walkIsCut(m, reached))
            continue;
        warnings << context.warningAt(m.parentIts.at(column), QStringLiteral("diagrama-sin-tipo"),
                                      QStringLiteral("el recorrido de este diagrama no llega ni a un conector ni al fin "
                                                     "de la simulación: la simulación no lo toma por diseño ni por "
                                                     "test bench y nunca ejecuta sus cajas"));
    }
}
