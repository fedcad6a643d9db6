// The encoding of a design file: valid UTF-8 is UTF-8, anything else Windows-1252, and
// Windows-1252 gives back every one of its bytes.

#include "core/textencoding.h"
#include "testmain.h"

#include <QSet>
#include <QTest>

class TestTextEncoding : public QObject {
    Q_OBJECT

private slots:
    void validUtf8IsUtf8AndAnythingElseWindows1252_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("ASCII, CR LF") << QByteArray("Box {\r\n}\r\n") << true;
        QTest::newRow("UTF-8 AÑO") << QByteArray("A\xC3\x91O") << true;
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF" "A\xC3\x91O") << true;
        QTest::newRow("four-byte character") << QByteArray("\xF0\x9F\x98\x80") << true;
        QTest::newRow("Windows-1252 AÑO") << QByteArray("A\xD1O") << false;
        QTest::newRow("Windows-1252 ó at the end") << QByteArray("cancion\xF3") << false;
        for (const char undefined : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'})
            QTest::addRow("undefined byte %02X", uchar(undefined)) << QByteArray(1, undefined) << false;
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << false;
        QTest::newRow("overlong three bytes") << QByteArray("\xE0\x80\xAF") << false;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
        QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
        QTest::newRow("cut off at the end") << QByteArray("A\xE2\x82") << false;
        QTest::newRow("continuation without a lead") << QByteArray("A\x80") << false;
        QTest::newRow("UTF-16 BOM") << QByteArray("\xFF\xFE" "A\0", 4) << false;
        // One byte late in a long file decides it all the same.
        QTest::newRow("invalid late") << QByteArray(100000, 'a') + "\n\xD1\n" << false;
    }

    void validUtf8IsUtf8AndAnythingElseWindows1252()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        QCOMPARE(isValidUtf8(bytes), utf8);
        QCOMPARE(encodingOf(bytes), utf8 ? TextEncoding::Utf8 : TextEncoding::Windows1252);
    }

    // The start of a longer text may stop inside its last character; a byte that can
    // begin no character is still wrong.
    void theStartOfATextMayStopInsideACharacter_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::newRow("two of three bytes") << QByteArray("abc\xE2\x82") << true;
        QTest::newRow("one of two bytes") << QByteArray("abc\xC3") << true;
        QTest::newRow("three of four bytes") << QByteArray("\xF0\x9F\x98") << true;
        QTest::newRow("whole characters") << QByteArray("a\xC3\xB1") << true;
        QTest::newRow("a lone continuation") << QByteArray("ab\x82") << false;
        QTest::newRow("Windows-1252 before the end") << QByteArray("\xD1O\xC3") << false;
        QTest::newRow("a byte that begins nothing") << QByteArray("a\xFF") << false;
    }

    void theStartOfATextMayStopInsideACharacter()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QCOMPARE(isValidUtf8Start(bytes), valid);
    }

    void windows1252DecodesByItsTable()
    {
        QCOMPARE(decodeWindows1252("A\xD1O canci\xF3n"), QStringLiteral("AÑO canción"));
        QCOMPARE(decodeWindows1252("\xA0\xAB\xBB\xBF"), QStringLiteral("\u00A0«»¿"));
        QCOMPARE(decodeWindows1252("\x80\x85\x8A\x91\x92\x93\x94\x96\x97\x99\x9F"),
                 QStringLiteral("€…Š‘’“”–—™Ÿ"));
        QCOMPARE(decodeWindows1252("\x81\x8D\x8F\x90\x9D"), QStringLiteral("\u0081\u008D\u008F\u0090\u009D"));
        QCOMPARE(decodeText("\xD1", TextEncoding::Windows1252), QStringLiteral("Ñ"));
    }

    // All 256 bytes decode to 256 different characters and encode back to themselves.
    void everyWindows1252ByteComesBack()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += char(b);
        const QString text = decodeWindows1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(QSet<QChar>(text.begin(), text.end()).size(), 256);
        QCOMPARE(encodeWindows1252(text).value_or(QByteArray("<does not fit>")), all);
        QCOMPARE(firstOutsideWindows1252(text), -1);
    }

    void aCharacterOutsideWindows1252IsFoundNotReplaced_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("at");
        QTest::newRow("less or equal") << QStringLiteral("A ≤ B") << 2;
        QTest::newRow("emoji") << QStringLiteral("ok 😀") << 3;
        QTest::newRow("C1 control 0x80 (0x80 is the euro)") << QStringLiteral("a\u0080") << 1;
        QTest::newRow("Latin Extended") << QStringLiteral("\u0100") << 0;
    }

    void aCharacterOutsideWindows1252IsFoundNotReplaced()
    {
        QFETCH(QString, text);
        QFETCH(int, at);
        QVERIFY(!encodeWindows1252(text));
        QCOMPARE(firstOutsideWindows1252(text), at);
    }

    // The caller decides what to do with a byte-order mark; decoding keeps it.
    void utf8DecodingKeepsEveryCharacter()
    {
        QCOMPARE(decodeText("\xEF\xBB\xBF" "A\xC3\x91O", TextEncoding::Utf8), QStringLiteral("\uFEFFAÑO"));
        QCOMPARE(decodeText("a\xD1z", TextEncoding::Utf8), QStringLiteral("a\uFFFDz"));
    }
};

ASMSIM_REGISTER_TEST(TestTextEncoding)
#include "tst_textencoding.moc"
