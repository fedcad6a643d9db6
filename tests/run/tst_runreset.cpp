// The reset at the start of every run: what it empties, what outlives it, and the
// output file's failure recorded again.

#include "core/messagelog.h"
#include "run/runreset.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QTest>

namespace {

// Puts something in every table a run fills besides the design tables.
void fillEverything(SimState &s)
{
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
    s.simulation.correctVerifications = 2;
    s.simulation.wrongVerifications = 1;

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

class TestRunReset : public QObject {
    Q_OBJECT

private slots:
    void stateBeforeAnyRunHasNoKindAndCycleZero()
    {
        SimState s;
        QCOMPARE(s.signalTable.declarationKind, KindNone);
        QCOMPARE(s.signalTable.simCycle, 0);
        QCOMPARE(s.simulation.changedPasses, 0);
    }

    void resetEmptiesEveryTableOfTheRun()
    {
        SimState s;
        fillEverything(s);
        resetForRun(s);

        QVERIFY(signalTableIsEmpty(s.signalTable));
        QCOMPARE(s.registers.exprValue, 0);
        QCOMPARE(s.registers.truthValue, false);
        QCOMPARE(s.registers.comparisonFound, 0);
        QCOMPARE(s.registers.logicFound, 0);
        QVERIFY(s.registers.currentSignalName.isEmpty() && s.registers.scannedSignalName.isEmpty());
        QVERIFY(s.simulation.defaultSignalNames.isEmpty() && s.simulation.defaultSignalValues.isEmpty());
        QVERIFY(s.simulation.simulationColumnNames.isEmpty() && s.simulation.simulationTable.isEmpty());
        QCOMPARE(s.simulation.correctVerifications, 0);
        QCOMPARE(s.simulation.wrongVerifications, 0);
        QVERIFY(s.log.errorList.isEmpty() && s.log.warningList.isEmpty());
    }

    void resetKeepsWhatOutlivesARun()
    {
        SimState s;
        fillEverything(s);
        s.signalTable.declarationKind = KindInout;
        s.signalTable.simCycle = 12;
        s.simulation.changedPasses = 5;
        s.log.traceLines = QStringList{"trace"};
        resetForRun(s);
        QCOMPARE(s.signalTable.declarationKind, KindInout);
        QCOMPARE(s.signalTable.simCycle, 12);
        QCOMPARE(s.simulation.changedPasses, 5);
        QCOMPARE(s.log.traceLines, QStringList{"trace"});
    }

    void resetRecordsAgainAnOutputFileThatFailedToOpen()
    {
        SimState s;
        s.log.outputOpenFailed = true;
        logMessage(s.log, kOutputOpenError, LogError);
        logMessage(s.log, QStringLiteral("Warning! old"), LogWarning);
        resetForRun(s);
        QCOMPARE(s.log.errorList, QStringList{"Error! Fallo al abrir el archivo de salida"});
        QVERIFY(s.log.warningList.isEmpty());
    }
};

ASMSIM_REGISTER_TEST(TestRunReset)
#include "tst_runreset.moc"
