#include "gui/summaryrows.h"

#include "gui/linepanemodel.h"
#include "core/messagelog.h"
#include "results/runresults.h"

namespace {

constexpr int kCountRows = 2;

// A message shows as one row per line of its text.
int rowsOf(const QString &message)
{
    return int(message.count(QLatin1Char('\n'))) + 1;
}

} // namespace

SummaryRows findSummaryRows(const LinePaneModel &output, const RunResults &results)
{
    int warningRows = 0;
    int errorRows = 0;
    for (const ResultMessage &message : results.messages)
        (message.kind == LogError ? errorRows : warningRows) += rowsOf(message.text);
    SummaryRows rows;
    rows.counts = output.storedRowCount() - kCountRows;
    rows.firstError = rows.counts - errorRows;
    rows.firstWarning = rows.firstError - warningRows;
    const int header = rows.firstWarning - 1;
    // The pane must hold the summary of these results: its header where it belongs.
    if (header < 0 || output.row(header) != kSummaryHeader)
        return SummaryRows{};
    rows.header = header;
    return rows;
}

SummaryRows markSummaryRows(LinePaneModel &output, const RunResults &results)
{
    const SummaryRows rows = findSummaryRows(output, results);
    if (!rows.found())
        return rows;
    int row = rows.firstWarning;
    for (const ResultMessage &message : results.messages) {
        const int count = rowsOf(message.text);
        output.setLineKind(row, count, message.kind == LogError ? LinePaneModel::ErrorLine
                                                                     : LinePaneModel::WarningLine);
        row += count;
    }
    return rows;
}
