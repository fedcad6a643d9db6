#pragma once
// The walk through one diagram from its root box, shared by the state table and the
// declarative simulation: it follows Next links, takes Next0 and then Next1 at a
// branching box while their boxes are unvisited, and jumps from a connector box to the
// successor of the box drawn elsewhere under the same name.

#include "model/boxaccess.h"

#include <QString>
#include <QVector>
#include <optional>

struct MessageLog;

class DiagramWalk {
public:
    enum class Outcome { Ended, TestBenchEnd, EndlessLoop };

    DiagramWalk(DesignModel &model, MessageLog &log) : m_model(model), m_log(log) {}
    virtual ~DiagramWalk() = default;

    // Walks the diagram of the box at position root; the visited flags are the walk's
    // scratch and stay set afterwards.
    Outcome walk(int root);

protected:
    DesignModel &m_model;
    MessageLog &m_log;
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
