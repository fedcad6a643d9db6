#include "core/messagelog.h"

#include "core/panesink.h"
#include "core/simstate.h"

void logMessage(SimState &state, const QString &message, int kind)
{
    MessageLog &log = state.log;
    switch (kind) {
    case LogError:
        log.errorList << message;
        break;
    case LogWarning:
        log.warningList << message;
        break;
    case LogSummary:
        showInOutputPane(state, {QStringLiteral("\n//-------------- WARNINGS Y ERRORES --------------//")});
        showInOutputPane(state, log.warningList);
        showInOutputPane(state, log.errorList);
        showInOutputPane(state, {QStringLiteral("Numero de Warnings: %1").arg(log.warningList.size()),
                                 QStringLiteral("Numero de Errores: %1").arg(log.errorList.size())});
        break;
    default:
        break;
    }
}

void writeLinesToOutput(SimState &state, const QStringList &lines)
{
    MessageLog &log = state.log;
    if (!log.outputFile.isOpen())
        return;
    for (const QString &line : lines)
        log.outputStream << line << '\n';
}

void showInOutputPane(SimState &state, const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    if (state.log.sink)
        state.log.sink->appendToOutputPane(lines);
    writeLinesToOutput(state, lines);
}

void showInOutputPaneOnly(SimState &state, const QStringList &lines)
{
    if (!lines.isEmpty() && state.log.sink)
        state.log.sink->appendToOutputPane(lines);
}

void showInProcessPane(SimState &state, const QStringList &lines)
{
    if (!lines.isEmpty() && state.log.sink)
        state.log.sink->appendToProcessPane(lines);
}
