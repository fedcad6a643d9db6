#pragma once
// The batch runner's command line: its options, its usage text and its exit codes.
//
// The options are read by hand rather than with QCommandLineParser: that parser words its
// own messages ("Unknown option 'x'."), takes "-abc" as three short options and has no
// room for the one-line "asmsim-cli: ... (try --help)" messages scripts already match.

#include <QString>
#include <QStringList>

struct BatchOptions {
    QStringList designPaths;
    QString outputPath;   // empty: the default output file in the working directory
    QString outputDir;    // empty: not given (the working directory)
    QString processPath;  // a file with one design, a folder with several; empty: none
    QString vcdPath;      // the same
    QString junitPath;    // one file, whatever the number of designs; empty: none
    QString dotPath;      // the chart as Graphviz source: a file with one design, a folder
    QString svgPath;      // with several; either draws without simulating
    int jobs = 0;         // designs run at a time; 0: the number of cores
    bool quiet = false;
    bool help = false;
    bool version = false;
};

enum BatchExit : int { ExitClean = 0, ExitFindings = 1, ExitUsage = 2 };

// More threads than this only add switching; a larger --jobs is taken as this.
constexpr int kMaxJobs = 256;

// Reads the arguments (without the program name). On a wrong argument returns false
// and sets error to a one-line message.
bool parseBatchArguments(const QStringList &args, BatchOptions &options, QString &error);

QString batchUsage();
// The program and its version, as --version prints them: "asmsim-cli 0.1".
QString batchVersion();
