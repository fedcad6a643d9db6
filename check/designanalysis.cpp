#include "check/designanalysis.h"

#include "core/simstate.h"
#include "model/hierarchy.h"
#include "model/reader.h"
#include "sim/declarativesimulation.h"

#include <memory>

AnalysedDesign analyseDesign(const QString &path)
{
    // No pane sink, and the output file is never opened: the stages' lines go nowhere.
    auto state = std::make_unique<SimState>();
    LecturaArchivo(*state, path);
    findParentBoxes(*state);
    runDeclarativeSimulation(*state);
    buildStateTable(*state);

    AnalysedDesign design;
    design.model = std::move(state->model);
    design.signalTable = std::move(state->signalTable);
    design.errors = state->log.errorList;
    design.warnings = state->log.warningList;
    return design;
}
