#include "model/boxtypeindex.h"

#include "core/messagelog.h"
#include "model/designmodel.h"

#include <algorithm>
#include <functional>

namespace {

QString positionsLine(BoxType type, QList<qint32> positions)
{
    std::sort(positions.begin(), positions.end(), std::greater<qint32>());
    QStringList numbers;
    for (qint32 pos : positions)
        numbers << QString::number(pos);
    return QStringLiteral("Posiciones de las cajas ") + boxTypeName(type) + QStringLiteral(" en el archivo : ")
           + numbers.join(QLatin1Char(','));
}

} // namespace

// A box whose type the reader did not recognise keeps its place in the box tables (with
// an empty type), so each box is indexed under its own position, not under a count of
// the boxes indexed before it.
void buildBoxTypeIndex(DesignModel &m, MessageLog &log)
{
    QStringList lines{QString(),
                      QStringLiteral("//-------------- Posición en la memoria del TYPE de cada BOX --------------//")};
    m.indexedBoxCount = 0;
    m.boxPositionsByType.clear();
    for (int pos = 0; pos < m.boxTypes.size(); ++pos) {
        if (m.boxTypes.at(pos) == BoxType::None)
            continue;
        m.boxPositionsByType.insert(m.boxTypes.at(pos), pos);
        ++m.indexedBoxCount;
    }
    for (BoxType type : allBoxTypes()) {
        const QList<qint32> positions = m.boxPositionsByType.values(type);
        if (!positions.isEmpty())
            lines << positionsLine(type, positions);
    }
    showInOutputPane(log, lines);
}
