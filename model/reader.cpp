#include "model/reader.h"

#include "app/messagelog.h"
#include "app/simstate.h"

namespace {

// Empties the tables of the previous run and gives the text matrices their shape. The
// reset also empties the error list, so a failure to open the output file, found just
// before, is recorded again: the summary must still show it.
void beginReading(SimState &state)
{
    resetDesignModel(state);
    state.model.boxCount = 0;
    rebuildTextMatrices(state.model);
    if (state.log.outputOpenFailed)
        logMessage(state, kOutputOpenError, LogError);
}

} // namespace

void LecturaArchivo(SimState &state, const QString &path)
{
    Q_UNUSED(path);
    beginReading(state);
    // The line-by-line reading of the design file builds on this start.
}
