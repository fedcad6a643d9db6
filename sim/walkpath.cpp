#include "sim/walkpath.h"

#include "core/limits.h"

#include <algorithm>

namespace {

template<typename List> void sortUnique(List &list)
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
template<typename T> void appendUnmarked(std::vector<T> &list, const T &entry, size_t bound)
{
    list.push_back(entry);
    if (list.size() > bound)
        sortUnique(list);
}

template<typename T> QVector<T> toQVector(const std::vector<T> &list)
{
    return QVector<T>(list.cbegin(), list.cend());
}

} // namespace

void PathRecorder::start(int columns, int boxCount)
{
    m_gathered.assign(size_t(qMax(columns, 0)), Gathered{});
    m_cycles.clear();
    m_kept = 0;
    m_boxCount = qMax(boxCount, 0);
    m_gathering = 1;
}

// Only the columns whose walks record anything get marks.
void PathRecorder::prepareMarks(Gathered &g) const
{
    g.boxMarks.assign(size_t(m_boxCount), 0);
    g.linkMarks.assign(size_t(m_boxCount) * kLinkKinds, 0);
    g.linkTargets.assign(size_t(m_boxCount) * kLinkKinds, -1);
}

inline void PathRecorder::gatherBox(Gathered &g, qint32 pos)
{
    if (!inTable(pos)) {
        appendUnmarked(g.boxes, pos, 2 * size_t(m_boxCount) + 64);
        g.unsorted = true;
        return;
    }
    if (g.boxMarks.size() != size_t(m_boxCount)) [[unlikely]]
        prepareMarks(g);
    quint32 &mark = g.boxMarks[size_t(pos)];
    if (mark == m_gathering)
        return;
    mark = m_gathering;
    g.boxes.push_back(pos);
}

void PathRecorder::addBox(int column, qint32 pos)
{
    if (Gathered *g = gathered(column))
        gatherBox(*g, pos);
}

void PathRecorder::addStep(int column, qint32 from, qint32 to, PathLinkKind kind)
{
    Gathered *g = gathered(column);
    if (!g)
        return;
    gatherBox(*g, to);
    const PathLink link{from, to, kind};
    const int kindIndex = int(kind);
    const size_t linkBound = 2 * kLinkKinds * size_t(m_boxCount) + 64;
    if (!inTable(from) || kindIndex < 0 || kindIndex >= kLinkKinds) {
        appendUnmarked(g->links, link, linkBound);
        g->unsorted = true;
        return;
    }
    if (g->boxMarks.size() != size_t(m_boxCount)) [[unlikely]]
        prepareMarks(*g);
    const size_t slot = size_t(from) * kLinkKinds + size_t(kindIndex);
    if (g->linkMarks[slot] == m_gathering) {
        if (g->linkTargets[slot] == to)
            return;
        g->unsorted = true;
    }
    g->linkMarks[slot] = m_gathering;
    g->linkTargets[slot] = to;
    if (g->unsorted)
        appendUnmarked(g->links, link, linkBound);
    else
        g->links.push_back(link);
}

// The boxes of the cycle, sorted, each once.
QVector<qint32> PathRecorder::closedBoxes(Gathered &g) const
{
    if (g.unsorted || qsizetype(g.boxes.size()) * kSortBelowOneIn < m_boxCount) {
        sortUnique(g.boxes);
        return toQVector(g.boxes);
    }
    QVector<qint32> boxes(qsizetype(g.boxes.size()));
    qint32 *to = boxes.data();
    const quint32 *marks = g.boxMarks.data();
    for (qint32 pos = 0; pos < m_boxCount; ++pos)
        if (marks[pos] == m_gathering)
            *to++ = pos;
    return boxes;
}

// The links of the cycle, sorted, each once. Reading the marks in box order gives them
// sorted by the box they leave; the few that leave one box are sorted among themselves.
QVector<PathLink> PathRecorder::closedLinks(Gathered &g) const
{
    if (g.unsorted || qsizetype(g.links.size()) * kSortBelowOneIn < m_boxCount) {
        sortUnique(g.links);
        return toQVector(g.links);
    }
    QVector<PathLink> links(qsizetype(g.links.size()));
    PathLink *to = links.data();
    const quint32 *marks = g.linkMarks.data();
    const qint32 *targets = g.linkTargets.data();
    for (qint32 from = 0; from < m_boxCount; ++from) {
        PathLink *const first = to;
        for (int kind = 0; kind < kLinkKinds; ++kind) {
            const size_t slot = size_t(from) * kLinkKinds + size_t(kind);
            if (marks[slot] == m_gathering)
                *to++ = PathLink{from, targets[slot], PathLinkKind(kind)};
        }
        if (to - first > 1)
            std::sort(first, to);
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
    path.diagrams.resize(qsizetype(m_gathered.size()));
    for (size_t c = 0; c < m_gathered.size(); ++c) {
        Gathered &g = m_gathered[c];
        DiagramPath &d = path.diagrams[qsizetype(c)];
        d.state = states.value(qsizetype(c));
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
