#include "run/rundriver.h"

#include "core/messagelog.h"
#include "core/panesink.h"
#include "run/collectresults.h"
#include "run/simstate.h"
#include "run/stages.h"

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

} // namespace

RunResults runSimulation(SimState &state, const QString &path)
{
    state.simulatedFileName = path;
    state.log.tracing = sinkShowsProcessPane(state.log.sink);
    state.log.outputOpenFailed = !openOutputFile(state);
    if (state.log.outputOpenFailed)
        logMessage(state.log, kOutputOpenError, LogError);
    showStatus(state, QStringLiteral("Simulando el archivo seleccionado"));
    clearPanes(state.log);
    showInProcessPaneAlways(state.log, {QStringLiteral("//Simulando el archivo con direccion: "), path, kRule});

    runStages(state, path);

    showInProcessPaneAlways(state.log, {QStringLiteral("\nNumero de ciclos de simulacion: %1")
                                        .arg(state.signalTable.simCycle)});
    showTraceLeftOutNote(state.log);
    logMessage(state.log, QString(), LogSummary);
    state.log.traceLines.clear();
    closeOutputFile(state);
    return collectRunResults(state);
}

void RunStateDeleter::operator()(SimState *state) const
{
    delete state;
}

RunStateHandle makeRunState(PaneSink *sink)
{
    return RunStateHandle(new SimState(sink));
}
