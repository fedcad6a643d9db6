#include "model/diagramwalk.h"

#include "core/messagelog.h"

namespace {

const QString kNoText = QStringLiteral("null");
const QString kEndSimulation = QStringLiteral("end simulation");

qint32 entryAt(const QVector<qint32> &table, int pos, qint32 missing)
{
    return pos >= 0 && pos < table.size() ? table.at(pos) : missing;
}

} // namespace

bool DiagramWalk::isVisited(int pos) const
{
    return entryAt(m_model.boxVisited, pos, 0) == 1;
}

// Marks the box visited; true when it was not visited before.
bool DiagramWalk::markVisited(int pos)
{
    QVector<qint32> &visited = m_model.boxVisited;
    if (pos < 0 || pos >= visited.size() || visited.at(pos) == 1)
        return false;
    visited[pos] = 1;
    ++m_visitedCount;
    return true;
}

DiagramWalk::Outcome DiagramWalk::walk(int root)
{
    DesignModel &m = m_model;
    const int boxes = int(m.boxIds.size());
    if (root < 0 || root >= boxes)
        return Outcome::Ended;
    m.boxVisited.fill(0, boxes);
    m_enteredAt.fill(-1, boxes);
    m_visitedCount = 0;
    m_recorded = 0;
    markVisited(root);

    Outcome outcome = Outcome::Ended;
    int from = root;
    BoxLinks links = boxLinksAt(m, root);
    // The first step follows the root's Next whatever it holds.
    std::optional<qint32> target = links.next != -1 ? std::optional<qint32>(links.next)
                                                    : choose(from, links, outcome);
    while (target) {
        const int to = findBoxById(m_model, m_log, *target);
        if (to < 0)
            break;
        // Where the walk goes from a box depends only on that box and on the visited
        // flags. Entering a box again with no box newly visited and nothing recorded
        // since its last entry means the walk would go round the same loop for ever.
        if (!markVisited(to) && m_enteredAt.at(to) == progress()) {
            logMessage(m_log,
                       QStringLiteral("ERROR!\t Bucle sin fin en el diagrama del padre con ID: %1")
                           .arg(boxIdAt(m, root)),
                       LogError);
            return Outcome::EndlessLoop;
        }
        m_enteredAt[to] = progress();
        if (!entered(from, to))
            break;
        from = to;
        links = boxLinksAt(m, to);
        target = choose(from, links, outcome);
    }
    return outcome;
}

// The next box to enter from box from, or nothing when the walk ends there.
std::optional<qint32> DiagramWalk::choose(int from, const BoxLinks &links, Outcome &outcome)
{
    if (links.next == -1)
        return branchTarget(links);
    if (links.next == 0) {
        if (m_stopsAtTestBenchEnd && (links.next0 == 0 || links.next1 == 0)
            && firstTextLine(m_model, from) == kEndSimulation) {
            outcome = Outcome::TestBenchEnd;
            return std::nullopt;
        }
        if (links.next0 != -1 || links.next1 != -1)
            return std::nullopt;
        return connectorTarget(from);
    }
    if (links.next < -1)
        return std::nullopt;
    return links.next;
}

// Next0 while its box is unvisited, then Next1 while its box is unvisited. Both links
// are looked up, so each one that names no box is reported.
std::optional<qint32> DiagramWalk::branchTarget(const BoxLinks &links)
{
    const int pos0 = findBoxById(m_model, m_log, links.next0);
    const int pos1 = findBoxById(m_model, m_log, links.next1);
    const qint32 next0 = pos0 < 0 ? -1 : links.next0;
    const qint32 next1 = pos1 < 0 ? -1 : links.next1;
    if (next0 != -1 && !isVisited(pos0))
        return next0;
    if (next1 == -1 || isVisited(pos1))
        return std::nullopt;
    return next1;
}

// A connector stands for the box drawn elsewhere under the same name (its first text
// line): the walk goes on from that box's Next while every such box is unvisited, the
// last of them winning. A connector without a name stands for no box.
std::optional<qint32> DiagramWalk::connectorTarget(int connector)
{
    const DesignModel &m = m_model;
    connectorReached(connector);
    const QString name = firstTextLine(m, connector);
    int namesake = -1;
    if (name != kNoText) {
        for (int pos = 0; pos < m.boxIds.size(); ++pos) {
            if (pos == connector || firstTextLine(m, pos) != name)
                continue;
            const bool visited = isVisited(pos);
            connectorMatch(name, visited);
            if (visited)
                return std::nullopt;
            namesake = pos;
        }
    }
    if (namesake < 0) {
        connectorUnmatched();
        return std::nullopt;
    }
    return boxLinksAt(m, namesake).next;
}
