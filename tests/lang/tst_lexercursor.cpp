// The lexer on a cursor against the lexer on a plain text: over many texts, taken token
// by token with peeks between, both give the same codes and leave the same rest.

#include "lang/lexer.h"
#include "testmain.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// Pieces random texts are made of: every operator and marker, names and keywords in both
// cases, digits, blanks, control characters, and letters whose upper case is longer
// («ß» becomes «SS»).
const QStringList kPieces = {
    "a", "Q", "sig", "input", "Inout", "OUTPUT", "wire", "ß", "straße", "é", "ñ", "7", "42", "0", "²",
    " ", "  ", "\t", "\n", "\r", "\x01", "?", ":", "||", "|", "&&", "&", "^~", "~^", "^", "~", "===", "==",
    "=", "!==", "!=", "!", "<<<", "<<", "<=", "<", ">>>", ">>", ">=", ">", "+", "-", "**", "*", "//", "/",
    "%CR%", "%cr%", "%", "'b", "'H", "'sd", "'So", "'s", "'", "{", "}", "(", ")", "[", "]", ",", ";",
    "\"", "@", ".", "=>", "_", "$",
};

QString randomText(QRandomGenerator &random)
{
    QString text;
    const int pieces = random.bounded(1, 16);
    for (int i = 0; i < pieces; ++i)
        text += kPieces.at(random.bounded(int(kPieces.size())));
    return text;
}

} // namespace

class TestLexerCursor : public QObject {
    Q_OBJECT

private slots:
    void aCursorReadsAsThePlainText()
    {
        QRandomGenerator random(19);
        for (int round = 0; round < 20000; ++round) {
            QString plain = randomText(random);
            TextCursor cursor(plain);
            const QString original = plain;
            // Up to 40 steps, peeking once or twice before each take.
            for (int step = 0; step < 40; ++step) {
                const bool take = random.bounded(3) != 0;
                const TokenCode a = scanToken(plain, take);
                const TokenCode b = scanToken(cursor, take);
                QVERIFY2(a == b && plain == cursor.restText(),
                         qPrintable(QStringLiteral("«%1» step %2: %3 «%4» against %5 «%6»")
                                        .arg(original).arg(step).arg(a).arg(plain).arg(b).arg(cursor.restText())));
                if (a == TokEnd || a == TokNone)
                    break;
            }
        }
    }

    void letterAndDigitRunsReadTheHeadOfTheRest()
    {
        TextCursor cursor(QStringLiteral("  ab12 x"));
        QCOMPARE(scanToken(cursor, false), TokIdentifier);
        QCOMPARE(leadingLetterRun(cursor.rest()), QStringView(u"AB"));
        QCOMPARE(scanToken(cursor, true), TokIdentifier);
        QCOMPARE(leadingDigits(cursor.rest()), 12);
        QCOMPARE(cursor.restText(), QStringLiteral("12 X"));
    }
};

ASMSIM_REGISTER_TEST(TestLexerCursor)
#include "tst_lexercursor.moc"
