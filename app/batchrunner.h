#pragma once
// The batch runner: runs a design the way Run does in the window, from a command line.

#include <QString>
#include <QStringList>

struct SimState;

struct BatchOptions {
    QString designPath;
    QString outputPath;   // empty: the default output file in the working directory
    QString processPath;  // empty: the process pane is not written
    bool quiet = false;
    bool help = false;
};

enum BatchExit : int { ExitClean = 0, ExitFindings = 1, ExitUsage = 2 };

// Reads the arguments (without the program name). On a wrong argument returns false
// and sets error to a one-line message.
bool parseBatchArguments(const QStringList &args, BatchOptions &options, QString &error);

QString batchUsage();

// 0 when the run recorded no error and no verification was wrong, 1 otherwise.
int batchExitCode(const SimState &state);

// Runs the whole command: arguments to exit code, writing to the given streams.
int runBatch(const QStringList &args, FILE *out, FILE *err);
