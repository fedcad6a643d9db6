#include "app/multirunner.h"

#include "app/batchrunner.h"
#include "core/rundriver.h"
#include "core/simstate.h"

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
bool checkNoDesignOverwritten(const QVector<DesignJob> &jobs, QString &error)
{
    QSet<QString> designs;
    for (const DesignJob &job : jobs)
        designs.insert(absolutePath(job.designPath));
    for (const DesignJob &job : jobs) {
        for (const QString &written : {job.outputPath, job.processPath}) {
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
    if (!checkDesignReadable(job.designPath, outcome.failure))
        return outcome;
    QFile processFile(job.processPath);
    if (!job.processPath.isEmpty() && !processFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        outcome.failure = QStringLiteral("cannot write %1: %2").arg(job.processPath, processFile.errorString());
        return outcome;
    }

    StreamSink sink(nullptr, processFile.isOpen() ? &processFile : nullptr);
    const auto state = std::make_unique<SimState>(&sink);
    state->log.outputFile.setFileName(job.outputPath);
    runSimulation(*state, job.designPath);
    processFile.close();

    outcome.cycles = state->signalTable.simCycle;
    outcome.correct = state->simulation.correctVerifications;
    outcome.wrong = state->simulation.wrongVerifications;
    outcome.errors = int(state->log.errorList.size());
    outcome.warnings = int(state->log.warningList.size());
    outcome.seconds = double(timer.nsecsElapsed()) / 1e9;
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
    if (!outcome.ran())
        return QStringLiteral("%1  NOT RUN  %2").arg(name, -nameWidth).arg(outcome.failure);
    return QStringLiteral("%1  %2 cycles  %3 correct / %4 wrong  %5 errors  %6 warnings  %7  %8 s")
        .arg(name, -nameWidth)
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
    if (!checkStems(options.designPaths, error) || !checkNoDesignOverwritten(makeJobs(options), error))
        return false;
    if (!options.outputDir.isEmpty() && !prepareOutputFolder(options.outputDir, QStringLiteral("--out-dir"), error))
        return false;
    return options.processPath.isEmpty() || prepareOutputFolder(options.processPath, QStringLiteral("--process"), error);
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
    for (const DesignOutcome &outcome : outcomes) {
        if (!outcome.ran())
            return ExitUsage;
        if (!outcome.passed())
            exitCode = ExitFindings;
    }
    return exitCode;
}
