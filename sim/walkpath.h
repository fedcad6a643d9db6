#pragma once
// Where each diagram went in each cycle: the state it stands in once the cycle is over,
// and the boxes and links its walks passed through, gathered while the cycles run.

#include <QVector>
#include <QtGlobal>
#include <compare>
#include <vector>

// A box by its position in the box tables (-1 for none) and its ID (0 for none).
struct BoxRef {
    qint32 it = -1;
    qint32 id = 0;

    bool isValid() const { return it >= 0; }
    friend bool operator==(const BoxRef &, const BoxRef &) = default;
};

// Which link of its box a walk followed; a connector leads on to the box drawn under its
// name, which it stands for.
enum class PathLinkKind { Next, Next0, Next1, ConnectorJump };

struct PathLink {
    qint32 from = -1;  // box positions
    qint32 to = -1;
    PathLinkKind kind = PathLinkKind::Next;

    friend auto operator<=>(const PathLink &, const PathLink &) = default;
};

struct DiagramPath {
    BoxRef state;               // the state after the cycle; invalid when there is none
    QVector<qint32> boxes;      // positions, sorted, each once
    QVector<PathLink> links;    // sorted, each once
};

// One cycle: an entry per diagram (parent column), in parent order.
struct CyclePath {
    QVector<DiagramPath> diagrams;
    // The run had recorded as many boxes and links as it keeps: this cycle holds only
    // the states.
    bool cut = false;
};

// Gathers the walks of the cycle being simulated, column by column, and closes each
// cycle into its sets. Walks go round the same boxes over and over (a settling walks a
// diagram many times a cycle), so each box and link is kept once as it is added: a mark
// per box, and per box and link kind, says whether this cycle has it already, and
// closing a cycle reads the marks in box order instead of sorting.
class PathRecorder {
public:
    // Total boxes and links a run keeps over all its cycles and diagrams.
    static constexpr qsizetype kMaxEntries = 2'000'000;

    void start(int columns, int boxCount);
    void addBox(int column, qint32 pos);
    // The walk went from one box to the next: the link and the box reached.
    void addStep(int column, qint32 from, qint32 to, PathLinkKind kind);
    // Closes cycle `cycle` with each column's state after it; the cycles are closed in
    // order, from 0.
    void closeCycle(qint32 cycle, const QVector<BoxRef> &states);
    const QVector<CyclePath> &cycles() const { return m_cycles; }

private:
    static constexpr int kLinkKinds = 4;

    // Plain vectors: they are appended to at every step of every walk.
    struct Gathered {
        std::vector<qint32> boxes;     // each once, in the order first reached
        std::vector<PathLink> links;   // likewise, unless `unsorted` says otherwise
        // Per box: the gathering that last added it; per box and link kind: the same
        // for the link from it, and the box that link led to. Made on first use (a
        // column whose walks record nothing has none).
        std::vector<quint32> boxMarks;
        std::vector<quint32> linkMarks;
        std::vector<qint32> linkTargets;
        // A box outside the tables, or two links of one kind from one box to different
        // boxes: the marks cannot tell, so the lists may hold repeats and are sorted.
        bool unsorted = false;
    };
    Gathered *gathered(int column)
    {
        return column >= 0 && size_t(column) < m_gathered.size() ? &m_gathered[size_t(column)] : nullptr;
    }
    void prepareMarks(Gathered &g) const;
    void gatherBox(Gathered &g, qint32 pos);
    bool inTable(qint32 pos) const { return pos >= 0 && pos < m_boxCount; }
    QVector<qint32> closedBoxes(Gathered &g) const;
    QVector<PathLink> closedLinks(Gathered &g) const;

    std::vector<Gathered> m_gathered;
    QVector<CyclePath> m_cycles;
    int m_boxCount = 0;
    quint32 m_gathering = 1;  // the cycle being gathered; marks of older ones are stale
    qsizetype m_kept = 0;
};
