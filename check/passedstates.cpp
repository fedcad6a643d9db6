// A state's walk ends at the next row's state, back at its own state, or at a connector;
// any other state box on the way is passed through in the same cycle.

#include "check/checkcontext.h"
#include "check/diagramgraph.h"
#include "model/diagramwalk.h"

#include <QSet>

namespace {

// The box at which the walk from the state at row `row` stops: the next row's state, or,
// when no row follows, the last other box named as the state (-1 when there is none).
int stopOfRow(const DesignModel &m, const QVector<int> &listed, int row)
{
    if (row + 1 < listed.size())
        return listed.at(row + 1);
    const int start = listed.at(row);
    const QString name = firstTextLine(m, start);
    int stop = -1;
    for (int pos = 0; pos < m.boxIds.size(); ++pos) {
        if (firstTextLine(m, pos) == name && boxIdAt(m, pos) != boxIdAt(m, start))
            stop = pos;
    }
    return stop;
}

// The state boxes that the walk from start can meet before it ends, taking either exit
// of every decision.
QVector<int> statesPassed(const DesignModel &m, int start, int stop)
{
    QVector<int> passed;
    QSet<int> seen;
    QVector<qint32> links{boxLinksAt(m, start).next};
    while (!links.isEmpty()) {
        const int w = boxWithId(m, links.takeLast());
        // A link to no box cuts the walk (reported as a link); the stop, the start and a
        // connector end it.
        if (w < 0 || w == stop || w == start || isConnectorBox(m, w) || seen.contains(w))
            continue;
        seen << w;
        if (isStateBox(m, w)) {
            passed << w;
            continue;
        }
        const BoxLinks next = boxLinksAt(m, w);
        if (boxTypeAt(m, w) == BoxType::Decision)
            links << next.next1 << next.next0;
        else
            links << next.next;
    }
    return passed;
}

} // namespace

void checkPassedStates(const CheckContext &context, DesignWarnings &warnings)
{
    const DesignModel &m = context.model;
    QSet<QPair<int, int>> reported;
    for (int column = 0; column < context.parentCount(); ++column) {
        if (!context.isDesignColumn(column))
            continue;
        const QVector<int> listed = context.listedStates(column);
        for (int row = 0; row < listed.size(); ++row) {
            const int start = listed.at(row);
            // The run always starts a state from the first row that lists it; a connector
            // is never a state of its own.
            if (listed.indexOf(start) != row || isConnectorBox(m, start))
                continue;
            for (int passed : statesPassed(m, start, stopOfRow(m, listed, row))) {
                // A state the table does not list is reported as such.
                if (!listed.contains(passed) || reported.contains({start, passed}))
                    continue;
                reported.insert({start, passed});
                warnings << context.warningAt(
                    passed, QStringLiteral("paso-por-estado"),
                    QStringLiteral("desde el estado «%1» (línea %2) un camino llega a este estado sin pasar por un "
                                   "conector: la simulación lo atraviesa en el mismo ciclo, sin detenerse en él")
                        .arg(firstTextLine(m, start))
                        .arg(context.idLine(start)));
            }
        }
    }
}
