#pragma once
// Where a run's summary (the warnings, the errors and their counts) lies in the output
// pane. A run ends its output with that summary, so its place follows from the results
// alone: one header, every warning, then every error (each message one row per line of
// its text), then the two count rows. No message is recognised by its text.

#include <QString>

class LinePaneModel;
struct RunResults;

inline const QString kSummaryHeader = QStringLiteral("//-------------- WARNINGS Y ERRORES --------------//");

struct SummaryRows {
    int header = -1;        // the header row; -1 when the pane does not end in the summary
    int firstWarning = -1;  // the first row of the first warning (its rows run up to firstError)
    int firstError = -1;    // the first row of the first error (its rows run up to counts)
    int counts = -1;        // the first of the two count rows

    bool found() const { return header >= 0; }
};

SummaryRows findSummaryRows(const LinePaneModel &output, const RunResults &results);

// Colours the rows of each message in the summary by the kind the run recorded it with.
// Returns the summary's rows.
SummaryRows markSummaryRows(LinePaneModel &output, const RunResults &results);
