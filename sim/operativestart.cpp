#include "sim/operativestart.h"

#include "core/messagelog.h"
#include "model/hierarchy.h"

void startOperativeSimulation(DesignModel &model, MessageLog &log)
{
    const QStringList heading{QStringLiteral("\n//--------------SIMULACION OPERATIVA-----------------//")};
    showInProcessPane(log, heading);
    showInOutputPane(log, heading);
    buildStateTable(model, log);
}
