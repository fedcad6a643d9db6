#pragma once
// What every rule reads: the analysed design, the file's lines as the reader takes them,
// and what the drawing reaches from each diagram's root.

#include "check/designanalysis.h"
#include "check/designwarning.h"
#include "check/readerview.h"

#include <QStringList>
#include <QVector>

struct CheckContext {
    CheckContext(const AnalysedDesign &design, const QStringList &physicalLines);

    const AnalysedDesign &design;
    const DesignModel &model;
    const QStringList &physicalLines;
    QVector<ReaderBox> readerBoxes;     // one per stored box, by position
    QVector<QVector<bool>> reachable;   // per parent column, per box
    QVector<bool> reachedByAny;         // per box: some diagram's root reaches it

    int parentCount() const { return int(model.parentIts.size()); }
    bool isDesignColumn(int column) const;
    bool isTestBenchColumn(int column) const;
    // The positions the state table lists in a column, row by row, repeats included.
    QVector<int> listedStates(int column) const;

    // The physical line of the box's Id line (of its Box line when it has none).
    int idLine(int pos) const;
    DesignWarning warningAt(int pos, const QString &rule, const QString &text) const;
};

// The rules, each adding its warnings.
void checkReaderTexts(const CheckContext &context, DesignWarnings &warnings);
void checkDuplicateIds(const CheckContext &context, DesignWarnings &warnings);
void checkLinks(const CheckContext &context, DesignWarnings &warnings);
void checkNextLoops(const CheckContext &context, DesignWarnings &warnings);
void checkStateTable(const CheckContext &context, DesignWarnings &warnings);
void checkDiagramKinds(const CheckContext &context, DesignWarnings &warnings);
void checkPassedStates(const CheckContext &context, DesignWarnings &warnings);
void checkConnectors(const CheckContext &context, DesignWarnings &warnings);
void checkRepeatedNames(const CheckContext &context, DesignWarnings &warnings);
void checkExpressions(const CheckContext &context, DesignWarnings &warnings);
void checkVerifications(const CheckContext &context, DesignWarnings &warnings);
void checkAsyncLoops(const CheckContext &context, DesignWarnings &warnings);
