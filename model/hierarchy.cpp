#include "model/hierarchy.h"

#include "core/messagelog.h"
#include "model/diagramwalk.h"

#include <QSet>

namespace {

QString joinNumbers(const QVector<qint32> &numbers)
{
    QStringList texts;
    for (qint32 n : numbers)
        texts << QString::number(n);
    return texts.join(QStringLiteral(", "));
}

// Records, in one column of the state table, the state boxes that the walk of one
// diagram meets, repeats included.
class StateWalk : public DiagramWalk {
public:
    StateWalk(DesignModel &model, MessageLog &log, int column) : DiagramWalk(model, log), m_column(column) {}

    int row = 0;

protected:
    bool entered(int, int to) override
    {
        DesignModel &m = m_model;
        if (!isStateType(boxTypeAt(m, to)))
            return true;
        if (row >= kStateRows) {
            logMessage(m_log,
                       QStringLiteral("ERROR!\t Demasiados estados en el diagrama del padre con ID: %1")
                           .arg(m.parentIds.value(m_column)),
                       LogError);
            return false;
        }
        m.stateIds[row][m_column] = boxIdAt(m, to);
        m.stateIts[row][m_column] = to;
        ++row;
        ++m_recorded;
        return true;
    }

private:
    int m_column;
};

// The ID rows: each row lists the state IDs of every column; the first row in which no
// column has an entry ends the list as a line holding one tab. Returns the number of
// IT rows to write.
int addStateIdRows(const DesignModel &m, int parents, QStringList &lines)
{
    int filledRows = 0;
    for (int row = 0; row < kStateRows; ++row) {
        QString line = QStringLiteral("      +ID State %1:\t\t").arg(row + 1);
        bool anyEntry = false;
        for (int col = 0; col < parents; ++col) {
            const qint32 id = stateCell(m.stateIds, row, col);
            if (id != 0) {
                line += QString::number(id);
                anyEntry = true;
            }
            line += QLatin1Char('\t');
        }
        if (parents > 0 && !anyEntry) {
            lines << QStringLiteral("\t");
            break;
        }
        lines << line;
        if (anyEntry)
            ++filledRows;
    }
    return filledRows == 0 ? 2 : filledRows;
}

} // namespace

void findParentBoxes(DesignModel &m, MessageLog &log)
{
    m.parentIds.clear();
    m.parentIts.clear();

    QSet<qint32> successors;
    for (int pos = 0; pos < m.boxIds.size(); ++pos) {
        const BoxLinks links = boxLinksAt(m, pos);
        successors << links.next << links.next0 << links.next1;
    }
    for (int pos = 0; pos < m.boxIds.size(); ++pos) {
        if (!successors.contains(m.boxIds.at(pos))) {
            m.parentIds << m.boxIds.at(pos);
            m.parentIts << pos;
        }
    }
    if (m.parentIds.isEmpty())
        logMessage(log, QStringLiteral("WARNING!\t No hay boxes padre"), LogWarning);

    showInOutputPane(log, {QStringLiteral(" "),
                             QStringLiteral("//-------------- ID's de los BOXES PADRES--------------//"),
                             QStringLiteral("Id Padres: ") + joinNumbers(m.parentIds),
                             QStringLiteral("It Padres: ") + joinNumbers(m.parentIts)});
}

void buildStateTable(DesignModel &m, MessageLog &log)
{
    const int parents = int(m.parentIts.size());
    m.stateIds = QVector<QVector<qint32>>(kStateRows, QVector<qint32>(parents, 0));
    m.stateIts = m.stateIds;
    for (int col = 0; col < parents; ++col) {
        StateWalk walk(m, log, col);
        walk.walk(m.parentIts.at(col));
    }
}

void reportHeadersAndStates(const DesignModel &m, MessageLog &log)
{
    const int parents = int(m.parentIts.size());
    QString numbers = QStringLiteral("\t");
    QString rules = QStringLiteral("\t");
    QString kinds = QStringLiteral("-TYPE Cabeceras:\t");
    QString ids = QStringLiteral("-ID Cabeceras:    \t");
    QString its = QStringLiteral("-IT Cabeceras:    \t");
    for (int col = 0; col < parents; ++col) {
        numbers += QStringLiteral("\tPadre Nº%1").arg(col + 1);
        rules += QStringLiteral("\t--------");
        kinds += diagramKindName(m.parentKinds.value(col)) + QLatin1Char('\t');
        ids += QString::number(m.parentIds.value(col)) + QLatin1Char('\t');
        its += QString::number(m.parentIts.at(col)) + QLatin1Char('\t');
    }
    QStringList lines{numbers, rules, kinds, ids, its, QStringLiteral("-ID States:")};
    const int itRows = addStateIdRows(m, parents, lines);
    lines << QStringLiteral("-IT States:");
    for (int row = 0; row < itRows; ++row) {
        QString line = QStringLiteral("      +It State %1:\t\t").arg(row + 1);
        for (int col = 0; col < parents; ++col)
            line += QString::number(stateCell(m.stateIts, row, col)) + QLatin1Char('\t');
        lines << line;
    }
    showInOutputPane(log, lines);
}
