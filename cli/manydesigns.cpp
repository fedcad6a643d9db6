#include "cli/manydesigns.h"

#include "cli/console.h"
#include "cli/outputfiles.h"
#include "cli/summary.h"
#include "results/junitexport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

QVector<DesignJob> makeJobs(const BatchOptions &options)
{
    QVector<DesignJob> jobs;
    for (const QString &design : options.designPaths) {
        const QString stem = designStem(design);
        DesignJob job;
        job.designPath = design;
        job.outputPath = filePathIn(options.outputDir, stem + QStringLiteral(".txt"));
        if (!options.processPath.isEmpty())
            job.processPath = filePathIn(options.processPath, stem + QStringLiteral(".process.txt"));
        if (!options.vcdPath.isEmpty())
            job.vcdPath = filePathIn(options.vcdPath, stem + QStringLiteral(".vcd"));
        job.keepResults = !options.junitPath.isEmpty();
        jobs << job;
    }
    return jobs;
}

QString absolutePath(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// A design named like an output file (notes.txt, say) must not be written over.
bool checkNoDesignOverwritten(const QVector<DesignJob> &jobs, const QString &junitPath, QString &error)
{
    QSet<QString> designs;
    for (const DesignJob &job : jobs)
        designs.insert(absolutePath(job.designPath));
    if (!junitPath.isEmpty() && designs.contains(absolutePath(junitPath))) {
        error = QStringLiteral("%1 would be written over by the JUnit file").arg(junitPath);
        return false;
    }
    for (const DesignJob &job : jobs) {
        for (const QString &written : {job.outputPath, job.processPath, job.vcdPath}) {
            if (!written.isEmpty() && designs.contains(absolutePath(written))) {
                error = QStringLiteral("%1 would be written over by an output file").arg(written);
                return false;
            }
        }
    }
    return true;
}

// One JUnit file for every design, in the order given.
bool writeJUnitFile(const QString &path, const QVector<DesignOutcome> &outcomes, QString &error)
{
    QList<JUnitSuite> suites;
    for (const DesignOutcome &outcome : outcomes)
        suites << JUnitSuite{outcome.results.get(), outcome.seconds};
    return writeJUnit(suites, path, error);
}

} // namespace

QVector<DesignOutcome> runDesignJobs(const QVector<DesignJob> &jobs, int threads, const DesignFinished &finished)
{
    const int count = int(jobs.size());
    QVector<DesignOutcome> outcomes(count);
    std::atomic<int> next{0};
    std::mutex reporting;
    // Every worker takes the next design not yet taken until none is left.
    const auto work = [&] {
        for (int i = next.fetch_add(1); i < count; i = next.fetch_add(1)) {
            DesignOutcome outcome = runDesignJob(jobs.at(i));
            const std::lock_guard<std::mutex> guard(reporting);
            outcomes[i] = outcome;
            if (finished)
                finished(i, outcomes.at(i));
        }
    };

    // The calling thread is one of the workers; a thread the system refuses is one less.
    std::vector<std::thread> helpers;
    for (int t = 1; t < qBound(1, threads, qMax(count, 1)); ++t) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error &) {
            break;
        }
    }
    work();
    for (std::thread &helper : helpers)
        helper.join();
    return outcomes;
}

bool checkManyDesignOptions(const BatchOptions &options, QString &error)
{
    if (!options.outputPath.isEmpty()) {
        error = QStringLiteral("--out names one file: with several designs use --out-dir");
        return false;
    }
    if (!checkDistinctStems(options.designPaths, error)
        || !checkNoDesignOverwritten(makeJobs(options), options.junitPath, error))
        return false;
    if (!options.junitPath.isEmpty() && !checkFileWritable(options.junitPath, error))
        return false;
    const QList<std::pair<QString, QString>> folders{{options.outputDir, QStringLiteral("--out-dir")},
                                                     {options.processPath, QStringLiteral("--process")},
                                                     {options.vcdPath, QStringLiteral("--vcd")}};
    for (const auto &[folder, option] : folders) {
        if (!folder.isEmpty() && !prepareOutputFolder(folder, option, error))
            return false;
    }
    return true;
}

int runManyDesigns(const BatchOptions &options, FILE *out, FILE *err, bool progress)
{
    QElapsedTimer timer;
    timer.start();
    SummaryPrinter printer(options.designPaths, out, err, options.quiet, progress);
    const QVector<DesignOutcome> outcomes =
        runDesignJobs(makeJobs(options), options.jobs,
                      [&printer](int index, const DesignOutcome &outcome) { printer.finished(index, outcome); });
    printer.printTotal(outcomes, double(timer.nsecsElapsed()) / 1e9);

    int exitCode = ExitClean;
    QString error;
    if (!options.junitPath.isEmpty() && !writeJUnitFile(options.junitPath, outcomes, error)) {
        printError(err, error);
        exitCode = ExitUsage;
    }
    for (const DesignOutcome &outcome : outcomes) {
        if (!outcome.ran() || !outcome.fileError.isEmpty())
            exitCode = ExitUsage;
        else if (!outcome.passed() && exitCode == ExitClean)
            exitCode = ExitFindings;
    }
    return exitCode;
}
