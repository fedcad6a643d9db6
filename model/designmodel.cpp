#include "model/designmodel.h"

#include "core/simstate.h"

void rebuildTextMatrices(DesignModel &model)
{
    const QVector<QString> emptyRow(kMaxBoxes, QStringLiteral("null"));
    model.textMatrix = TextMatrix(kTextRows, emptyRow);
    model.textUpMatrix = TextMatrix(kTextUpRows, emptyRow);
    model.textDownMatrix = TextMatrix(kTextDownRows, emptyRow);
}

void resetDesignModel(SimState &state)
{
    state.registers.clear();
    state.signalTable.clearSignals();

    DesignModel &m = state.model;
    m.eventActivationSignals.clear();
    m.eventActivationValues.clear();
    m.eventChangeSignals.clear();
    m.eventChangeValues.clear();
    state.simulation.defaultSignalNames.clear();
    state.simulation.defaultSignalValues.clear();

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
    state.simulation.simulationColumnNames.clear();
    state.simulation.simulationTable.clear();
    state.simulation.correctVerifications = 0;
    state.simulation.wrongVerifications = 0;

    state.log.errorList.clear();
    state.log.warningList.clear();
}
