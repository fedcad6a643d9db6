#include "check/designanalysis.h"

#include "run/analysis.h"
#include "run/simstate.h"

// The stages up to the state table, on a state of their own: no output file is opened
// and no pane is shown, so the stages' lines go nowhere.
AnalysedDesign analyseDesign(const QString &path)
{
    std::unique_ptr<SimState> state = analyseDesign(RunCarry(), path, Stage::OperativeStart);

    AnalysedDesign design;
    design.model = std::move(state->model);
    design.signalTable = std::move(state->signalTable);
    design.errors = state->log.errorList;
    design.warnings = state->log.warningList;
    return design;
}
