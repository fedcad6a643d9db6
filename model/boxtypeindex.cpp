#include "model/boxtypeindex.h"

#include "core/messagelog.h"
#include "run/simstate.h"

#include <algorithm>
#include <functional>

namespace {

// The box types in the order of the report.
const QStringList kBoxTypeNames{
    QStringLiteral("Header"),        QStringLiteral("Ports"),        QStringLiteral("Code"),
    QStringLiteral("ThreadSync"),    QStringLiteral("Event"),        QStringLiteral("Default"),
    QStringLiteral("Instance"),      QStringLiteral("MetaState"),    QStringLiteral("StateAsyncOps"),
    QStringLiteral("Initial"),       QStringLiteral("Decision"),     QStringLiteral("State"),
    QStringLiteral("CondSyncOps"),   QStringLiteral("CondAsyncOps"), QStringLiteral("SyncOps"),
    QStringLiteral("AsyncOps"),
};

QString positionsLine(const QString &type, QList<qint32> positions)
{
    std::sort(positions.begin(), positions.end(), std::greater<qint32>());
    QStringList numbers;
    for (qint32 pos : positions)
        numbers << QString::number(pos);
    return QStringLiteral("Posiciones de las cajas ") + type + QStringLiteral(" en el archivo : ")
           + numbers.join(QLatin1Char(','));
}

} // namespace

// A box whose type the reader did not recognise keeps its place in the box tables (with
// an empty type), so each box is indexed under its own position, not under a count of
// the boxes indexed before it.
void buildBoxTypeIndex(SimState &state)
{
    DesignModel &m = state.model;
    QStringList lines{QString(),
                      QStringLiteral("//-------------- Posición en la memoria del TYPE de cada BOX --------------//")};
    m.indexedBoxCount = 0;
    m.boxPositionsByType.clear();
    for (int pos = 0; pos < m.boxTypes.size(); ++pos) {
        if (!kBoxTypeNames.contains(m.boxTypes.at(pos)))
            continue;
        m.boxPositionsByType.insert(m.boxTypes.at(pos), pos);
        ++m.indexedBoxCount;
    }
    for (const QString &type : kBoxTypeNames) {
        const QList<qint32> positions = m.boxPositionsByType.values(type);
        if (!positions.isEmpty())
            lines << positionsLine(type, positions);
    }
    showInOutputPane(state.log, lines);
}
