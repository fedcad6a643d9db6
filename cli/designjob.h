#pragma once
// One design's run as a job: where it reads and writes, and what it left. The runner of a
// single design and the runner of many both run their designs as jobs.

#include "results/runresults.h"

#include <QString>
#include <cstdio>
#include <memory>

// Where one design's run reads and writes. An empty outputPath writes the default output
// file in the working directory; an empty processPath writes no trace, an empty vcdPath no
// waveform; a null out shows the output pane nowhere. keepResults keeps the run's results
// in the outcome.
struct DesignJob {
    QString designPath;
    QString outputPath;
    QString processPath;
    QString vcdPath = {};
    bool keepResults = false;
    FILE *out = nullptr;
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
