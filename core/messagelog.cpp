#include "core/messagelog.h"

#include "core/panesink.h"

void logMessage(MessageLog &log, const QString &message, LogKind kind)
{
    switch (kind) {
    case LogError:
        log.errorList << message;
        break;
    case LogWarning:
        log.warningList << message;
        break;
    case LogSummary:
        showInOutputPane(log, {QStringLiteral("\n//-------------- WARNINGS Y ERRORES --------------//")});
        showInOutputPane(log, log.warningList);
        showInOutputPane(log, log.errorList);
        showInOutputPane(log, {QStringLiteral("Numero de Warnings: %1").arg(log.warningList.size()),
                               QStringLiteral("Numero de Errores: %1").arg(log.errorList.size())});
        break;
    default:
        break;
    }
}

void writeLinesToOutput(MessageLog &log, const QStringList &lines)
{
    if (!log.outputFile.isOpen())
        return;
    for (const QString &line : lines)
        log.outputStream << line << '\n';
}

void showInOutputPane(MessageLog &log, const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    if (log.sink)
        log.sink->appendToOutputPane(lines);
    writeLinesToOutput(log, lines);
}

void showInOutputPaneOnly(MessageLog &log, const QStringList &lines)
{
    if (!lines.isEmpty() && log.sink)
        log.sink->appendToOutputPane(lines);
}

void showInProcessPaneAlways(MessageLog &log, const QStringList &lines)
{
    if (lines.isEmpty() || !log.sink || !log.tracing)
        return;
    log.sink->appendToProcessPane(lines);
    for (const QString &line : lines)
        log.processRows += paneRows(line);
}

void showInProcessPane(MessageLog &log, const QStringList &lines)
{
    if (lines.isEmpty() || !log.sink || !log.tracing)
        return;
    if (log.traceLinesLeftOut > 0) {
        log.traceLinesLeftOut += lines.size();
        return;
    }
    qsizetype fitting = 0;
    for (const QString &line : lines) {
        if (line.size() > log.traceRoom - log.traceShown)
            break;
        log.traceShown += line.size();
        ++fitting;
    }
    log.traceLinesLeftOut = lines.size() - fitting;
    showInProcessPaneAlways(log, fitting == lines.size() ? lines : lines.mid(0, fitting));
}

void showTraceLeftOutNote(MessageLog &log)
{
    if (log.traceLinesLeftOut > 0)
        showInProcessPaneAlways(log, {QStringLiteral("\n//Traza demasiado larga: %1 lineas mas no se muestran")
                                          .arg(log.traceLinesLeftOut)});
}

qint64 paneRows(const QString &item)
{
    return item.count(QLatin1Char('\n')) + 1;
}

void clearPanes(MessageLog &log)
{
    log.processRows = 0;
    log.traceShown = 0;
    log.traceLinesLeftOut = 0;
    if (!log.sink)
        return;
    log.sink->clearProcessPane();
    log.sink->clearOutputPane();
}

bool sinkShowsProcessPane(const PaneSink *sink)
{
    return sink && sink->showsProcessPane();
}

