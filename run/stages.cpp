#include "run/stages.h"

#include "model/boxtypeindex.h"
#include "model/hierarchy.h"
#include "model/readdatareport.h"
#include "model/reader.h"
#include "model/signallistreport.h"
#include "run/runreset.h"
#include "run/simstate.h"
#include "sim/cycleloop.h"
#include "sim/declarativesimulation.h"
#include "sim/operativestart.h"
#include "sim/presimulation.h"
#include "sim/tablereport.h"
#include "sim/verificationcheck.h"
#include "sim/verificationlist.h"

namespace {

struct StageEntry {
    Stage stage;
    const char *name;
    void (*run)(SimState &state, const QString &path);
};

void read(SimState &s, const QString &path)
{
    resetForRun(s);
    readDesignFile(s.model, s.log, path);
}

void checkAndCount(SimState &s, const QString &)
{
    const VerificationTotals totals = checkVerifications(s.model, s.simulation, s.log);
    s.simulation.correctVerifications = totals.correct;
    s.simulation.wrongVerifications = totals.wrong;
}

// Every stage of a run, in order.
constexpr StageEntry kStages[] = {
    {Stage::Read, "read", read},
    {Stage::ReadReport, "readReport", [](SimState &s, const QString &) { reportReadData(s.model, s.log); }},
    {Stage::BoxTypeIndex, "boxTypeIndex", [](SimState &s, const QString &) { buildBoxTypeIndex(s.model, s.log); }},
    {Stage::ParentBoxes, "parentBoxes", [](SimState &s, const QString &) { findParentBoxes(s.model, s.log); }},
    {Stage::Declarations, "declarations",
     [](SimState &s, const QString &) { runDeclarativeSimulation(s.declaration()); }},
    {Stage::SignalList, "signalList", [](SimState &s, const QString &) { reportSignalList(s.signalTable, s.log); }},
    {Stage::OperativeStart, "operativeStart",
     [](SimState &s, const QString &) { startOperativeSimulation(s.model, s.log); }},
    {Stage::StateReport, "stateReport", [](SimState &s, const QString &) { reportHeadersAndStates(s.model, s.log); }},
    {Stage::Presimulation, "presimulation",
     [](SimState &s, const QString &) { runPresimulation(s.simulationContext()); }},
    {Stage::Cycles, "cycles", [](SimState &s, const QString &) { runSimulationCycles(s.simulationContext()); }},
    {Stage::TableReport, "tableReport",
     [](SimState &s, const QString &) { reportSimulationTable(s.simulation, s.signalTable.simCycle, s.log); }},
    {Stage::VerificationList, "verificationList",
     [](SimState &s, const QString &) { reportVerificationList(s.model, s.log); }},
    {Stage::VerificationCheck, "verificationCheck", checkAndCount},
};

} // namespace

QString stageName(Stage stage)
{
    for (const StageEntry &entry : kStages)
        if (entry.stage == stage)
            return QLatin1String(entry.name);
    return QString();
}

void runStages(SimState &state, const QString &path, Stage last)
{
    for (const StageEntry &entry : kStages) {
        entry.run(state, path);
        if (entry.stage == last)
            break;
    }
}
