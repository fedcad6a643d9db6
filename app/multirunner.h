#pragma once
// The many-designs runner: several designs in one command, each run on a thread of its
// own with its own state object, its own output file and its own process trace, and one
// summary line per design in the order the designs were given.

#include "results/runresults.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdio>
#include <functional>
#include <memory>

struct BatchOptions;

// Where one design's run reads and writes. An empty processPath writes no trace, an
// empty vcdPath no waveform; keepResults keeps the run's results in the outcome.
struct DesignJob {
    QString designPath;
    QString outputPath;
    QString processPath;
    QString vcdPath = {};
    bool keepResults = false;
};

// What one design's run left. A non-empty failure means the design was not run (its file
// could not be read, or its trace could not be written) and the counts are zero; a
// non-empty fileError that it ran but a file asked for (its VCD) could not be written.
struct DesignOutcome {
    QString failure;
    QString fileError;
    // With keepResults: the run's results, or for a design not run, its name and the
    // failure as its one error.
    std::shared_ptr<const RunResults> results;
    qint32 cycles = 0;
    int correct = 0;
    int wrong = 0;
    int errors = 0;
    int warnings = 0;
    double seconds = 0;

    bool ran() const { return failure.isEmpty(); }
    bool passed() const { return ran() && runPassed(errors, wrong); }
};

// Runs one design start to finish with a state object and a sink of its own.
DesignOutcome runDesignJob(const DesignJob &job);

// Called once per design as it finishes, from the thread that ran it, one call at a time.
using DesignFinished = std::function<void(int index, const DesignOutcome &outcome)>;

// Runs every job on at most `threads` threads (at least one); returns the outcomes in
// the order of the jobs, whatever order they finished in.
QVector<DesignOutcome> runDesignJobs(const QVector<DesignJob> &jobs, int threads,
                                     const DesignFinished &finished = {});

// A design's file name without its folder and its last suffix: "a/b.c.vdo" is "b.c".
QString designStem(const QString &path);

// The summary of one design, its name padded to nameWidth, and the total of them all.
QString designSummaryLine(const QString &name, int nameWidth, const DesignOutcome &outcome);
QString totalSummaryLine(const QVector<DesignOutcome> &outcomes, double seconds);

// Checks what must hold before anything runs (no --out, no two designs with one stem,
// folders that exist or can be made). On failure returns false with a one-line message.
bool checkManyDesignOptions(const BatchOptions &options, QString &error);

// The whole command for two or more designs: runs them, prints the summary on `out`
// (nothing with --quiet), a progress line "[k/N] NAME" on `err` when `progress` is set,
// and returns the exit code: 0 every design passed, 1 one failed, 2 one could not be run.
int runManyDesigns(const BatchOptions &options, FILE *out, FILE *err, bool progress);
