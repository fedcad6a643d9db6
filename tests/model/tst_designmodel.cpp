// The design tables: empty before any run, emptied by the reset at the start of every
// run, and the text matrices rebuilt full of "null".

#include "core/messagelog.h"
#include "run/simstate.h"
#include "model/designmodel.h"
#include "model/reader.h"
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

// Puts something in every table a run fills.
void fillEverything(SimState &s)
{
    DesignModel &m = s.model;
    m.boxCount = 3;
    m.boxIds = {1, 2, 3};
    m.boxTypes = QStringList{"State", "SyncOps", "Decision"};
    m.boxNext = m.boxNext0 = m.boxNext1 = m.boxVisited = {1, 1, 1};
    m.textMatrix = m.textUpMatrix = m.textDownMatrix = TextMatrix(2, QVector<QString>(3, "X"));
    m.pageIds = {7};
    m.pageNames = QStringList{" Page"};
    m.indexedBoxCount = 3;
    m.boxPositionsByType.insert(QStringLiteral("State"), 0);
    m.parentIts = m.parentIds = {0};
    m.parentKinds = QStringList{"Design"};
    m.stateIds = m.stateIts = QVector<QVector<qint32>>(100, QVector<qint32>(1, 5));
    m.eventActivationSignals = m.eventChangeSignals = QStringList{"A"};
    m.eventActivationValues = m.eventChangeValues = {1};
    m.verifyCycles = m.verifyValues = {4};
    m.verifyVariables = QStringList{"Q"};

    SignalTable &t = s.signalTable;
    for (QStringList *names : {&t.inputNames, &t.outputNames, &t.inoutNames, &t.wireNames,
                               &t.inputRanges, &t.outputRanges, &t.inoutRanges, &t.wireRanges,
                               &t.inputTiming, &t.outputTiming, &t.inoutTiming, &t.wireTiming})
        *names = QStringList{"N"};
    for (SignalValues *values : {&t.current, &t.next, &t.previous})
        values->input = values->output = values->inout = values->wire = {3};

    s.registers.exprValue = 9;
    s.registers.truthValue = true;
    s.registers.comparisonFound = 1;
    s.registers.logicFound = 1;
    s.registers.currentSignalName = QStringLiteral("A");
    s.registers.scannedSignalName = QStringLiteral("B");

    s.simulation.defaultSignalNames = QStringList{"Q"};
    s.simulation.defaultSignalValues = {0};
    s.simulation.simulationColumnNames = QStringList{"A"};
    s.simulation.simulationTable = QVector<QVector<qint32>>(301, QVector<qint32>(1, -1));

    s.log.errorList = QStringList{"Error! old"};
    s.log.warningList = QStringList{"Warning! old"};
}

bool signalTableIsEmpty(const SignalTable &t)
{
    for (const QStringList *names : {&t.inputNames, &t.outputNames, &t.inoutNames, &t.wireNames,
                                     &t.inputRanges, &t.outputRanges, &t.inoutRanges, &t.wireRanges,
                                     &t.inputTiming, &t.outputTiming, &t.inoutTiming, &t.wireTiming})
        if (!names->isEmpty())
            return false;
    for (const SignalValues *v : {&t.current, &t.next, &t.previous})
        if (!v->input.isEmpty() || !v->output.isEmpty() || !v->inout.isEmpty() || !v->wire.isEmpty())
            return false;
    return true;
}

} // namespace

class TestDesignModel : public QObject {
    Q_OBJECT

private slots:
    void tablesAreEmptyBeforeAnyRun()
    {
        SimState s;
        QCOMPARE(s.model.boxCount, 0);
        QVERIFY(s.model.boxIds.isEmpty());
        QVERIFY(s.model.textMatrix.isEmpty());
        QVERIFY(s.model.textUpMatrix.isEmpty());
        QVERIFY(s.model.textDownMatrix.isEmpty());
        QCOMPARE(s.signalTable.declarationKind, 0);
        QCOMPARE(s.signalTable.simCycle, 0);
    }

    void resetEmptiesEveryTableOfTheRun()
    {
        SimState s;
        fillEverything(s);
        resetDesignModel(s);

        const DesignModel &m = s.model;
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
        QVERIFY(signalTableIsEmpty(s.signalTable));
        QCOMPARE(s.registers.exprValue, 0);
        QCOMPARE(s.registers.truthValue, false);
        QCOMPARE(s.registers.comparisonFound, 0);
        QCOMPARE(s.registers.logicFound, 0);
        QVERIFY(s.registers.currentSignalName.isEmpty() && s.registers.scannedSignalName.isEmpty());
        QVERIFY(s.simulation.defaultSignalNames.isEmpty() && s.simulation.defaultSignalValues.isEmpty());
        QVERIFY(s.simulation.simulationColumnNames.isEmpty() && s.simulation.simulationTable.isEmpty());
        QVERIFY(s.log.errorList.isEmpty() && s.log.warningList.isEmpty());
    }

    void resetKeepsWhatOutlivesARun()
    {
        SimState s;
        fillEverything(s);
        s.signalTable.declarationKind = KindInout;
        s.signalTable.simCycle = 12;
        s.model.readerLines = QStringList{"pending"};
        s.log.traceLines = QStringList{"trace"};
        resetDesignModel(s);
        QCOMPARE(s.signalTable.declarationKind, KindInout);
        QCOMPARE(s.signalTable.simCycle, 12);
        QCOMPARE(s.model.readerLines, QStringList{"pending"});
        QCOMPARE(s.log.traceLines, QStringList{"trace"});
        QCOMPARE(s.model.boxCount, 3);  // the reader, not the reset, zeroes the count
    }

    void readingStartsFromEmptyTablesAndNullMatrices()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("empty.vdo"));
        QFile empty(path);
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        SimState s;
        fillEverything(s);
        LecturaArchivo(s, path);
        QCOMPARE(s.model.boxCount, 0);
        QVERIFY(s.model.boxIds.isEmpty());
        QVERIFY(matrixIsAllNull(s.model.textMatrix, 50));
        QVERIFY(matrixIsAllNull(s.model.textUpMatrix, 10));
        QVERIFY(matrixIsAllNull(s.model.textDownMatrix, 50));
        QVERIFY(s.log.errorList.isEmpty());
    }

    void readingRecordsAgainAnOutputFileThatFailedToOpen()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("empty.vdo"));
        QFile empty(path);
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        SimState s;
        s.log.outputOpenFailed = true;
        logMessage(s.log, kOutputOpenError, LogError);
        logMessage(s.log, QStringLiteral("Warning! old"), LogWarning);
        LecturaArchivo(s, path);
        QCOMPARE(s.log.errorList, QStringList{"Error! Fallo al abrir el archivo de salida"});
        QVERIFY(s.log.warningList.isEmpty());
    }
};

ASMSIM_REGISTER_TEST(TestDesignModel)
#include "tst_designmodel.moc"
