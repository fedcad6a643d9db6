#include "cli/designjob.h"

#include "cli/console.h"
#include "cli/outputfiles.h"
#include "core/messagelog.h"
#include "results/vcdexport.h"
#include "run/rundriver.h"
#include "run/simstate.h"

#include <QElapsedTimer>
#include <QFile>

namespace {

// What the JUnit file says of a design that was not run: one error, its failure.
std::shared_ptr<const RunResults> notRunResults(const DesignJob &job, const QString &failure)
{
    auto results = std::make_shared<RunResults>();
    results->designPath = job.designPath;
    results->designName = designStem(job.designPath);
    results->messages << ResultMessage{LogError, failure};
    return results;
}

// Keeps the results and writes the VCD, each when the job asks for it.
void takeResults(const DesignJob &job, RunResults &&run, DesignOutcome &outcome)
{
    if (job.vcdPath.isEmpty() && !job.keepResults)
        return;
    auto results = std::make_shared<const RunResults>(std::move(run));
    if (!job.vcdPath.isEmpty())
        writeVcd(*results, job.vcdPath, outcome.fileError);
    if (job.keepResults)
        outcome.results = std::move(results);
}

} // namespace

DesignOutcome runDesignJob(const DesignJob &job)
{
    QElapsedTimer timer;
    timer.start();
    DesignOutcome outcome;
    QFile processFile(job.processPath);
    if (checkDesignReadable(job.designPath, outcome.failure) && !job.processPath.isEmpty()
        && !processFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
        outcome.failure = QStringLiteral("cannot write %1: %2").arg(job.processPath, processFile.errorString());
    if (!outcome.ran()) {
        if (job.keepResults)
            outcome.results = notRunResults(job, outcome.failure);
        return outcome;
    }

    StreamSink sink(job.out, processFile.isOpen() ? &processFile : nullptr);
    const auto state = std::make_unique<SimState>(&sink);
    if (!job.outputPath.isEmpty())
        state->log.outputFile.setFileName(job.outputPath);
    RunResults results = runSimulation(*state, job.designPath);
    if (job.out)
        fflush(job.out);
    processFile.close();

    outcome.cycles = results.cycles;
    outcome.correct = results.correctCount();
    outcome.wrong = results.wrongCount();
    outcome.errors = results.errorCount();
    outcome.warnings = results.warningCount();
    outcome.seconds = double(timer.nsecsElapsed()) / 1e9;
    takeResults(job, std::move(results), outcome);
    return outcome;
}
