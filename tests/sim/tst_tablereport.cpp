// The simulation table report: cycles 0 to simCycle, single tabs in the output pane,
// padded tabs in the output file.

#include "core/messagelog.h"
#include "simfixture.h"
#include "sim/simulationstate.h"
#include "sim/tablereport.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kBanner = QStringLiteral("\n//-------------------------SIMULACION----------------------//");

using Row = QVector<qint32>;

// A state whose output file is a fresh file in a temporary folder.
struct ReportFixture : SimFixture {
    QTemporaryDir dir;

    ReportFixture()
    {
        QFile &file = state->log.outputFile;
        file.setFileName(dir.filePath(QStringLiteral("out.txt")));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
    }

    // Columns named in order, the table 301 rows wide enough for them, all -1.
    void createTable(const QStringList &names)
    {
        state->simulation.simulationColumnNames = names;
        state->simulation.simulationTable = QVector<Row>(kSimulationRows, Row(names.size(), -1));
    }

    void setColumn(int column, const Row &values)
    {
        for (int cycle = 0; cycle < values.size(); ++cycle)
            state->simulation.simulationTable[cycle][column] = values.at(cycle);
    }

    QString fileText()
    {
        state->log.outputStream.flush();
        state->log.outputFile.close();
        QFile file(dir.filePath(QStringLiteral("out.txt")));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return QStringLiteral("<unreadable>");
        return QString::fromUtf8(file.readAll());
    }
};

} // namespace

class TestTableReport : public QObject {
    Q_OBJECT

private slots:
    // simCycle 2 and signal A with values 0, 1, 1; the cells after cycle 2 are not shown.
    void paneAndFileLayouts()
    {
        ReportFixture f;
        f.createTable({"A", "Q"});
        f.setColumn(0, {0, 1, 1, 7});
        f.setColumn(1, {-1, 12});
        f.state->signalTable.simCycle = 2;
        reportSimulationTable(f.state->simulation, f.state->signalTable.simCycle, f.state->log);
        QCOMPARE(f.sink.output, QStringList({kBanner, "\t[0]\t[1]\t[2]\t", "A\t0\t1\t1\t", "Q\t-1\t12\t-1\t"}));
        QCOMPARE(f.fileText(), kBanner + "\n"
                                   "\t\t[0]\t\t[1]\t\t[2]\t\t\n"
                                   "A\t\t0\t\t1\t\t1\t\t\n"
                                   "Q\t\t-1\t\t12\t\t-1\t\t\n");
        QVERIFY(f.sink.process.isEmpty());
    }

    // In the file a value of eight characters or more, minus sign included, is followed
    // by one tab, a shorter one by two.
    void filePadding_data()
    {
        QTest::addColumn<qint32>("value");
        QTest::addColumn<QString>("gap");
        QTest::newRow("seven digits") << 1234567 << "\t\t";
        QTest::newRow("eight digits") << 12345678 << "\t";
        QTest::newRow("negative, six digits") << -123456 << "\t\t";
        QTest::newRow("negative, seven digits") << -1234567 << "\t";
        QTest::newRow("largest") << 2147483647 << "\t";
        QTest::newRow("smallest") << qint32(-2147483647 - 1) << "\t";
        QTest::newRow("no value") << -1 << "\t\t";
    }
    void filePadding()
    {
        QFETCH(qint32, value);
        QFETCH(QString, gap);
        ReportFixture f;
        f.createTable({"S"});
        f.setColumn(0, {value, 3});
        f.state->signalTable.simCycle = 1;
        reportSimulationTable(f.state->simulation, f.state->signalTable.simCycle, f.state->log);
        const QString number = QString::number(value);
        QCOMPARE(f.fileText(), kBanner + "\n\t\t[0]\t\t[1]\t\t\nS\t\t" + number + gap + "3\t\t\n");
        QCOMPARE(f.sink.output.last(), "S\t" + number + "\t3\t");
    }

    void noSignals()
    {
        ReportFixture f;
        f.createTable({});
        f.state->signalTable.simCycle = 1;
        reportSimulationTable(f.state->simulation, f.state->signalTable.simCycle, f.state->log);
        QCOMPARE(f.sink.output, QStringList({kBanner, "\t[0]\t[1]\t"}));
        QCOMPARE(f.fileText(), kBanner + "\n\t\t[0]\t\t[1]\t\t\n");
    }

    // A cycle count beyond the table stops at its last row.
    void stopsAtLastRow()
    {
        ReportFixture f;
        f.createTable({"A"});
        f.state->simulation.simulationTable[300][0] = 8;
        f.state->signalTable.simCycle = 305;
        reportSimulationTable(f.state->simulation, f.state->signalTable.simCycle, f.state->log);
        const QStringList &pane = f.sink.output;
        QCOMPARE(pane.size(), 3);
        QVERIFY(pane.at(1).endsWith(QStringLiteral("\t[299]\t[300]\t")));
        QCOMPARE(pane.at(2).count(QLatin1Char('\t')), 1 + kSimulationRows);
        QVERIFY(pane.at(2).endsWith(QStringLiteral("\t-1\t8\t")));
    }

    // Without a table (no presimulation) no cycle is shown; the names still are.
    void noTable()
    {
        ReportFixture f;
        f.state->simulation.simulationColumnNames = {"A"};
        f.state->signalTable.simCycle = 3;
        reportSimulationTable(f.state->simulation, f.state->signalTable.simCycle, f.state->log);
        QCOMPARE(f.sink.output, QStringList({kBanner, "\t", "A\t"}));
        QCOMPARE(f.fileText(), kBanner + "\n\t\t\nA\t\t\n");
    }

    // A row narrower than the names shows -1 for the cells it has no room for.
    void narrowRow()
    {
        ReportFixture f;
        f.createTable({"A"});
        f.setColumn(0, {4});
        f.state->simulation.simulationColumnNames << "B";
        f.state->signalTable.simCycle = 0;
        reportSimulationTable(f.state->simulation, f.state->signalTable.simCycle, f.state->log);
        QCOMPARE(f.sink.output, QStringList({kBanner, "\t[0]\t", "A\t4\t", "B\t-1\t"}));
    }

    // 300 cycles of 130 signals, about 40 000 values: every line is built once.
    void largeTable()
    {
        ReportFixture f;
        QStringList names;
        for (int k = 0; k < 130; ++k)
            names << QStringLiteral("S") + QString(QLatin1Char('A' + k % 26)).repeated(k / 26 + 1);
        f.createTable(names);
        for (Row &row : f.state->simulation.simulationTable)
            row.fill(12345678);
        f.state->signalTable.simCycle = 300;
        QElapsedTimer timer;
        timer.start();
        reportSimulationTable(f.state->simulation, f.state->signalTable.simCycle, f.state->log);
        QCOMPARE(f.sink.output.size(), 2 + 130);
        QCOMPARE(f.sink.output.last(), names.last() + QStringLiteral("\t12345678").repeated(301) + "\t");
        QVERIFY2(timer.elapsed() < 2000, "the report should take well under a second");
    }
};

ASMSIM_REGISTER_TEST(TestTableReport)
#include "tst_tablereport.moc"
