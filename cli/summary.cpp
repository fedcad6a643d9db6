#include "cli/summary.h"

#include "cli/console.h"

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

SummaryPrinter::SummaryPrinter(const QStringList &names, FILE *out, FILE *err, bool quiet, bool progress)
    : m_names(names), m_done(names.size(), false), m_outcomes(names.size()), m_out(quiet ? nullptr : out),
      m_err(err), m_progress(progress)
{
    for (const QString &name : names)
        m_nameWidth = qMax(m_nameWidth, int(name.size()));
}

void SummaryPrinter::finished(int index, const DesignOutcome &outcome)
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

void SummaryPrinter::printTotal(const QVector<DesignOutcome> &outcomes, double seconds)
{
    clearProgress();
    if (m_out) {
        printLine(m_out, totalSummaryLine(outcomes, seconds));
        fflush(m_out);
    }
}

void SummaryPrinter::printReadyLines()
{
    while (m_nextToPrint < m_names.size() && m_done[m_nextToPrint]) {
        const DesignOutcome &outcome = m_outcomes.at(m_nextToPrint);
        if (!outcome.ran())
            printError(m_err, outcome.failure);
        if (!outcome.fileError.isEmpty())
            printError(m_err, outcome.fileError);
        if (m_out)
            printLine(m_out, designSummaryLine(m_names.at(m_nextToPrint), m_nameWidth, outcome));
        ++m_nextToPrint;
    }
    if (m_out)
        fflush(m_out);
}

void SummaryPrinter::showProgress(const QString &text)
{
    if (!m_progress)
        return;
    fputs(("\r" + text).toUtf8().constData(), m_err);
    m_progressWidth = int(text.size()) + 1;
    fflush(m_err);
}

void SummaryPrinter::clearProgress()
{
    if (!m_progress || m_progressWidth == 0)
        return;
    fputs(("\r" + QString(m_progressWidth, QLatin1Char(' ')) + "\r").toUtf8().constData(), m_err);
    m_progressWidth = 0;
    fflush(m_err);
}
