#include "check/diagramgraph.h"

#include "model/designmodel.h"
#include "model/diagramwalk.h"

int boxWithId(const DesignModel &model, qint32 id)
{
    return int(model.boxIds.lastIndexOf(id));
}

bool isStateBox(const DesignModel &model, int pos)
{
    return isStateType(boxTypeAt(model, pos)) && !isConnectorBox(model, pos);
}

QVector<int> namedBoxes(const DesignModel &model, const QString &name)
{
    QVector<int> boxes;
    for (int pos = 0; pos < model.boxIds.size(); ++pos) {
        if (firstTextLine(model, pos) == name && !isConnectorBox(model, pos))
            boxes << pos;
    }
    return boxes;
}

bool isLink(qint32 value)
{
    return value != 0 && value != -1;
}

bool inPlainNextRing(const DesignModel &model, int pos)
{
    int at = pos;
    for (qsizetype steps = 0; steps < model.boxIds.size(); ++steps) {
        const qint32 next = boxLinksAt(model, at).next;
        at = next > 0 ? boxWithId(model, next) : -1;
        if (at < 0)
            return false;
        if (at == pos)
            return true;
    }
    return false;
}

QVector<bool> reachableFrom(const DesignModel &model, int root)
{
    const int boxes = int(model.boxIds.size());
    QVector<bool> reached(boxes, false);
    if (root < 0 || root >= boxes)
        return reached;
    QVector<int> pending{root};
    reached[root] = true;
    auto reach = [&](int pos) {
        if (pos >= 0 && !reached.at(pos)) {
            reached[pos] = true;
            pending << pos;
        }
    };
    while (!pending.isEmpty()) {
        const int pos = pending.takeLast();
        const BoxLinks links = boxLinksAt(model, pos);
        for (qint32 link : {links.next, links.next0, links.next1}) {
            if (isLink(link))
                reach(boxWithId(model, link));
        }
        const QString name = firstTextLine(model, pos);
        if (isConnectorBox(model, pos) && name != QLatin1String("null")) {
            for (int named : namedBoxes(model, name))
                reach(named);
        }
    }
    return reached;
}

QString idChain(const DesignModel &model, const QVector<int> &positions)
{
    QStringList ids;
    for (int pos : positions)
        ids << QString::number(boxIdAt(model, pos));
    return ids.join(QStringLiteral(" → "));
}
