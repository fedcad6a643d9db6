// Integers written in decimal into a text being built.

#include "core/decimaltext.h"
#include "testmain.h"

#include <QTest>

class TestDecimalText : public QObject {
    Q_OBJECT

private slots:
    void writesDigitsWithAMinusForNegatives_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << QStringLiteral("0");
        QTest::newRow("one digit") << qint64(7) << QStringLiteral("7");
        QTest::newRow("minus one") << qint64(-1) << QStringLiteral("-1");
        QTest::newRow("ten") << qint64(10) << QStringLiteral("10");
        QTest::newRow("zeros inside") << qint64(1000200) << QStringLiteral("1000200");
        QTest::newRow("negative with zeros") << qint64(-90) << QStringLiteral("-90");
        QTest::newRow("largest 32-bit") << qint64(2147483647) << QStringLiteral("2147483647");
        QTest::newRow("smallest 32-bit") << qint64(-2147483647 - 1) << QStringLiteral("-2147483648");
        QTest::newRow("largest 64-bit") << qint64(9223372036854775807LL)
                                        << QStringLiteral("9223372036854775807");
        QTest::newRow("smallest 64-bit") << qint64(-9223372036854775807LL - 1)
                                         << QStringLiteral("-9223372036854775808");
    }

    void writesDigitsWithAMinusForNegatives()
    {
        QFETCH(qint64, value);
        QFETCH(QString, text);
        // Written after a prefix, into a buffer just big enough for the longest number.
        QString buffer(2 + kMaxDecimalLength, QLatin1Char('#'));
        buffer[0] = QLatin1Char('a');
        buffer[1] = QLatin1Char('b');
        QChar *end = writeDecimal(buffer.data() + 2, value);
        QCOMPARE(end - buffer.data(), 2 + text.size());
        buffer.truncate(end - buffer.data());
        QCOMPARE(buffer, QStringLiteral("ab") + text);
    }
};

ASMSIM_REGISTER_TEST(TestDecimalText)
#include "tst_decimaltext.moc"
