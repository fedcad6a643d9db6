// The verification list (repeated verifications reconciled, every list printed) and the
// verification check against the simulation table.

#include "core/panesink.h"
#include "simparts.h"
#include "sim/verificationcheck.h"
#include "sim/verificationlist.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kBanner = QStringLiteral("\n//-------------------------VERIFICACIONES------------------------//");

void setRecords(SimParts &s, const QVector<qint32> &cycles, const QStringList &names, const QVector<qint32> &values)
{
    s.model.verifyCycles = cycles;
    s.model.verifyVariables = names;
    s.model.verifyValues = values;
}

// Columns named as given, 301 rows of -1.
void setTable(SimParts &s, const QStringList &columns)
{
    s.simulation.simulationColumnNames = columns;
    s.simulation.simulationTable = QVector<QVector<qint32>>(kSimulationRows, QVector<qint32>(columns.size(), -1));
}

QString totals(int correct, int wrong)
{
    return kBanner + QStringLiteral("\nVerificaciones correctas: %1\nVerificaciones erroneas: %2").arg(correct).arg(wrong);
}

QString correctLine(const QString &place, int value)
{
    return QStringLiteral("Verificacion CORRECTA ->\t") + place + QStringLiteral(",\t    Valor: %1").arg(value);
}

QString wrongLine(const QString &place, int expected, int simulated)
{
    return QStringLiteral("Verificacion ERRONEA  ->\t") + place
           + QStringLiteral(",\t    Valor a verificar: %1   !=   Valor simulado: %2").arg(expected).arg(simulated);
}

} // namespace

class TestVerifications : public QObject {
    Q_OBJECT

private slots:
    void listWithoutVerifications()
    {
        MemorySink sink;
        SimParts s(&sink);
        reportVerificationList(s.model, s.log);
        QCOMPARE(sink.output,
                 QStringList({kBanner, "Ciclo de actuacion:  \t  \nVariable a verificar: \t\nValor a verificar:    \t  "}));
    }

    // Records of the same cycle and signal all take the value of the first of them.
    void reconcileRepeats_data()
    {
        QTest::addColumn<QVector<qint32>>("cycles");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QVector<qint32>>("values");
        QTest::addColumn<QVector<qint32>>("reconciled");

        QTest::newRow("same cycle and signal") << QVector<qint32>{5, 5} << QStringList{"Q", "Q"} << QVector<qint32>{1, 0}
                                               << QVector<qint32>{1, 1};
        QTest::newRow("different cycles") << QVector<qint32>{5, 6} << QStringList{"Q", "Q"} << QVector<qint32>{1, 0}
                                          << QVector<qint32>{1, 0};
        QTest::newRow("different signals") << QVector<qint32>{5, 5} << QStringList{"Q", "R"} << QVector<qint32>{1, 0}
                                           << QVector<qint32>{1, 0};
        QTest::newRow("names compared exactly") << QVector<qint32>{5, 5} << QStringList{"Q", "q"}
                                                << QVector<qint32>{1, 0} << QVector<qint32>{1, 0};
        QTest::newRow("first of several wins") << QVector<qint32>{2, 2, 2, 2} << QStringList{"A", "B", "A", "A"}
                                               << QVector<qint32>{3, 4, 5, 6} << QVector<qint32>{3, 4, 3, 3};
        QTest::newRow("only indexes all lists have") << QVector<qint32>{5, 5, 5} << QStringList{"Q", "Q"}
                                                     << QVector<qint32>{1, 0, 7} << QVector<qint32>{1, 1, 7};
    }
    void reconcileRepeats()
    {
        QFETCH(QVector<qint32>, cycles);
        QFETCH(QStringList, names);
        QFETCH(QVector<qint32>, values);
        QFETCH(QVector<qint32>, reconciled);

        MemorySink sink;
        SimParts s(&sink);
        setRecords(s, cycles, names, values);
        reportVerificationList(s.model, s.log);
        QCOMPARE(s.model.verifyValues, reconciled);
        QCOMPARE(s.model.verifyCycles, cycles);
        QCOMPARE(s.model.verifyVariables, names);
    }

    // One column per entry; lists of different lengths are each printed whole.
    void listPrintsEachListWhole()
    {
        MemorySink sink;
        SimParts s(&sink);
        setRecords(s, {5, 5, 12}, {"Q", "Q"}, {1, 0, -7});
        reportVerificationList(s.model, s.log);
        QCOMPARE(sink.output, QStringList({kBanner, "Ciclo de actuacion:  \t  5\t5\t12\t\nVariable a verificar: \tQ\tQ\t"
                                                    "\nValor a verificar:    \t  1\t1\t-7\t"}));
    }

