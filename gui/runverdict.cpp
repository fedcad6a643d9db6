#include "gui/runverdict.h"

#include "core/messagelog.h"
#include "results/runresults.h"
#include "results/waveformrows.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("MainWindow", text);
}

// "1 ciclo", "8 ciclos": the number and the word for one or for several.
QString counted(qint64 n, const char *one, const char *several)
{
    return QString::number(n) + QLatin1Char(' ') + tr(n == 1 ? one : several);
}

QString headlineOf(const RunResults &results)
{
    QStringList notes;
    if (results.noTestBench)
        notes << tr("sin test bench");
    if (results.verifications.isEmpty())
        notes << tr("sin verificaciones");
    const QString word = results.passed() ? tr("CORRECTO") : tr("FALLO");
    return notes.isEmpty() ? word : word + QStringLiteral(" (") + notes.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString countsOf(const RunResults &results)
{
    const QString separator = QStringLiteral(" · ");
    return counted(results.cycles, "ciclo", "ciclos") + separator + tr("verificaciones: ")
           + counted(results.correctCount(), "correcta", "correctas") + QStringLiteral(" / ")
           + counted(results.wrongCount(), "errónea", "erróneas") + separator
           + counted(results.errorCount(), "error", "errores") + separator
           + counted(results.warningCount(), "warning", "warnings");
}

} // namespace

RunVerdict runVerdict(const RunResults &results)
{
    RunVerdict verdict;
    verdict.passed = results.passed();
    verdict.headline = headlineOf(results);
    verdict.counts = countsOf(results);
    if (verdict.passed)
        return verdict;
    for (int i = 0; i < results.messages.size(); ++i) {
        if (results.messages.at(i).kind == LogError) {
            verdict.firstError = i;
            // Shown on one line: the tabs and line feeds of the report's text go.
            verdict.failure = results.messages.at(i).text.simplified();
            return verdict;
        }
    }
    for (int i = 0; i < results.verifications.size(); ++i) {
        if (!results.verifications.at(i).correct) {
            verdict.firstWrong = i;
            verdict.failure = verificationText(results.verifications.at(i));
            return verdict;
        }
    }
    return verdict;
}
