#include "app/multirunner.h"

#include "app/batchrunner.h"
#include "results/junitexport.h"
#include "core/messagelog.h"
#include "run/rundriver.h"
#include "run/collectresults.h"
#include "run/simstate.h"
#include "results/vcdexport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <atomic>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

void printLine(FILE *stream, const QString &text)
{
    fputs(text.toUtf8().constData(), stream);
    fputc('\n', stream);
}

QString filePathIn(const QString &dir, const QString &name)
{
    return dir.isEmpty() ? name : QDir(dir).filePath(name);
}

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

// Each design writes files named after its stem, so two designs with one stem would
// write over each other's files.
bool checkStems(const QStringList &designs, QString &error)
{
    QHash<QString, QString> firstWithStem;
    for (const QString &design : designs) {
        const QString stem = designStem(design);
        const auto found = firstWithStem.constFind(stem);
        if (found != firstWithStem.constEnd()) {
            error = QStringLiteral("%1 and %2 have the same name %3: their output files would clash")
                        .arg(found.value(), design, stem);
            return false;
        }
        firstWithStem.insert(stem, design);
    }
    return true;
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

// Prints each design's line as soon as it and every design before it have finished, so
// the lines come in the order given; keeps a progress line on a terminal up to date.
class SummaryPrinter {
public:
    SummaryPrinter(const QStringList &names, FILE *out, FILE *err, bool quiet, bool progress)
        : m_names(names), m_done(names.size(), false), m_outcomes(names.size()), m_out(quiet ? nullptr : out),
          m_err(err), m_progress(progress)
    {
        for (const QString &name : names)
            m_nameWidth = qMax(m_nameWidth, int(name.size()));
    }

    void finished(int index, const DesignOutcome &outcome)
    {
        if (index < 0 || index >= m_names.size() || m_done[index])
            return;
        m_done[index] = true;
        m_outcomes[index] = outcome;
        ++m_finishedCount;
        clearProgress();
        printReadyLines();
        showProgress(QStringLiteral("[%1/%2] %3").arg(m_finishedCount).arg(m_names.size()).arg(m_names.at(index)));
    }

    void printTotal(const QVector<DesignOutcome> &outcomes, double seconds)
    {
        clearProgress();
        if (m_out) {
            printLine(m_out, totalSummaryLine(outcomes, seconds));
            fflush(m_out);
        }
    }

private:
    void printReadyLines()
    {
        while (m_nextToPrint < m_names.size() && m_done[m_nextToPrint]) {
            const DesignOutcome &outcome = m_outcomes.at(m_nextToPrint);
            if (!outcome.ran())
                printLine(m_err, QStringLiteral("asmsim-cli: %1").arg(outcome.failure));
            if (!outcome.fileError.isEmpty())
                printLine(m_err, QStringLiteral("asmsim-cli: %1").arg(outcome.fileError));
            if (m_out)
                printLine(m_out, designSummaryLine(m_names.at(m_nextToPrint), m_nameWidth, outcome));
            ++m_nextToPrint;
        }
        if (m_out)
            fflush(m_out);
    }

    void showProgress(const QString &text)
    {
        if (!m_progress)
            return;
        fputs(("\r" + text).toUtf8().constData(), m_err);
        m_progressWidth = int(text.size()) + 1;
        fflush(m_err);
    }

    void clearProgress()
    {
        if (!m_progress || m_progressWidth == 0)
            return;
        fputs(("\r" + QString(m_progressWidth, QLatin1Char(' ')) + "\r").toUtf8().constData(), m_err);
        m_progressWidth = 0;
        fflush(m_err);
    }

    QStringList m_names;
    std::vector<bool> m_done;
    QVector<DesignOutcome> m_outcomes;
    FILE *m_out;
    FILE *m_err;
    bool m_progress;
    int m_nameWidth = 0;
    int m_finishedCount = 0;
    int m_nextToPrint = 0;
    int m_progressWidth = 0;
};

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

// One JUnit file for every design, in the order given.
bool writeJUnitFile(const QString &path, const QVector<DesignOutcome> &outcomes, QString &error)
{
    QList<JUnitSuite> suites;
    for (const DesignOutcome &outcome : outcomes)
        suites << JUnitSuite{outcome.results.get(), outcome.seconds};
    return writeJUnit(suites, path, error);
}

} // namespace

QString designStem(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

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

    StreamSink sink(nullptr, processFile.isOpen() ? &processFile : nullptr);
    const auto state = std::make_unique<SimState>(&sink);
    state->log.outputFile.setFileName(job.outputPath);
    RunResults results = runSimulation(*state, job.designPath);
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

QString designSummaryLine(const QString &name, int nameWidth, const DesignOutcome &outcome)
{
    // The name and the failure go in whole: an argument's own "%1" must not be replaced.
    const QString padded = name.leftJustified(nameWidth);
    if (!outcome.ran())
        return padded + QStringLiteral("  NOT RUN  ") + outcome.failure;
    return padded
        + QStringLiteral("  %1 cycles  %2 correct / %3 wrong  %4 errors  %5 warnings  %6  %7 s")
        .arg(outcome.cycles, 5)
        .arg(outcome.correct, 4)
        .arg(outcome.wrong, 4)
        .arg(outcome.errors, 3)
        .arg(outcome.warnings, 3)
        .arg(outcome.passed() ? QStringLiteral("PASS") : QStringLiteral("FAIL"))
        .arg(QString::number(outcome.seconds, 'f', 3), 7);
}

QString totalSummaryLine(const QVector<DesignOutcome> &outcomes, double seconds)
{
    int passed = 0, failed = 0, notRun = 0, correct = 0, wrong = 0, errors = 0, warnings = 0;
    qint64 cycles = 0;
    for (const DesignOutcome &outcome : outcomes) {
        if (!outcome.ran()) {
            ++notRun;
            continue;
        }
        ++(outcome.passed() ? passed : failed);
        cycles += outcome.cycles;
        correct += outcome.correct;
        wrong += outcome.wrong;
        errors += outcome.errors;
        warnings += outcome.warnings;
    }
    return QStringLiteral("total: %1 designs, %2 passed, %3 failed, %4 not run  %5 cycles  "
                          "%6 correct / %7 wrong  %8 errors  %9 warnings  %10 s")
        .arg(outcomes.size())
        .arg(passed)
        .arg(failed)
        .arg(notRun)
        .arg(cycles)
        .arg(correct)
        .arg(wrong)
        .arg(errors)
        .arg(warnings)
        .arg(QString::number(seconds, 'f', 3));
}

bool checkManyDesignOptions(const BatchOptions &options, QString &error)
{
    if (!options.outputPath.isEmpty()) {
        error = QStringLiteral("--out names one file: with several designs use --out-dir");
        return false;
    }
    if (!checkStems(options.designPaths, error)
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
        printLine(err, QStringLiteral("asmsim-cli: %1").arg(error));
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
