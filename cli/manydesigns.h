#pragma once
// The many-designs runner: several designs in one command, each run on a thread of its
// own with its own state object, its own output file and its own process trace, and one
// summary line per design in the order the designs were given.

#include "cli/designjob.h"
#include "cli/options.h"

#include <QVector>
#include <cstdio>
#include <functional>

// Called once per design as it finishes, from the thread that ran it, one call at a time.
using DesignFinished = std::function<void(int index, const DesignOutcome &outcome)>;

// Runs every job on at most `threads` threads (at least one); returns the outcomes in
// the order of the jobs, whatever order they finished in.
QVector<DesignOutcome> runDesignJobs(const QVector<DesignJob> &jobs, int threads,
                                     const DesignFinished &finished = {});

// Checks what must hold before anything runs (no --out, no two designs with one stem,
// folders that exist or can be made). On failure returns false with a one-line message.
bool checkManyDesignOptions(const BatchOptions &options, QString &error);

// The whole command for two or more designs: runs them, prints the summary on `out`
// (nothing with --quiet), a progress line "[k/N] NAME" on `err` when `progress` is set,
// and returns the exit code: 0 every design passed, 1 one failed, 2 one could not be run.
int runManyDesigns(const BatchOptions &options, FILE *out, FILE *err, bool progress);
