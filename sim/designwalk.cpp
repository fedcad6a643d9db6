#include "sim/designwalk.h"

#include "core/messagelog.h"
#include "model/boxaccess.h"
#include "sim/boxexecution.h"
#include "sim/cyclevalues.h"
#include "sim/simcontext.h"

// Latin-1 literals whose length is known when compiling, not counted at every use.
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QStringView kDesignHeading = u" + DISEÑO:\n";

// A walk that follows more links than this is going round a loop with no state in it.
qint64 linkLimit(const DesignModel &m)
{
    return 10 * qint64(m.boxIds.size()) + 1000;
}

// The first row of the design's column, among rows 0 to rows-1, that lists this ID;
// -1 when none does.
int firstRowWithId(const DesignModel &m, int column, qint32 id, int rows)
{
    for (int row = 0; row < rows; ++row)
        if (stateCell(m.stateIds, row, column) == id)
            return row;
    return -1;
}

// The last box position with this ID, or -1; looks quietly, without a warning. Within
// the cycle loop the positions are indexed once.
int lastBoxWithId(const DesignModel &m, CompiledBoxes &compiled, qint32 id)
{
    if (!compiled.active)
        return int(m.boxIds.lastIndexOf(id));
    if (!compiled.idsIndexed) {
        for (int pos = 0; pos < m.boxIds.size(); ++pos)
            compiled.lastBoxWithId.insert(m.boxIds.at(pos), pos);
        compiled.idsIndexed = true;
    }
    return compiled.lastBoxWithId.value(id, -1);
}

void applyDefaultsOfState(const SimContext &ctx, int column)
{
    const DesignModel &m = ctx.model;
    CycleLoopState &loop = ctx.simulation.loop;
    const qint32 stateId = stateCell(m.stateIds, loop.designPosition, column);
    for (int pos = 0; pos < m.boxIds.size(); ++pos) {
        if (boxTypeAt(m, pos) == BoxType::Default && boxLinksAt(m, pos).next == stateId) {
            loop.add("VALORES POR DEFECTO\n"_L1);
            applyDefaultValues(ctx.simulation, ctx.signalTable);
        }
    }
}

// With no next state listed, the stop is another box named as the start state (such as
// a connector); the last one in the file wins. Among the first three rows, the first
// listing it becomes the design position.
void findStopByName(const SimContext &ctx, int column)
{
    const DesignModel &m = ctx.model;
    CycleLoopState &loop = ctx.simulation.loop;
    const QString name = firstTextLine(m, loop.walkStartIt);
    loop.walkStopMissing = true;
    for (int pos = 0; pos < m.boxIds.size(); ++pos) {
        if (firstTextLine(m, pos) != name || boxIdAt(m, pos) == loop.walkStartId)
            continue;
        loop.walkStopId = boxIdAt(m, pos);
        loop.walkStopIt = pos;
        loop.walkStopMissing = false;
        const int row = firstRowWithId(m, column, loop.walkStopId, 3);
        if (row >= 0)
            loop.designPosition = row;
    }
}

// The walk has reached its stop, or a connector, at position w: the stop becomes the
// state box of that name (not a connector, the start included; the last in the file
// wins), and the design position the first row of the whole column listing it. A name
// that only connectors carry changes nothing. A connector's jump to its state is part of
// the cycle's path.
void resynchronise(const SimContext &ctx, int column, int w)
{
    const DesignModel &m = ctx.model;
    CycleLoopState &loop = ctx.simulation.loop;
    const QString name = firstTextLine(m, w);
    int target = -1;
    for (int pos = 0; pos < m.boxIds.size(); ++pos) {
        if (firstTextLine(m, pos) != name || isConnectorBox(m, pos))
            continue;
        loop.walkStopIt = pos;
        loop.walkStopMissing = false;
        target = pos;
        const int row = firstRowWithId(m, column, boxIdAt(m, pos), kStateRows);
        if (row >= 0)
            loop.designPosition = row;
    }
    if (target >= 0 && isConnectorBox(m, w))
        loop.paths.addStep(column, w, target, PathLinkKind::ConnectorJump);
}

