// A run's results as a value: the width a declared range gives, the clock's column, the
// verdict and the process-pane rows of the cycles' headings.

#include "results/runresults.h"
#include "testmain.h"

#include <QTest>

class TestRunResults : public QObject {
    Q_OBJECT

private slots:
    void widthOfARange_data()
    {
        QTest::addColumn<QString>("range");
        QTest::addColumn<int>("width");
        QTest::newRow("[7:0]") << "[7:0]" << 8;
        QTest::newRow("[0:7]") << "[0:7]" << 8;
        QTest::newRow("[3:0]") << "[3:0]" << 4;
        QTest::newRow("[5:5]") << "[5:5]" << 1;
        QTest::newRow("[-1:2]") << "[-1:2]" << 4;
        QTest::newRow("[30:0]") << "[30:0]" << 31;
        QTest::newRow("[31:0]") << "[31:0]" << 32;
        QTest::newRow("wider than a value") << "[40:0]" << 32;
        QTest::newRow("no range") << " " << 32;
        QTest::newRow("empty") << "" << 32;
        QTest::newRow("single bound") << "[3]" << 32;
        QTest::newRow("unclosed") << "[3:0" << 32;
        QTest::newRow("not a number") << "[A:0]" << 32;
        QTest::newRow("huge bounds") << "[99999999999999999999:0]" << 32;
        QTest::newRow("far apart") << "[9000000000000000000:-9000000000000000000]" << 32;
        QTest::newRow("blanks inside") << "[ 7 : 0 ]" << 8;
        QTest::newRow("three bounds") << "[7:0:1]" << 32;
    }

    void widthOfARange()
    {
        QFETCH(QString, range);
        QFETCH(int, width);
        QCOMPARE(rangeWidth(range), width);
    }

    // The clock column is the input under the clock's name, not an output of that name.
    void theClockIsAnInputColumn()
    {
        RunResults r;
        r.columns = {{QStringLiteral("CLK"), KindOutput, 1}, {QStringLiteral("CLK"), KindInput, 1}};
        r.clockName = QStringLiteral("CLK");
        QCOMPARE(r.clockColumn(), 1);
        r.clockName = QStringLiteral("CK");
        QCOMPARE(r.clockColumn(), -1);
    }

    // The clock's name matches a column by exact case, as in the reports and the VCD.
    void theClockMatchesByExactCase()
    {
        RunResults r;
        r.columns = {{QStringLiteral("clk"), KindInput, 1}, {QStringLiteral("CLK"), KindInput, 1}};
        r.clockName = QStringLiteral("CLK");
        QCOMPARE(r.clockColumn(), 1);
        r.clockName = QStringLiteral("Clk");
        QCOMPARE(r.clockColumn(), -1);
    }

    // Passed: no error recorded and no verification wrong; warnings do not count.
    void passedIsNoErrorAndNoWrongVerification()
    {
        RunResults r;
        QVERIFY(r.passed());
        r.messages = {{LogWarning, QStringLiteral("Warning! w")}};
        r.verifications = {{1, QStringLiteral("Q"), 3, 3, true, {}}};
        QVERIFY(r.passed());
        r.verifications << ResultVerification{2, QStringLiteral("Q"), 3, 4, false, {}};
        QVERIFY(!r.passed());
        r.verifications.removeLast();
        r.messages << ResultMessage{LogError, QStringLiteral("Error! e")};
        QVERIFY(!r.passed());
    }

    void processRowOfACycle()
    {
        RunResults r;
        r.cycleProcessRows = {-1, 40, 97};
        QCOMPARE(r.processRowOfCycle(0), -1);
        QCOMPARE(r.processRowOfCycle(2), 97);
        QCOMPARE(r.processRowOfCycle(3), -1);
        QCOMPARE(r.processRowOfCycle(-1), -1);
    }
};

ASMSIM_REGISTER_TEST(TestRunResults)
#include "tst_runresults.moc"
