// The Value Change Dump of a run: its header, the widths, the clock, x for values that
// do not fit, changes only, and a round trip through GTKWave's own converters.

#include "results/runresults.h"
#include "results/vcdexport.h"
#include "testmain.h"
#include "vcdreading.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime kDate(QDate(2026, 12, 7), QTime(11, 31, 59));

ResultColumn column(const char *name, int kind, int width)
{
    return ResultColumn{QString::fromLatin1(name), SignalKind(kind), width};
}

QByteArray lineAfter(const QByteArray &text, const QByteArray &marker)
{
    const QList<QByteArray> lines = text.split('\n');
    const qsizetype at = lines.indexOf(marker);
    return at >= 0 && at + 1 < lines.size() ? lines.at(at + 1) : QByteArray("<none>");
}

QList<QByteArray> timeStamps(const QByteArray &text)
{
    QList<QByteArray> stamps;
    for (const QByteArray &line : text.split('\n')) {
        if (line.startsWith('#'))
            stamps << line;
    }
    return stamps;
}

// Two cycles of a clock and a signal A that changes between them.
RunResults clockedResults(const QString &unit, qint32 cycleTime, bool clock)
{
    RunResults r;
    r.designName = QStringLiteral("d");
    r.columns = {column("CLK", 1, 1), column("A", 2, 1)};
    r.rows = {{cycleTime, 0}, {cycleTime, 1}};
    r.clockName = clock ? QStringLiteral("CLK") : QString();
    r.cycleTime = cycleTime;
    r.timeUnit = unit;
    return r;
}

} // namespace

class TestVcdExport : public QObject {
    Q_OBJECT

private slots:
    // Four cycles of a 10 ns clock, a 1-bit, a 4-bit and a 32-bit signal: the clock
    // rises at each cycle's start and falls at its half; only changes are written; -1
    // and 16 do not fit four bits; the 32-bit column takes -1 as its two's complement.
    void theWholeDumpOfASmallRun()
    {
        RunResults r;
        r.designName = QStringLiteral("counter");
        r.columns = {column("CLK", 1, 1), column("EN", 1, 1), column("Q", 2, 4), column("N", 4, 32)};
        r.rows = {{10, 0, -1, 0}, {10, 0, -1, -1}, {10, 1, 3, -1}, {10, 1, 16, 5}};
        r.clockName = QStringLiteral("CLK");
        r.cycleTime = 10;
        r.timeUnit = QStringLiteral("ns");
        const QByteArray zeros(32, '0'), ones(32, '1');
        const QByteArray expected = "$date\n\t2026-12-07 11:31:59\n$end\n"
                                    "$version\n\tasmsim " ASMSIM_PROJECT_VERSION "\n$end\n"
                                    "$timescale\n\t1 ns\n$end\n"
                                    "$scope module counter $end\n"
                                    "$var wire 1 ! CLK $end\n"
                                    "$var wire 1 \" EN $end\n"
                                    "$var wire 4 # Q [3:0] $end\n"
                                    "$var wire 32 $ N [31:0] $end\n"
                                    "$upscope $end\n"
                                    "$enddefinitions $end\n"
                                    "#0\n$dumpvars\n1!\n0\"\nbxxxx #\nb" + zeros + " $\n$end\n"
                                    "#5\n0!\n"
                                    "#10\n1!\nb" + ones + " $\n"
                                    "#15\n0!\n"
                                    "#20\n1!\n1\"\nb0011 #\n"
                                    "#25\n0!\n"
                                    "#30\n1!\nbxxxx #\nb" + zeros.left(29) + "101 $\n"
                                    "#35\n0!\n"
                                    "#40\n";
        QCOMPARE(vcdText(r, kDate), expected);
    }

