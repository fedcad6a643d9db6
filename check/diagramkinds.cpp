// Diagrams the cycles pass over: neither the test bench nor the design.

#include "check/checkcontext.h"
#include "check/diagramgraph.h"
#include "model/diagramwalk.h"

namespace {

bool runsSomething(const DesignModel &m, int pos)
{
    switch (boxTypeAt(m, pos)) {
    case BoxType::SyncOps:
    case BoxType::AsyncOps:
    case BoxType::CondSyncOps:
    case BoxType::CondAsyncOps:
    case BoxType::Decision:
        return true;
    default:
        return isStateBox(m, pos);
    }
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
