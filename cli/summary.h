#pragma once
// The summary of a batch of designs: one line per design in the order given, then a total.

#include "cli/designjob.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdio>
#include <vector>

// The summary of one design, its name padded to nameWidth, and the total of them all.
QString designSummaryLine(const QString &name, int nameWidth, const DesignOutcome &outcome);
QString totalSummaryLine(const QVector<DesignOutcome> &outcomes, double seconds);

// Prints each design's line as soon as it and every design before it have finished, so
// the lines come in the order given; keeps a progress line on a terminal up to date.
class SummaryPrinter {
public:
    SummaryPrinter(const QStringList &names, FILE *out, FILE *err, bool quiet, bool progress);

    void finished(int index, const DesignOutcome &outcome);
    void printTotal(const QVector<DesignOutcome> &outcomes, double seconds);

private:
    void printReadyLines();
    void showProgress(const QString &text);
    void clearProgress();

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
