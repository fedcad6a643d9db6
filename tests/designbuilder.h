#pragma once
// Fills the design tables by hand, the way the reader leaves them after reading a file,
// for tests of the stages that come after the reader.

#include "model/designmodel.h"

#include <QMetaType>
#include <QStringList>
#include <QVector>

struct TestBox {
    TestBox() = default;
    TestBox(qint32 id, const QString &type, qint32 next = -1, qint32 next0 = -1, qint32 next1 = -1,
            const QStringList &text = {}, const QStringList &textDown = {})
        : id(id), type(type), next(next), next0(next0), next1(next1), text(text), textDown(textDown)
    {
    }

    qint32 id = 0;
    QString type;
    qint32 next = -1;
    qint32 next0 = -1;
    qint32 next1 = -1;
    QStringList text;      // lines of the Text value
    QStringList textDown;  // lines of the TextDown value
};
using TestBoxes = QVector<TestBox>;
Q_DECLARE_METATYPE(TestBox)

inline void putLines(TextMatrix &matrix, int column, const QStringList &lines)
{
    for (int row = 0; row < lines.size() && row < matrix.size(); ++row)
        matrix[row][column] = lines.at(row);
}

// Appends the boxes, in order, after those already in the tables.
inline void addBoxes(DesignModel &m, const TestBoxes &boxes)
{
    if (m.textMatrix.isEmpty())
        rebuildTextMatrices(m);
    for (const TestBox &box : boxes) {
        const int pos = m.boxCount++;
        m.boxIds << box.id;
        m.boxTypes << boxTypeNamed(box.type);
        m.boxNext << box.next;
        m.boxNext0 << box.next0;
        m.boxNext1 << box.next1;
        m.boxVisited << 0;
        putLines(m.textMatrix, pos, box.text);
        putLines(m.textDownMatrix, pos, box.textDown);
    }
}

// Makes the boxes at these positions the roots of the diagrams.
inline void setParents(DesignModel &m, const QVector<qint32> &positions)
{
    m.parentIts = positions;
    m.parentIds.clear();
    for (qint32 pos : positions)
        m.parentIds << m.boxIds.value(pos);
}
