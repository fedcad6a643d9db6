#pragma once
// The walk through one diagram from its root box, shared by the state table and the
// declarative simulation: it follows Next links, takes Next0 and then Next1 at a
// branching box while their boxes are unvisited, and jumps from a connector box to the
// successor of the box drawn elsewhere under the same name.

#include <QString>
#include <QVector>
#include <optional>

struct DesignModel;
struct SimState;

// The three links of a box: -1 when the box has no such link line, 0 when the line
// names no box, otherwise the successor's ID.
struct BoxLinks {
    qint32 next = -1;
    qint32 next0 = -1;
    qint32 next1 = -1;
};

// Guarded reads of the per-box tables: a position outside a table reads as a box with
// ID 0, no links, no type and no text ("null").
qint32 boxIdAt(const DesignModel &model, int pos);
BoxLinks boxLinksAt(const DesignModel &model, int pos);
QString boxTypeAt(const DesignModel &model, int pos);
QString firstTextLine(const DesignModel &model, int pos);
// A line of a box's text in one of its matrices; outside the matrix it reads as a line
// the box does not have ("null").
QString textCell(const QVector<QVector<QString>> &matrix, int row, int pos);
// An entry of the state tables (stateIds, stateIts); outside them it reads as no state, 0.
qint32 stateCell(const QVector<QVector<qint32>> &matrix, int row, int column);

bool isStateType(const QString &type);

class DiagramWalk {
public:
    enum class Outcome { Ended, TestBenchEnd, EndlessLoop };

    explicit DiagramWalk(SimState &state) : m_state(state) {}
    virtual ~DiagramWalk() = default;

    // Walks the diagram of the box at position root; the visited flags are the walk's
    // scratch and stay set afterwards.
    Outcome walk(int root);

protected:
    SimState &m_state;
    // Stop at a box with Next 0, a Next0 or Next1 of 0 and the text "end simulation".
    bool m_stopsAtTestBenchEnd = false;
    // Entries the walk has recorded so far; a walk that records something on every lap
    // of a loop is bounded by its own table, not cut as endless.
    qint32 m_recorded = 0;

    // The walk has entered box to (already marked visited) coming from box from;
    // returning false ends the walk.
    virtual bool entered(int from, int to) = 0;
    virtual void connectorReached(int) {}
    virtual void connectorMatch(const QString &, bool) {}
    virtual void connectorUnmatched() {}

private:
    QVector<qint32> m_enteredAt;  // per box: progress() when last entered, -1 never
    qint32 m_visitedCount = 0;

    std::optional<qint32> choose(int from, const BoxLinks &links, Outcome &outcome);
    std::optional<qint32> branchTarget(const BoxLinks &links);
    std::optional<qint32> connectorTarget(int connector);
    bool isVisited(int pos) const;
    qint32 progress() const { return m_visitedCount + m_recorded; }
    bool markVisited(int pos);
};
