#include "sim/walkpath.h"

#include "core/limits.h"

#include <algorithm>

namespace {

template<typename T> void sortUnique(QVector<T> &list)
{
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
}

} // namespace

void PathRecorder::start(int columns, int boxCount)
{
    m_gathered = QVector<Gathered>(qMax(columns, 0));
    m_cycles.clear();
    m_kept = 0;
    // Twice the most distinct entries a cycle can hold (a box has three links, a
    // connector one jump), so a compaction at least halves the list.
    m_boxLimit = 2 * qsizetype(boxCount) + 64;
    m_linkLimit = 8 * qsizetype(boxCount) + 64;
}

PathRecorder::Gathered *PathRecorder::gathered(int column)
{
    return column >= 0 && column < m_gathered.size() ? &m_gathered[column] : nullptr;
}

void PathRecorder::addBox(int column, qint32 pos)
{
    Gathered *g = gathered(column);
    if (!g)
        return;
    g->boxes.append(pos);
    if (g->boxes.size() > m_boxLimit)
        sortUnique(g->boxes);
}

void PathRecorder::addStep(int column, qint32 from, qint32 to, PathLinkKind kind)
{
    Gathered *g = gathered(column);
    if (!g)
        return;
    addBox(column, to);
    g->links.append(PathLink{from, to, kind});
    if (g->links.size() > m_linkLimit)
        sortUnique(g->links);
}

void PathRecorder::closeCycle(qint32 cycle, const QVector<BoxRef> &states)
{
    if (cycle < 0 || cycle >= kSimulationRows)
        return;
    if (m_cycles.size() <= cycle)
        m_cycles.resize(cycle + 1);
    CyclePath &path = m_cycles[cycle];
    path.diagrams.resize(m_gathered.size());
    for (qsizetype c = 0; c < m_gathered.size(); ++c) {
        Gathered &g = m_gathered[c];
        DiagramPath &d = path.diagrams[c];
        d.state = states.value(c);
        sortUnique(g.boxes);
        sortUnique(g.links);
        if (m_kept + g.boxes.size() + g.links.size() > kMaxEntries) {
            path.cut = true;
        } else {
            m_kept += g.boxes.size() + g.links.size();
            // Copied to their size, so the gathering lists keep their room.
            d.boxes = QVector<qint32>(g.boxes.cbegin(), g.boxes.cend());
            d.links = QVector<PathLink>(g.links.cbegin(), g.links.cend());
        }
        // Emptied, not freed: the next cycle appends into the same room.
        g.boxes.clear();
        g.links.clear();
    }
}
