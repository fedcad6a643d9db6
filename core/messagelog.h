#pragma once
// The errors and warnings of a run, the output file, and the two ways of showing lines.

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>

class PaneSink;
struct SimState;

inline const QString kDefaultOutputFileName = QStringLiteral("OutFileSimulation.txt");
inline const QString kOutputOpenError = QStringLiteral("Error! Fallo al abrir el archivo de salida");

struct MessageLog {
    QStringList errorList;
    QStringList warningList;

    // The output file keeps its name for the life of the state; each run opens
    // (truncating) and closes it. It always holds exactly the output pane's lines.
    QFile outputFile{kDefaultOutputFileName};
    QTextStream outputStream{&outputFile};
    bool outputOpenFailed = false;

    PaneSink *sink = nullptr;  // where lines are shown; not owned
};

enum LogKind : int { LogSummary = 0, LogError = 1, LogWarning = 2 };

// Kind 1 records an error, kind 2 a warning, kind 0 shows the summary (the message is
// then ignored); any other kind does nothing.
void logMessage(SimState &state, const QString &message, int kind);

// Writes each line to the output file, each followed by a line feed.
void writeLinesToOutput(SimState &state, const QStringList &lines);

// Shows lines in the output pane and writes them to the output file.
void showInOutputPane(SimState &state, const QStringList &lines);
// Shows lines in the output pane without writing them to the output file; for the one
// report whose file layout differs from its pane layout.
void showInOutputPaneOnly(SimState &state, const QStringList &lines);
// Shows lines in the process pane only.
void showInProcessPane(SimState &state, const QStringList &lines);