    // The timescale follows the clock's unit (1 ns when there is none or it is unknown);
    // cycle c starts at c x the cycle time (1 when none). An odd cycle time has its half
    // between two ticks, so the dump counts in tenths of the unit; femtoseconds have no
    // finer unit: the clock falls at the tick after the half, and not at all in 1 fs.
    void timescaleAndClockEdges_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("cycleTime");
        QTest::addColumn<bool>("clock");
        QTest::addColumn<QByteArray>("timescale");
        QTest::addColumn<QByteArray>("stamps");
        QTest::newRow("10 ns") << "ns" << 10 << true << QByteArray("1 ns") << QByteArray("#0 #5 #10 #15 #20");
        QTest::newRow("4 us") << "us" << 4 << true << QByteArray("1 us") << QByteArray("#0 #2 #4 #6 #8");
        QTest::newRow("2 ms") << "ms" << 2 << true << QByteArray("1 ms") << QByteArray("#0 #1 #2 #3 #4");
        QTest::newRow("6 s") << "s" << 6 << true << QByteArray("1 s") << QByteArray("#0 #3 #6 #9 #12");
        QTest::newRow("8 ps") << "ps" << 8 << true << QByteArray("1 ps") << QByteArray("#0 #4 #8 #12 #16");
        QTest::newRow("upper case") << "US" << 4 << true << QByteArray("1 us") << QByteArray("#0 #2 #4 #6 #8");
        QTest::newRow("unknown unit") << "furlong" << 2 << true << QByteArray("1 ns") << QByteArray("#0 #1 #2 #3 #4");
        QTest::newRow("no unit") << "" << 2 << true << QByteArray("1 ns") << QByteArray("#0 #1 #2 #3 #4");
        QTest::newRow("no cycle time") << "" << 0 << true << QByteArray("100 ps") << QByteArray("#0 #5 #10 #15 #20");
        QTest::newRow("5 ns") << "ns" << 5 << true << QByteArray("100 ps") << QByteArray("#0 #25 #50 #75 #100");
        QTest::newRow("3 s") << "s" << 3 << true << QByteArray("100 ms") << QByteArray("#0 #15 #30 #45 #60");
        QTest::newRow("3 fs") << "fs" << 3 << true << QByteArray("1 fs") << QByteArray("#0 #2 #3 #5 #6");
        QTest::newRow("1 fs") << "fs" << 1 << true << QByteArray("1 fs") << QByteArray("#0 #1 #2");
        QTest::newRow("odd without a clock") << "ps" << 7 << false << QByteArray("1 ps") << QByteArray("#0 #7 #14");
        QTest::newRow("none without a clock") << "" << 0 << false << QByteArray("1 ns") << QByteArray("#0 #1 #2");
    }

    void timescaleAndClockEdges()
    {
        QFETCH(QString, unit);
        QFETCH(int, cycleTime);
        QFETCH(bool, clock);
        QFETCH(QByteArray, timescale);
        QFETCH(QByteArray, stamps);
        const QByteArray text = vcdText(clockedResults(unit, cycleTime, clock), kDate);
        QCOMPARE(lineAfter(text, "$timescale"), "\t" + timescale);
        QCOMPARE(timeStamps(text), stamps.split(' '));
        // The clock: high at each cycle's start, low from its half.
        const ParsedVcd vcd = parseVcd(text);
        if (clock && stamps.count('#') == 5) {
            const QList<QByteArray> t = stamps.split(' ');
            const Changes expected{{0, "1"}, {t.at(1).mid(1).toLongLong(), "0"}, {t.at(2).mid(1).toLongLong(), "1"},
                                   {t.at(3).mid(1).toLongLong(), "0"}};
            QCOMPARE(vcd.bySignal.value("CLK"), expected);
        }
    }

    // Scalars are 0, 1 or x; vectors have all their digits; a value that does not fit
    // is x of the width; 32 bits hold every value as its two's complement.
    void valuesAndX_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("1 bit 0") << 1 << 0 << QByteArray("0!");
        QTest::newRow("1 bit 1") << 1 << 1 << QByteArray("1!");
        QTest::newRow("1 bit -1") << 1 << -1 << QByteArray("x!");
        QTest::newRow("1 bit 2") << 1 << 2 << QByteArray("x!");
        QTest::newRow("4 bits 15") << 4 << 15 << QByteArray("b1111 !");
        QTest::newRow("4 bits 16") << 4 << 16 << QByteArray("bxxxx !");
        QTest::newRow("4 bits -1") << 4 << -1 << QByteArray("bxxxx !");
        QTest::newRow("8 bits 5") << 8 << 5 << QByteArray("b00000101 !");
        QTest::newRow("2 bits 0") << 2 << 0 << QByteArray("b00 !");
        QTest::newRow("31 bits 2^30") << 31 << (1 << 30) << "b1" + QByteArray(30, '0') + " !";
        QTest::newRow("31 bits 2^31-1") << 31 << 2147483647 << "b" + QByteArray(31, '1') + " !";
        QTest::newRow("30 bits 2^30") << 30 << (1 << 30) << "b" + QByteArray(30, 'x') + " !";
        QTest::newRow("32 bits -1") << 32 << -1 << "b" + QByteArray(32, '1') + " !";
        QTest::newRow("32 bits min") << 32 << int(-2147483647 - 1) << "b1" + QByteArray(31, '0') + " !";
        QTest::newRow("32 bits -2") << 32 << -2 << "b" + QByteArray(31, '1') + "0 !";
        QTest::newRow("32 bits 6") << 32 << 6 << "b" + QByteArray(29, '0') + "110 !";
    }

    void valuesAndX()
    {
        QFETCH(int, width);
        QFETCH(int, value);
        QFETCH(QByteArray, line);
        RunResults r;
        r.columns = {ResultColumn{QStringLiteral("S"), KindOutput, width}};
        r.rows = {{value}};
        QCOMPARE(lineAfter(vcdText(r, kDate), "$dumpvars"), line);
        const QByteArray declaration = "$var wire " + QByteArray::number(width) + " ! S"
                                       + (width > 1 ? " [" + QByteArray::number(width - 1) + ":0]" : QByteArray())
                                       + " $end";
        QVERIFY2(vcdText(r, kDate).contains(declaration + '\n'), declaration.constData());
    }

    // Codes count through the 94 printable characters ! to ~, then take two.
    void identifierCodes()
    {
        RunResults r;
        for (int j = 0; j < 200; ++j)
            r.columns << ResultColumn{QStringLiteral("S%1").arg(j), KindWire, 1};
        QMap<int, QByteArray> codes;
        QSet<QByteArray> seen;
        for (const QByteArray &line : vcdText(r, kDate).split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.value(0) != "$var")
                continue;
            codes[parts.value(4).mid(1).toInt()] = parts.value(3);
            seen << parts.value(3);
        }
        QCOMPARE(codes.size(), 200);
        QCOMPARE(seen.size(), 200);
        QCOMPARE(codes.value(0), "!");
        QCOMPARE(codes.value(1), "\"");
        QCOMPARE(codes.value(93), "~");
        QCOMPARE(codes.value(94), "!!");
        QCOMPARE(codes.value(95), "\"!");
        QCOMPARE(codes.value(187), "~!");
        QCOMPARE(codes.value(188), "!\"");
    }

    // The scope is named after the design in one word a viewer reads.
    void scopeNamedAfterTheDesign_data()
    {
        QTest::addColumn<QString>("design");
        QTest::addColumn<QByteArray>("scope");
        QTest::newRow("plain") << "counter" << QByteArray("$scope module counter $end");
        QTest::newRow("blank and dash") << "my design-2" << QByteArray("$scope module my_design_2 $end");
        QTest::newRow("accent") << "señal" << QByteArray("$scope module se_al $end");
        QTest::newRow("empty") << "" << QByteArray("$scope module design $end");
    }

    void scopeNamedAfterTheDesign()
    {
        QFETCH(QString, design);
        QFETCH(QByteArray, scope);
        RunResults r;
        r.designName = design;
        QVERIFY(vcdText(r, kDate).split('\n').contains(scope));
    }

    // Nothing simulated: every column starts unknown, and no time passes.
    // A clock declared without a range (32 bits) is still one wire going up and down;
    // another input without a range stays 32 bits wide.
    void theClockIsOneWireWhateverItsRange()
    {
        RunResults r = clockedResults(QStringLiteral("ns"), 10, true);
        r.columns = {column("CLK", 1, 32), column("A", 1, 32)};
        const QByteArray vcd = vcdText(r, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
        QVERIFY(vcd.contains("$var wire 1 ! CLK $end\n"));
        QVERIFY(vcd.contains("$var wire 32 \" A [31:0] $end\n"));
        QVERIFY(vcd.contains("\n1!\n"));
        QVERIFY(vcd.contains("\n0!\n"));
    }

    void noRowsGiveUnknownValues()
    {
        RunResults r;
        r.columns = {column("CLK", 1, 1), column("Q", 2, 2)};
        r.clockName = QStringLiteral("CLK");
        const QByteArray text = vcdText(r, kDate);
        QVERIFY(text.endsWith("#0\n$dumpvars\nx!\nbxx \"\n$end\n"));
    }

    void writeVcdReportsAFolderThatIsNotThere()
    {
        QTemporaryDir dir;
        QString error;
        RunResults r;
        QVERIFY(!writeVcd(r, dir.filePath(QStringLiteral("no/such/folder/w.vcd")), error));
        QVERIFY(error.contains(QStringLiteral("w.vcd")));
        QVERIFY(!error.contains(QLatin1Char('\n')));
        QVERIFY(writeVcd(r, dir.filePath(QStringLiteral("w.vcd")), error));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("w.vcd"))));
    }

    // GTKWave's converters read the dump without a complaint and give back the same value
    // per signal per time: a run with negative 32-bit values, x, and an odd cycle time.
    // (A whole run of the enabled counter makes the same round trip in tests/run.)
    void roundTripThroughGtkWave()
    {
        QTemporaryDir dir;
        RunResults r;
        r.designName = QStringLiteral("mixed");
        r.columns = {column("CK", 1, 1), column("B", 2, 8), column("W", 4, 32), column("F", 2, 1)};
        r.rows = {{7, 255, -5, 1}, {7, 256, -2147483647 - 1, 1}, {7, 3, 2147483647, 0}, {7, -1, 0, 5}};
        r.clockName = QStringLiteral("CK");
        r.cycleTime = 7;
        r.timeUnit = QStringLiteral("us");
        const QString vcd = dir.filePath(QStringLiteral("w.vcd"));
        const QString fst = dir.filePath(QStringLiteral("w.fst"));
        QString error;
        QVERIFY2(writeVcd(r, vcd, error), qPrintable(error));

        const QString fault = gtkWaveRoundTripFault(vcd, fst, r.columns.size());
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
};

ASMSIM_REGISTER_TEST(TestVcdExport)
#include "tst_vcdexport.moc"
