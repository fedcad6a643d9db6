#include "sim/verificationcheck.h"

#include "core/messagelog.h"
#include "model/designmodel.h"
#include "sim/simulationstate.h"

#include <QHash>

namespace {

// The columns of the simulation table under each name, in column order.
QHash<QString, QVector<int>> columnsByName(const QStringList &columnNames)
{
    QHash<QString, QVector<int>> columns;
    for (int j = 0; j < columnNames.size(); ++j)
        columns[columnNames.at(j)] << j;
    return columns;
}

// A cell of a row that exists; a cell that no snapshot had room for reads as unwritten.
qint32 simulatedValue(const SimulationState &sim, qint32 cycle, int column)
{
    if (cycle >= sim.simulationTable.size())
        return -1;
    return sim.simulationTable.at(cycle).value(column, -1);
}

} // namespace

VerificationTotals checkVerifications(const DesignModel &m, const SimulationState &sim, MessageLog &log)
{
    const QHash<QString, QVector<int>> columns = columnsByName(sim.simulationColumnNames);
    const qsizetype count = qMin(m.verifyCycles.size(), qMin(m.verifyVariables.size(), m.verifyValues.size()));

    VerificationTotals totals;
    QStringList lines{QString()};
    for (qsizetype k = 0; k < count; ++k) {
        const qint32 cycle = m.verifyCycles.at(k);
        const QString &name = m.verifyVariables.at(k);
        const qint32 expected = m.verifyValues.at(k);
        if (cycle < 0 || cycle > kLastSimulationRow) {
            logMessage(log,
                       QStringLiteral("WARNING!\t Verificacion fuera de la tabla de simulacion. Ciclo: ")
                           + QString::number(cycle) + QStringLiteral(", Señal: ") + name,
                       LogWarning);
            continue;
        }
        // An empty name stands for a signal that was never declared: no column.
        if (name.isEmpty())
            continue;
        for (int column : columns.value(name)) {
            const qint32 simulated = simulatedValue(sim, cycle, column);
            const QString place = QStringLiteral("Ciclo: ") + QString::number(cycle) + QStringLiteral(",\tSeñal: ")
                                  + name + QStringLiteral(",\t    ");
            if (simulated == expected) {
                lines << QStringLiteral("Verificacion CORRECTA ->\t") + place + QStringLiteral("Valor: %1").arg(expected);
                ++totals.correct;
            } else {
                lines << QStringLiteral("Verificacion ERRONEA  ->\t") + place
                             + QStringLiteral("Valor a verificar: %1   !=   Valor simulado: %2").arg(expected).arg(simulated);
                ++totals.wrong;
            }
        }
    }
    showInProcessPane(log, lines);
    showInOutputPane(log, {QStringLiteral("\n//-------------------------VERIFICACIONES------------------------//\n")
                             + QStringLiteral("Verificaciones correctas: %1\nVerificaciones erroneas: %2")
                                   .arg(totals.correct)
                                   .arg(totals.wrong)});
    return totals;
}