    void checkWithoutVerifications()
    {
        MemorySink sink;
        SimParts s(&sink);
        setTable(s, {"A"});
        const VerificationTotals result = checkVerifications(s.model, s.simulation, s.log);
        QCOMPARE(sink.process, QStringList{QString()});
        QCOMPARE(sink.output, QStringList{totals(0, 0)});
        QCOMPARE(result.correct, 0);
        QCOMPARE(result.wrong, 0);
    }

    // Each record against each column of its name, in record and column order; a name
    // that heads no column gives no line; an unwritten cell reads -1. The totals go to
    // the output pane and the output file.
    void checkLinesAndTotals()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        MemorySink sink;
        SimParts s(&sink);
        s.log.outputFile.setFileName(dir.filePath("out.txt"));
        QVERIFY(s.log.outputFile.open(QIODevice::WriteOnly | QIODevice::Text));

        setTable(s, {"A", "B", "Q", "B"});
        QVector<QVector<qint32>> &table = s.simulation.simulationTable;
        table[3][2] = 5;
        table[2][2] = 1;
        table[2][1] = 0;
        table[2][3] = 7;
        table[0][0] = -3;
        setRecords(s, {3, 2, 1, 1, 10, 2, 0, 300}, {"Q", "Q", "Z", "", "Q", "B", "A", "A"}, {5, 4, 0, 0, 9, 0, -3, -1});

        const VerificationTotals result = checkVerifications(s.model, s.simulation, s.log);
        QCOMPARE(sink.process, QStringList({
                                   QString(),
                                   correctLine("Ciclo: 3,\tSeñal: Q", 5),
                                   wrongLine("Ciclo: 2,\tSeñal: Q", 4, 1),
                                   wrongLine("Ciclo: 10,\tSeñal: Q", 9, -1),
                                   correctLine("Ciclo: 2,\tSeñal: B", 0),
                                   wrongLine("Ciclo: 2,\tSeñal: B", 0, 7),
                                   correctLine("Ciclo: 0,\tSeñal: A", -3),
                                   correctLine("Ciclo: 300,\tSeñal: A", -1),
                               }));
        QCOMPARE(sink.output, QStringList{totals(4, 3)});
        QCOMPARE(result.correct, 4);
        QCOMPARE(result.wrong, 3);
        QVERIFY(s.log.warningList.isEmpty());
        QVERIFY(s.log.errorList.isEmpty());

        s.log.outputStream.flush();
        s.log.outputFile.close();
        QFile written(dir.filePath("out.txt"));
        QVERIFY(written.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(QString::fromUtf8(written.readAll()), totals(4, 3) + "\n");
    }

    // A verification of a cycle outside the table is not compared: it gives a warning,
    // once per record and in record order, and counts in neither total.
    void outOfTableVerificationsWarn()
    {
        MemorySink sink;
        SimParts s(&sink);
        setTable(s, {"Q"});
        s.simulation.simulationTable[3][0] = 5;
        setRecords(s, {301, 3, -1, 301}, {"Q", "Q", "", "Q"}, {1, 5, 0, 1});

        const VerificationTotals result = checkVerifications(s.model, s.simulation, s.log);
        QCOMPARE(sink.process, QStringList({QString(), correctLine("Ciclo: 3,\tSeñal: Q", 5)}));
        QCOMPARE(sink.output, QStringList{totals(1, 0)});
        QCOMPARE(result.correct, 1);
        QCOMPARE(result.wrong, 0);
        const QString warning = QStringLiteral("WARNING!\t Verificacion fuera de la tabla de simulacion. Ciclo: ");
        QCOMPARE(s.log.warningList,
                 QStringList({warning + "301, Señal: Q", warning + "-1, Señal: ", warning + "301, Señal: Q"}));
        QVERIFY(s.log.errorList.isEmpty());
    }

    // The check sees the reconciled values: a later, contradicting verification of the
    // same signal at the same cycle is checked with the first value.
    void reconciledValuesAreChecked()
    {
        MemorySink sink;
        SimParts s(&sink);
        setTable(s, {"Q"});
        s.simulation.simulationTable[5][0] = 1;
        setRecords(s, {5, 5}, {"Q", "Q"}, {1, 0});

        reportVerificationList(s.model, s.log);
        checkVerifications(s.model, s.simulation, s.log);
        QCOMPARE(sink.process,
                 QStringList({QString(), correctLine("Ciclo: 5,\tSeñal: Q", 1), correctLine("Ciclo: 5,\tSeñal: Q", 1)}));
        QCOMPARE(sink.output.last(), totals(2, 0));
    }
};

ASMSIM_REGISTER_TEST(TestVerifications)
#include "tst_verifications.moc"
