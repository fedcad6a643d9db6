#pragma once
// The errors and warnings of a run, the output file, and the two ways of showing lines.

#include "core/limits.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>

class PaneSink;

inline const QString kDefaultOutputFileName = QStringLiteral("OutFileSimulation.txt");
inline const QString kOutputOpenError = QStringLiteral("Error! Fallo al abrir el archivo de salida");

struct MessageLog {
    explicit MessageLog(PaneSink *sink = nullptr) : sink(sink) {}
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    QStringList errorList;
    QStringList warningList;

    // The output file keeps its name for the life of the log; each run opens
    // (truncating) and closes it. It always holds exactly the output pane's lines.
    QFile outputFile{kDefaultOutputFileName};
    QTextStream outputStream{&outputFile};
    bool outputOpenFailed = false;

    // Trace lines of the box-text analysis waiting to be shown in the process pane.
    QStringList traceLines;
    // Whether the process pane's lines are built at all. A run sets it from its sink;
    // off, the trace routines add nothing and the process pane receives nothing.
    bool tracing = true;

    // Rows the process pane has shown since it was last cleared: its items split at line
    // feeds, as the pane shows them. Counted only when there is a pane to show them.
    qint64 processRows = 0;

    // The room of the trace outside the cycle log, the characters of it shown since the
    // panes were cleared, and the lines left out once it was full.
    qint64 traceRoom = kMaxTraceLength;
    qint64 traceShown = 0;
    qint64 traceLinesLeftOut = 0;

    PaneSink *sink = nullptr;  // where lines are shown; not owned
};

// What logMessage does with its message.
enum LogKind : int { LogSummary = 0, LogError = 1, LogWarning = 2 };

// LogError records an error, LogWarning a warning, LogSummary shows the summary (the
// message is then ignored); any other value does nothing.
void logMessage(MessageLog &log, const QString &message, LogKind kind);

// Writes each line to the output file, each followed by a line feed.
void writeLinesToOutput(MessageLog &log, const QStringList &lines);

// Shows lines in the output pane and writes them to the output file.
void showInOutputPane(MessageLog &log, const QStringList &lines);
// Shows lines in the output pane without writing them to the output file; for the one
// report whose file layout differs from its pane layout.
void showInOutputPaneOnly(MessageLog &log, const QStringList &lines);
// Shows lines of the trace in the process pane only, within the trace's room: once a
// line does not fit, it and every later one are counted and left out.
void showInProcessPane(MessageLog &log, const QStringList &lines);
// Shows lines in the process pane whatever the trace's room: the cycle log, which has a
// room of its own, and the run's own heading and closing lines.
void showInProcessPaneAlways(MessageLog &log, const QStringList &lines);
// The closing note of a trace that outgrew its room; nothing when every line was shown.
void showTraceLeftOutNote(MessageLog &log);

// Empties both panes (the process pane first) and starts the count of its rows again.
void clearPanes(MessageLog &log);

// Whether a sink shows what reaches the process pane: false without a sink.
bool sinkShowsProcessPane(const PaneSink *sink);

// The rows one item takes in a pane: one per line, the item split at its line feeds.
qint64 paneRows(const QString &item);

// Pending trace lines: add one, or show them all in the process pane and empty the list.
// Callers that have to build a line test `log.tracing` first, so an untraced run builds
// none.
// Both are inline: the evaluator calls them at every level of every expression, and
// without a trace they do nothing.
inline void traceLine(MessageLog &log, const QString &line)
{
    if (log.tracing)
        log.traceLines << line;
}
inline void flushTrace(MessageLog &log)
{
    if (!log.traceLines.isEmpty()) {
        showInProcessPane(log, log.traceLines);
        log.traceLines.clear();
    }
}
