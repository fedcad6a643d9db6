#include "sim/walkpath.h"

#include "core/limits.h"

#include <algorithm>

namespace {

template<typename T> void sortUnique(QVector<T> &list)
{
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
}

// Below this many entries per box of the design, sorting the few entries beats reading
// every box's mark.
constexpr qsizetype kSortBelowOneIn = 16;

// Appends to a list the marks cannot keep free of repeats; past a bound that leaves
// room for every distinct entry twice over, the repeats are dropped, so a compaction at
// least halves the list.
template<typename T> void appendUnmarked(QVector<T> &list, const T &entry, qsizetype bound)
{
    list.append(entry);
    if (list.size() > bound)
        sortUnique(list);
}

} // namespace

void PathRecorder::start(int columns, int boxCount)
{
    m_gathered = QVector<Gathered>(qMax(columns, 0));
    m_cycles.clear();
    m_kept = 0;
    m_boxCount = qMax(boxCount, 0);
    m_gathering = 1;
}

PathRecorder::Gathered *PathRecorder::gathered(int column)
{
    return column >= 0 && column < m_gathered.size() ? &m_gathered[column] : nullptr;
}

// Only the columns whose walks record anything get marks.
void PathRecorder::prepareMarks(Gathered &g) const
{
    if (g.boxMarks.size() == m_boxCount)
        return;
    g.boxMarks.fill(0, m_boxCount);
    g.linkMarks.fill(0, qsizetype(m_boxCount) * kLinkKinds);
    g.linkTargets.fill(-1, qsizetype(m_boxCount) * kLinkKinds);
}

void PathRecorder::addBox(int column, qint32 pos)
{
    Gathered *g = gathered(column);
    if (!g)
        return;
    if (!inTable(pos)) {
        appendUnmarked(g->boxes, pos, 2 * qsizetype(m_boxCount) + 64);
        g->unsorted = true;
        return;
    }
    prepareMarks(*g);
    quint32 &mark = g->boxMarks[pos];
    if (mark == m_gathering)
        return;
    mark = m_gathering;
    g->boxes.append(pos);
}

void PathRecorder::addStep(int column, qint32 from, qint32 to, PathLinkKind kind)
{
    Gathered *g = gathered(column);
    if (!g)
        return;
    addBox(column, to);
    const PathLink link{from, to, kind};
    const int kindIndex = int(kind);
    const qsizetype linkBound = 2 * kLinkKinds * qsizetype(m_boxCount) + 64;
    if (!inTable(from) || kindIndex < 0 || kindIndex >= kLinkKinds) {
        appendUnmarked(g->links, link, linkBound);
        g->unsorted = true;
        return;
    }
    prepareMarks(*g);
    const qsizetype slot = qsizetype(from) * kLinkKinds + kindIndex;
    if (g->linkMarks.at(slot) == m_gathering) {
        if (g->linkTargets.at(slot) == to)
            return;
        g->unsorted = true;
    }
    g->linkMarks[slot] = m_gathering;
    g->linkTargets[slot] = to;
    if (g->unsorted)
        appendUnmarked(g->links, link, linkBound);
    else
        g->links.append(link);
}

// The boxes of the cycle, sorted, each once.
QVector<qint32> PathRecorder::closedBoxes(Gathered &g) const
{
    if (g.unsorted || g.boxes.size() * kSortBelowOneIn < m_boxCount) {
        sortUnique(g.boxes);
        return QVector<qint32>(g.boxes.cbegin(), g.boxes.cend());
    }
    QVector<qint32> boxes;
    boxes.reserve(g.boxes.size());
    for (qint32 pos = 0; pos < m_boxCount; ++pos)
        if (g.boxMarks.at(pos) == m_gathering)
            boxes.append(pos);
    return boxes;
}

// The links of the cycle, sorted, each once. Reading the marks in box order gives them
// sorted by the box they leave; the few that leave one box are sorted among themselves.
QVector<PathLink> PathRecorder::closedLinks(Gathered &g) const
{
    if (g.unsorted || g.links.size() * kSortBelowOneIn < m_boxCount) {
        sortUnique(g.links);
        return QVector<PathLink>(g.links.cbegin(), g.links.cend());
    }
    QVector<PathLink> links;
    links.reserve(g.links.size());
    for (qint32 from = 0; from < m_boxCount; ++from) {
        const qsizetype first = links.size();
        for (int kind = 0; kind < kLinkKinds; ++kind) {
            const qsizetype slot = qsizetype(from) * kLinkKinds + kind;
            if (g.linkMarks.at(slot) == m_gathering)
                links.append(PathLink{from, g.linkTargets.at(slot), PathLinkKind(kind)});
        }
        if (links.size() - first > 1)
            std::sort(links.begin() + first, links.end());
    }
    return links;
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
        QVector<qint32> boxes = closedBoxes(g);
        QVector<PathLink> links = closedLinks(g);
        if (m_kept + boxes.size() + links.size() > kMaxEntries) {
            path.cut = true;
        } else {
            m_kept += boxes.size() + links.size();
            d.boxes = std::move(boxes);
            d.links = std::move(links);
        }
        // Emptied, not freed: the next cycle appends into the same room.
        g.boxes.clear();
        g.links.clear();
        g.unsorted = false;
    }
    // Every mark set so far now belongs to a closed cycle.
    ++m_gathering;
}
