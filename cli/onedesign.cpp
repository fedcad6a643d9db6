#include "cli/onedesign.h"

#include "cli/console.h"
#include "cli/designjob.h"
#include "cli/outputfiles.h"
#include "results/junitexport.h"

#include <QDir>

namespace {

// The files written after the run must be writable before it starts, and the output
// folder must exist.
bool checkBeforeRun(const BatchOptions &options, QString &error)
{
    return checkDesignReadable(options.designPaths.first(), error)
        && (options.vcdPath.isEmpty() || checkFileWritable(options.vcdPath, error))
        && (options.junitPath.isEmpty() || checkFileWritable(options.junitPath, error))
        && (options.outputDir.isEmpty() || prepareOutputFolder(options.outputDir, QStringLiteral("--out-dir"), error));
}

DesignJob jobOf(const BatchOptions &options, FILE *out)
{
    const QString design = options.designPaths.first();
    DesignJob job;
    job.designPath = design;
    job.outputPath = options.outputDir.isEmpty()
        ? options.outputPath
        : QDir(options.outputDir).filePath(designStem(design) + QStringLiteral(".txt"));
    job.processPath = options.processPath;
    job.vcdPath = options.vcdPath;
    job.keepResults = !options.junitPath.isEmpty();
    job.out = options.quiet ? nullptr : out;
    return job;
}

} // namespace

int runOneDesign(const BatchOptions &options, FILE *out, FILE *err)
{
    QString error;
    if (!checkBeforeRun(options, error)) {
        printError(err, error);
        return ExitUsage;
    }
    const DesignOutcome outcome = runDesignJob(jobOf(options, out));
    error = !outcome.ran() ? outcome.failure : outcome.fileError;
    const bool written = error.isEmpty()
        && (options.junitPath.isEmpty()
            || writeJUnit({JUnitSuite{outcome.results.get(), outcome.seconds}}, options.junitPath, error));
    if (!written) {
        printError(err, error);
        return ExitUsage;
    }
    return outcome.passed() ? ExitClean : ExitFindings;
}