// The walk is back at the state it started from: the design stays in the row this pass
// started from.
void backAtStart(CycleLoopState &loop)
{
    loop.designPosition = loop.startDesignPosition;
    loop.closeEntry();
}

void interrupted(const SimContext &ctx, int from, qint32 link)
{
    logMessage(ctx.log,
               QStringLiteral("Error! Recorrido del diseño interrumpido en la caja con ID: %1 (enlace %2)")
                   .arg(boxIdAt(ctx.model, from))
                   .arg(link),
               LogError);
}

} // namespace

void enterDesignState(const SimContext &ctx, int column)
{
    const DesignModel &m = ctx.model;
    CycleLoopState &loop = ctx.simulation.loop;
    applyDefaultsOfState(ctx, column);
    loop.add(kDesignHeading);

    const int r = loop.designPosition;
    loop.startDesignPosition = r;
    loop.walkStartId = stateCell(m.stateIds, r, column);
    loop.walkStartIt = stateCell(m.stateIts, r, column);
    loop.walkStopId = stateCell(m.stateIds, r + 1, column);
    loop.walkStopIt = stateCell(m.stateIts, r + 1, column);
    loop.walkStopMissing = false;
    loop.add("\tState inicio ID: "_L1, Decimal{loop.walkStartId}, ",\tState inicio IT: "_L1,
             Decimal{loop.walkStartIt}, ",\tSTATE TYPE: "_L1, boxTypeLatin1Name(boxTypeAt(m, loop.walkStartIt)),
             "\t     ->"_L1);

    if (loop.walkStopId != 0)
        ++loop.designPosition;
    else
        findStopByName(ctx, column);

    loop.add("\tState paro sin decisiones ID: "_L1, Decimal{loop.walkStopId},
             ",\tState paro sin decisiones IT: "_L1, Decimal{loop.walkStopIt}, ",\tSTATE TYPE: "_L1,
             boxTypeLatin1Name(boxTypeAt(m, loop.walkStopIt)));
    loop.closeEntry();
    loop.designWalked = true;
    loop.enteredDesignPosition = loop.designPosition;
}

void walkDesign(const SimContext &ctx, int column)
{
    const DesignModel &m = ctx.model;
    CycleLoopState &loop = ctx.simulation.loop;
    SignalTable &table = ctx.signalTable;
    table.previous = table.current;

    int from = loop.walkStartIt;  // the box whose link is being followed
    qint32 link = boxLinksAt(m, from).next;
    PathLinkKind via = PathLinkKind::Next;  // which of from's links that is
    loop.paths.addBox(column, from);
    const qint64 limit = linkLimit(m);
    for (qint64 followed = 0;; ++followed) {
        const int w = lastBoxWithId(m, loop.compiled, link);
        if (w < 0 || followed >= limit) {
            interrupted(ctx, from, link);
            return;
        }
        loop.walkPosition = w;
        loop.paths.addStep(column, from, w, via);
        if (!loop.walkStopMissing && w == loop.walkStopIt) {
            if (w == loop.walkStartIt)
                backAtStart(loop);  // the design has stayed in its state
            else
                resynchronise(ctx, column, w);
            return;
        }
        if (w == loop.walkStartIt) {
            backAtStart(loop);
            return;
        }
        // A connector leads to its state: the walk ends there as at the stop.
        if (isConnectorBox(m, w)) {
            resynchronise(ctx, column, w);
            return;
        }

        const BoxType type = boxTypeAt(m, w);
        const BoxLinks links = boxLinksAt(m, w);
        link = links.next;
        from = w;
        loop.add("  - "_L1, boxTypeLatin1Name(type), ": "_L1);
        via = executeWalkBox(ctx, w, type, links.next0, links.next1, link);
    }
}
