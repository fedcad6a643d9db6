// How values are shown, for the waveform view and the VCD writer alike: which values fit
// a width, how a value is written in each radix, the kinds' names, and the waveform rows
// built from a run's results.

#include "results/displayrules.h"
#include "results/waveformrows.h"
#include "testmain.h"

#include <QTest>

namespace {

ResultColumn column(const char *name, SignalKind kind, int width)
{
    return ResultColumn{QString::fromLatin1(name), kind, width};
}

} // namespace

class TestDisplayRules : public QObject {
    Q_OBJECT

private slots:
    void valuesThatFitAWidth()
    {
        QVERIFY(valueFitsWidth(1, 0) && valueFitsWidth(1, 1));
        QVERIFY(!valueFitsWidth(1, 2) && !valueFitsWidth(1, -1));
        QVERIFY(valueFitsWidth(4, 15) && !valueFitsWidth(4, 16));
        QVERIFY(valueFitsWidth(31, 2147483647) && !valueFitsWidth(31, -1));
        QVERIFY(valueFitsWidth(32, -1) && valueFitsWidth(32, -2147483647 - 1));
        // A width set outside 1 to 32 is kept within it.
        QVERIFY(valueFitsWidth(0, 1) && !valueFitsWidth(0, 2) && valueFitsWidth(40, -5));
        QCOMPARE(effectiveWidth(0), 1);
        QCOMPARE(effectiveWidth(40), 32);
    }

    void valuesInEachRadix_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("radix");
        QTest::addColumn<QString>("text");
        const int dec = int(ValueRadix::Decimal), hex = int(ValueRadix::Hexadecimal), bin = int(ValueRadix::Binary);
        QTest::newRow("8 bits, decimal") << 8 << 200 << dec << "200";
        QTest::newRow("8 bits, hexadecimal") << 8 << 10 << hex << "0A";
        QTest::newRow("5 bits, hexadecimal") << 5 << 17 << hex << "11";
        QTest::newRow("5 bits, binary") << 5 << 5 << bin << "00101";
        QTest::newRow("does not fit") << 4 << 16 << dec << "x";
        QTest::newRow("never set") << 1 << -1 << bin << "x";
        QTest::newRow("32 bits, negative, decimal") << 32 << -3 << dec << "-3";
        QTest::newRow("32 bits, negative, hexadecimal") << 32 << -3 << hex << "FFFFFFFD";
        QTest::newRow("32 bits, small, binary") << 32 << 1 << bin << QString(31, QLatin1Char('0')) + "1";
    }

    void valuesInEachRadix()
    {
        QFETCH(int, width);
        QFETCH(int, value);
        QFETCH(int, radix);
        QFETCH(QString, text);
        QCOMPARE(formatSignalValue(width, value, ValueRadix(radix)), text);
    }

    void kindNames()
    {
        QCOMPARE(signalKindName(KindInput), QStringLiteral("entrada"));
        QCOMPARE(signalKindName(KindOutput), QStringLiteral("salida"));
        QCOMPARE(signalKindName(KindInout), QStringLiteral("entrada y salida"));
        QCOMPARE(signalKindName(KindWire), QStringLiteral("señal interna"));
        QCOMPARE(signalKindName(KindNone), QString());
    }

    // Four cycles: Q holds 0, 0, 1, 1 and then a short row; the clock is the input named
    // exactly as the ThreadSync names it; two verifications land on one cell of Q, one
    // under an instance prefix, and one on a cycle the table does not have.
    void rowsOfSegmentsMarksAndTheClock()
    {
        RunResults r;
        r.columns = {column("clk", KindInput, 1), column("CLK", KindInput, 1), column("Q", KindOutput, 2)};
        r.rows = {{0, 10, 0}, {0, 10, 0}, {0, 10, 1}, {0, 10}};
        r.clockName = QStringLiteral("CLK");
        r.verifications = {{2, QStringLiteral("Q"), 1, 1, true, {}},
                           {2, QStringLiteral("UUT.Q"), 2, 1, false, {}},
                           {0, QStringLiteral("q"), 0, 0, true, {}},
                           {9, QStringLiteral("Q"), 1, 1, true, {}}};
        const QVector<WaveRow> rows = waveRows(r);
        QCOMPARE(rows.size(), 3);
        QVERIFY(!rows[0].isClock && rows[1].isClock && !rows[2].isClock);

        const QVector<WaveSegment> &q = rows[2].segments;
        QCOMPARE(q.size(), 3);
        QCOMPARE((QVector<int>{q[0].start, q[0].end, q[0].value}), (QVector<int>{0, 2, 0}));
        QCOMPARE((QVector<int>{q[1].start, q[1].end, q[1].value}), (QVector<int>{2, 3, 1}));
        QCOMPARE((QVector<int>{q[2].start, q[2].end, q[2].value}), (QVector<int>{3, 4, -1}));

        const QVector<WaveMark> &marks = rows[2].marks;
        QCOMPARE(marks.size(), 2);
        QCOMPARE(marks[0].cycle, 0);
        QVERIFY(!marks[0].wrong);
        QCOMPARE(marks[1].cycle, 2);
        QVERIFY(marks[1].wrong);
        QCOMPARE(marks[1].texts, (QStringList{"ciclo 2: Q esperado 1, simulado 1", "ciclo 2: UUT.Q esperado 2, simulado 1"}));
        QVERIFY(rows[0].marks.isEmpty() && rows[1].marks.isEmpty());
    }
};

ASMSIM_REGISTER_TEST(TestDisplayRules)
#include "tst_displayrules.moc"
