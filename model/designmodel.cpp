#include "model/designmodel.h"

QString diagramKindName(DiagramKind kind)
{
    switch (kind) {
    case DiagramKind::Design:
        return QStringLiteral("Design");
    case DiagramKind::TestBench:
        return QStringLiteral("TestBench");
    case DiagramKind::None:
        break;
    }
    return QString();
}

QStringList diagramKindNames(const QVector<DiagramKind> &kinds)
{
    QStringList names;
    for (DiagramKind kind : kinds)
        names << diagramKindName(kind);
    return names;
}

QVector<DiagramKind> diagramKindsNamed(const QStringList &names)
{
    QVector<DiagramKind> kinds;
    for (const QString &name : names)
        kinds << (name == diagramKindName(DiagramKind::Design)      ? DiagramKind::Design
                  : name == diagramKindName(DiagramKind::TestBench) ? DiagramKind::TestBench
                                                                    : DiagramKind::None);
    return kinds;
}

void rebuildTextMatrices(DesignModel &model)
{
    const QVector<QString> emptyRow(kMaxBoxes, QStringLiteral("null"));
    model.textMatrix = TextMatrix(kTextRows, emptyRow);
    model.textUpMatrix = TextMatrix(kTextUpRows, emptyRow);
    model.textDownMatrix = TextMatrix(kTextDownRows, emptyRow);
}

void resetDesignModel(DesignModel &m)
{
    m.eventActivationSignals.clear();
    m.eventActivationValues.clear();
    m.eventChangeSignals.clear();
    m.eventChangeValues.clear();

    m.boxIds.clear();
    m.boxTypes.clear();
    m.textMatrix.clear();
    m.textUpMatrix.clear();
    m.textDownMatrix.clear();
    m.boxNext.clear();
    m.boxNext0.clear();
    m.boxNext1.clear();
    m.boxVisited.clear();
    m.boxIdLines.clear();
    m.pageIds.clear();
    m.pageNames.clear();

    m.indexedBoxCount = 0;
    m.boxPositionsByType.clear();
    m.parentIts.clear();
    m.parentIds.clear();
    m.parentKinds.clear();
    m.stateIds.clear();
    m.stateIts.clear();

    m.verifyCycles.clear();
    m.verifyVariables.clear();
    m.verifyValues.clear();
}
