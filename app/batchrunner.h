#pragma once
// The batch runner: runs designs the way Run does in the window, from a command line.
// One design keeps the plain contract (its report on standard output); two or more go
// to the many-designs runner (app/multirunner.h).

#include "core/panesink.h"

#include <QString>
#include <QStringList>
#include <cstdio>

class QFile;
struct RunResults;

struct BatchOptions {
    QStringList designPaths;
    QString outputPath;   // empty: the default output file in the working directory
    QString outputDir;    // empty: not given (the working directory)
    QString processPath;  // a file with one design, a folder with several; empty: none
    QString vcdPath;      // the same
    QString junitPath;    // one file, whatever the number of designs; empty: none
    int jobs = 0;         // designs run at a time; 0: the number of cores
    bool quiet = false;
    bool help = false;
    bool version = false;
};

enum BatchExit : int { ExitClean = 0, ExitFindings = 1, ExitUsage = 2 };

// Reads the arguments (without the program name). On a wrong argument returns false
// and sets error to a one-line message.
bool parseBatchArguments(const QStringList &args, BatchOptions &options, QString &error);

QString batchUsage();
// The program and its version, as --version prints them: "asmsim-cli 0.1".
QString batchVersion();

// 0 when the run recorded no error and no verification was wrong, 1 otherwise.
int batchExitCode(const RunResults &results);

// A design must be a readable file before its run starts. On failure returns false and
// sets error to a one-line message.
bool checkDesignReadable(const QString &path, QString &error);

// Makes the folder (and its parents) when it is missing. On failure returns false and
// sets error to a one-line message naming the option that gave it.
bool prepareOutputFolder(const QString &dir, const QString &option, QString &error);

// A file that a run will write once it is over (VCD, JUnit XML) must be writable before
// the run starts; the check leaves the file as it was. On failure returns false and sets
// error to a one-line message.
bool checkFileWritable(const QString &path, QString &error);

// Shows the output pane on a stream as the lines come (nowhere when out is null), and
// writes the process pane to a file when one is given. Nothing is kept in memory.
class StreamSink : public PaneSink {
public:
    StreamSink(FILE *out, QFile *processFile) : m_out(out), m_process(processFile) {}

    void clearOutputPane() override {}
    void clearProcessPane() override {}
    void appendToOutputPane(const QStringList &lines) override;
    void appendToProcessPane(const QStringList &lines) override;

private:
    FILE *m_out;
    QFile *m_process;
};

// Runs the whole command: arguments to exit code, writing to the given streams.
int runBatch(const QStringList &args, FILE *out, FILE *err);
