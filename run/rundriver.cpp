#include "run/rundriver.h"

#include "core/messagelog.h"
#include "core/panesink.h"
#include "run/runreset.h"
#include "run/simstate.h"
#include "model/boxtypeindex.h"
#include "model/hierarchy.h"
#include "model/readdatareport.h"
#include "model/reader.h"
#include "model/signallistreport.h"
#include "sim/declarativesimulation.h"
#include "sim/presimulation.h"
#include "sim/tablereport.h"
#include "sim/verificationcheck.h"
#include "sim/verificationlist.h"

namespace {

const QString kRule(45, QLatin1Char('-'));

bool openOutputFile(SimState &state)
{
    QFile &file = state.log.outputFile;
    if (file.isOpen())
        file.close();
    state.log.outputStream.reset();
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
}

void closeOutputFile(SimState &state)
{
    state.log.outputStream.flush();
    state.log.outputFile.close();
}

void showStatus(SimState &state, const QString &text)
{
    if (state.log.sink)
        state.log.sink->showStatus(text);
}

void clearPanes(SimState &state)
{
    if (!state.log.sink)
        return;
    state.log.sink->clearProcessPane();
    state.log.sink->clearOutputPane();
}

// The stages of a run, each called once, in this order; none can stop the run.
void runStages(SimState &state, const QString &path)
{
    resetForRun(state);
    readDesignFile(state.model, state.log, path);
    reportReadData(state.model, state.log);
    buildBoxTypeIndex(state.model, state.log);
    findParentBoxes(state.model, state.log);
    runDeclarativeSimulation(state);
    reportSignalList(state.signalTable, state.log);
    runOperativeSimulation(state);
    reportSimulationTable(state);
    reportVerificationList(state);
    const VerificationTotals totals = checkVerifications(state);
    state.simulation.correctVerifications = totals.correct;
    state.simulation.wrongVerifications = totals.wrong;
}

} // namespace

void runSimulation(SimState &state, const QString &path)
{
    state.simulatedFileName = path;
    state.log.outputOpenFailed = !openOutputFile(state);
    if (state.log.outputOpenFailed)
        logMessage(state.log, kOutputOpenError, LogError);
    showStatus(state, QStringLiteral("Simulando el archivo seleccionado"));
    clearPanes(state);
    showInProcessPane(state.log, {QStringLiteral("//Simulando el archivo con direccion: "), path, kRule});

    runStages(state, path);

    showInProcessPane(state.log, {QStringLiteral("\nNumero de ciclos de simulacion: %1")
                                  .arg(state.signalTable.simCycle)});
    logMessage(state.log, QString(), LogSummary);
    state.log.traceLines.clear();
    closeOutputFile(state);
}
