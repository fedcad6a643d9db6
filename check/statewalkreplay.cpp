#include "check/statewalkreplay.h"

#include "core/messagelog.h"
#include "model/diagramwalk.h"

namespace {

class ReplayWalk : public DiagramWalk {
public:
    ReplayWalk(DesignModel &model, MessageLog &log) : DiagramWalk(model, log) {}

    StateWalkReplay replay;

protected:
    // Records as the state table does, and like it ends the walk at the entry it has no
    // row for.
    bool entered(int, int to) override
    {
        if (!isStateType(boxTypeAt(m_model, to)))
            return true;
        if (replay.stateEntries.size() >= kStateRows) {
            replay.firstLeftOut = to;
            return false;
        }
        replay.stateEntries << to;
        ++m_recorded;
        return true;
    }
};

} // namespace

StateWalkReplay replayStateWalk(const DesignModel &model, int root)
{
    // The walk marks boxes and reports what it cannot find: it gets tables and a log of
    // its own.
    DesignModel scratch = model;
    MessageLog log;
    ReplayWalk walk(scratch, log);
    walk.walk(root);
    return walk.replay;
}
