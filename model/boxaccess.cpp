#include "model/boxaccess.h"

#include "core/messagelog.h"

namespace {

const QString kNoText = QStringLiteral("null");

qint32 entryAt(const QVector<qint32> &table, int pos, qint32 missing)
{
    return pos >= 0 && pos < table.size() ? table.at(pos) : missing;
}

} // namespace

qint32 boxIdAt(const DesignModel &model, int pos)
{
    return entryAt(model.boxIds, pos, 0);
}

BoxLinks boxLinksAt(const DesignModel &model, int pos)
{
    return {entryAt(model.boxNext, pos, -1), entryAt(model.boxNext0, pos, -1),
            entryAt(model.boxNext1, pos, -1)};
}

bool isConnectorBox(const DesignModel &model, int pos)
{
    const BoxLinks links = boxLinksAt(model, pos);
    return links.next == 0 && links.next0 == -1 && links.next1 == -1;
}

BoxType boxTypeAt(const DesignModel &model, int pos)
{
    return pos >= 0 && pos < model.boxTypes.size() ? model.boxTypes.at(pos) : BoxType::None;
}

QString firstTextLine(const DesignModel &model, int pos)
{
    if (model.textMatrix.isEmpty() || pos < 0 || pos >= model.textMatrix.first().size())
        return kNoText;
    return model.textMatrix.first().at(pos);
}

QString textCell(const TextMatrix &matrix, int row, int pos)
{
    if (row < 0 || row >= matrix.size() || pos < 0 || pos >= matrix.at(row).size())
        return kNoText;
    return matrix.at(row).at(pos);
}

qint32 stateCell(const QVector<QVector<qint32>> &matrix, int row, int column)
{
    if (row < 0 || row >= matrix.size() || column < 0 || column >= matrix.at(row).size())
        return 0;
    return matrix.at(row).at(column);
}

int findBoxById(const DesignModel &model, MessageLog &log, qint32 id)
{
    const QVector<qint32> &ids = model.boxIds;
    for (int pos = int(ids.size()) - 1; pos >= 0; --pos) {
        if (ids.at(pos) == id)
            return pos;
    }
    logMessage(log, QStringLiteral("WARNING!\t Hijo no encontrado con ID: %1").arg(id), LogWarning);
    return -1;
}
