#include "check/checkcontext.h"

#include "check/diagramgraph.h"
#include "model/diagramwalk.h"
#include "model/readerlines.h"

CheckContext::CheckContext(const AnalysedDesign &design, const QStringList &physicalLines)
    : design(design), model(design.model), physicalLines(physicalLines), readerBoxes(::readerBoxes(physicalLines))
{
    reachedByAny = QVector<bool>(model.boxIds.size(), false);
    for (int column = 0; column < parentCount(); ++column) {
        reachable << reachableFrom(model, model.parentIts.at(column));
        for (int pos = 0; pos < reachedByAny.size(); ++pos)
            reachedByAny[pos] = reachedByAny.at(pos) || reachable.last().at(pos);
    }
}

bool CheckContext::isDesignColumn(int column) const
{
    return model.parentKinds.value(column) == DiagramKind::Design;
}

bool CheckContext::isTestBenchColumn(int column) const
{
    return model.parentKinds.value(column) == DiagramKind::TestBench;
}

QVector<int> CheckContext::listedStates(int column) const
{
    QVector<int> listed;
    for (int row = 0; row < kStateRows && stateCell(model.stateIds, row, column) != 0; ++row)
        listed << stateCell(model.stateIts, row, column);
    return listed;
}

int CheckContext::idLine(int pos) const
{
    return physicalLineOfReaderLine(physicalLines, model.boxIdLines.value(pos, 0));
}

DesignWarning CheckContext::warningAt(int pos, const QString &rule, const QString &text) const
{
    return {rule, idLine(pos), text, boxIdAt(model, pos), pos};
}
