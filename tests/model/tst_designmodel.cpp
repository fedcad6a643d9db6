// The design tables: empty before any run, emptied by the reader at the start of every
// run, and the text matrices rebuilt full of "null".

#include "model/designmodel.h"
#include "model/reader.h"
#include "modelparts.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool matrixIsAllNull(const TextMatrix &matrix, int rows)
{
    if (matrix.size() != rows)
        return false;
    for (const QVector<QString> &row : matrix) {
        if (row.size() != 300)
            return false;
        for (const QString &cell : row)
            if (cell != QLatin1String("null"))
                return false;
    }
    return true;
}

// Puts something in every design table a run fills.
void fillDesign(DesignModel &m)
{
    m.boxCount = 3;
    m.boxIds = {1, 2, 3};
    m.boxTypes = boxTypesNamed({"State", "SyncOps", "Decision"});
    m.boxNext = m.boxNext0 = m.boxNext1 = m.boxVisited = {1, 1, 1};
    m.textMatrix = m.textUpMatrix = m.textDownMatrix = TextMatrix(2, QVector<QString>(3, "X"));
    m.pageIds = {7};
    m.pageNames = QStringList{" Page"};
    m.indexedBoxCount = 3;
    m.boxPositionsByType.insert(BoxType::State, 0);
    m.parentIts = m.parentIds = {0};
    m.parentKinds = diagramKindsNamed({"Design"});
    m.stateIds = m.stateIts = QVector<QVector<qint32>>(100, QVector<qint32>(1, 5));
    m.eventActivationSignals = m.eventChangeSignals = QStringList{"A"};
    m.eventActivationValues = m.eventChangeValues = {1};
    m.verifyCycles = m.verifyValues = {4};
    m.verifyVariables = QStringList{"Q"};
}

} // namespace

class TestDesignModel : public QObject {
    Q_OBJECT

private slots:
    void tablesAreEmptyBeforeAnyRun()
    {
        DesignModel m;
        QCOMPARE(m.boxCount, 0);
        QVERIFY(m.boxIds.isEmpty());
        QVERIFY(m.textMatrix.isEmpty());
        QVERIFY(m.textUpMatrix.isEmpty());
        QVERIFY(m.textDownMatrix.isEmpty());
    }

    void resetEmptiesEveryTableOfTheDesign()
    {
        DesignModel m;
        fillDesign(m);
        resetDesignModel(m);

        QVERIFY(m.boxIds.isEmpty() && m.boxTypes.isEmpty());
        QVERIFY(m.boxNext.isEmpty() && m.boxNext0.isEmpty() && m.boxNext1.isEmpty());
        QVERIFY(m.boxVisited.isEmpty());
        QVERIFY(m.textMatrix.isEmpty() && m.textUpMatrix.isEmpty() && m.textDownMatrix.isEmpty());
        QVERIFY(m.pageIds.isEmpty() && m.pageNames.isEmpty());
        QCOMPARE(m.indexedBoxCount, 0);
        QVERIFY(m.boxPositionsByType.isEmpty());
        QVERIFY(m.parentIts.isEmpty() && m.parentIds.isEmpty() && m.parentKinds.isEmpty());
        QVERIFY(m.stateIds.isEmpty() && m.stateIts.isEmpty());
        QVERIFY(m.eventActivationSignals.isEmpty() && m.eventActivationValues.isEmpty());
        QVERIFY(m.eventChangeSignals.isEmpty() && m.eventChangeValues.isEmpty());
        QVERIFY(m.verifyCycles.isEmpty() && m.verifyVariables.isEmpty() && m.verifyValues.isEmpty());
    }

    void resetKeepsWhatOutlivesARun()
    {
        DesignModel m;
        fillDesign(m);
        m.readerLines = QStringList{"pending"};
        resetDesignModel(m);
        QCOMPARE(m.readerLines, QStringList{"pending"});
        QCOMPARE(m.boxCount, 3);  // the reader, not the reset, zeroes the count
    }

    void readingStartsFromEmptyTablesAndNullMatrices()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("empty.vdo"));
        QFile empty(path);
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        ModelParts s;
        fillDesign(s.model);
        readDesignFile(s.model, s.log, path);
        QCOMPARE(s.model.boxCount, 0);
        QVERIFY(s.model.boxIds.isEmpty());
        QVERIFY(s.model.parentKinds.isEmpty() && s.model.verifyCycles.isEmpty());
        QVERIFY(matrixIsAllNull(s.model.textMatrix, 50));
        QVERIFY(matrixIsAllNull(s.model.textUpMatrix, 10));
        QVERIFY(matrixIsAllNull(s.model.textDownMatrix, 50));
        QVERIFY(s.log.errorList.isEmpty());
    }
};

ASMSIM_REGISTER_TEST(TestDesignModel)
#include "tst_designmodel.moc"
