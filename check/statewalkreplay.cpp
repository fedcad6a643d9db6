#include "check/statewalkreplay.h"

#include "core/simstate.h"
#include "model/diagramwalk.h"

namespace {

class ReplayWalk : public DiagramWalk {
public:
    explicit ReplayWalk(SimState &state) : DiagramWalk(state) {}

    StateWalkReplay replay;

protected:
    // Records as the state table does, and like it ends the walk at the entry it has no
    // row for.
    bool entered(int, int to) override
    {
        if (!isStateType(boxTypeAt(m_state.model, to)))
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
    // The walk marks boxes and reports what it cannot find: it gets a state of its own.
    SimState scratch;
    scratch.model = model;
    ReplayWalk walk(scratch);
    walk.walk(root);
    return walk.replay;
}
