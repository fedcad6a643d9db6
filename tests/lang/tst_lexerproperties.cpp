// Properties of scanToken that must hold for any text at all, checked on many
// generated texts with a fixed seed: the text stays normalised, a peek changes nothing
// more, a consume removes exactly the token at the head, and a scan always ends.

#include "lang/lexer.h"
#include "testmain.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// Characters that make interesting heads: every operator character, keyword letters,
// digits, white space of several kinds, controls, and letters and numbers outside ASCII
// (including one that upper-cases to two letters). Texts come from UTF-8 decoding,
// which never yields a lone surrogate, so none is generated.
const QString kAlphabet = QStringLiteral(
    "?:|&^~=!<>+-*/%'\"@.,;{}()[]_ INPUTOWREinputowreSBDHCRsbdhcr0123456789\t\n\r")
    + QChar(0x00A0) + QChar(0x2003) + QChar(0x0001) + QChar(0x001F) + QChar(0x007F)
    + QChar(0x00F1) + QChar(0x00E9) + QChar(0x00DF) + QChar(0x00B2) + QChar(0x00BD)
    + QChar(0x0663);

QString randomText(QRandomGenerator &random)
{
    const int length = random.bounded(12);
    QString text;
    for (int i = 0; i < length; ++i)
        text += kAlphabet.at(random.bounded(int(kAlphabet.size())));
    return text;
}

QString normalised(const QString &text)
{
    qsizetype blanks = 0;
    while (blanks < text.size() && text.at(blanks).isSpace())
        ++blanks;
    return text.mid(blanks).toUpper();
}

// Characters a consume removes for the tokens whose spelling has a fixed length.
int fixedLength(int code)
{
    switch (code) {
    case TokCarriageReturn: return 4;
    case TokCaseEq: case TokCaseNe: case TokArithShl: case TokArithShr: return 3;
    case TokLogicalOr: case TokLogicalAnd: case TokBitXnor: case TokEq: case TokNe:
    case TokShl: case TokLe: case TokShr: case TokGe: case TokPower: case TokArrow: return 2;
    case TokInput: case TokInout: return 5;
    case TokOutput: return 6;
    case TokWire: return 4;
    default: return code >= TokSemicolon && code <= TokDot ? 1 : -1;
    }
}

bool allOf(QStringView text, bool (QChar::*test)() const)
{
    for (QChar c : text)
        if (!(c.*test)())
            return false;
    return true;
}

// What a consume of `code` may remove from the normalised text `before`, leaving `after`.
bool removedExactlyTheToken(int code, const QString &before, const QString &after)
{
    if (!before.endsWith(after))
        return false;
    const QStringView taken = QStringView(before).left(before.size() - after.size());
    if (code == TokNone || code == TokEnd)
        return taken.isEmpty();
    if (code == TokIdentifier)
        return !taken.isEmpty() && allOf(taken, &QChar::isLetter)
               && (after.isEmpty() || !after.at(0).isLetter());
    if (code == TokNumber)
        return !taken.isEmpty() && taken.at(0).isNumber() && allOf(taken.mid(1), &QChar::isDigit)
               && (after.isEmpty() || !after.at(0).isDigit());
    if (code >= TokBaseBin && code <= TokBaseHex)
        return taken == QLatin1String("'") + QLatin1String("BDOH").mid(code - TokBaseBin, 1)
               || taken == QLatin1String("'S") + QLatin1String("BDOH").mid(code - TokBaseBin, 1);
    return taken.size() == fixedLength(code);
}

} // namespace

class TestLexerProperties : public QObject {
    Q_OBJECT

private slots:
    void everyCallLeavesTheTextNormalisedAndPeeksAreStable()
    {
        QRandomGenerator random(20261207);
        for (int i = 0; i < 20000; ++i) {
            const QString original = randomText(random);
            QString text = original;
            const int code = scanToken(text, false);
            QCOMPARE(text, normalised(original));
            QString again = text;
            QCOMPARE(scanToken(again, false), code);
            QCOMPARE(again, text);
            QVERIFY2(code != 2 && code >= TokNone && code <= TokBaseHex, qPrintable(original));
        }
    }

    void aConsumeRemovesExactlyTheTokenAtTheHead()
    {
        QRandomGenerator random(7);
        for (int i = 0; i < 20000; ++i) {
            const QString original = randomText(random);
            const QString before = normalised(original);
            QString text = original;
            const int code = scanToken(text, true);
            QVERIFY2(removedExactlyTheToken(code, before, text),
                     qPrintable(QStringLiteral("%1 -> code %2 left %3").arg(before, QString::number(code), text)));
        }
    }

    void scanningTokenByTokenAlwaysEnds()
    {
        QRandomGenerator random(99);
        for (int i = 0; i < 5000; ++i) {
            QString text = randomText(random) + randomText(random) + randomText(random);
            // Every consume that is not TokNone or TokEnd removes at least one character,
            // and upper-casing an upper-case text changes nothing, so the loop is bounded
            // by the length of the normalised text.
            const qsizetype bound = normalised(text).size() + 1;
            qsizetype steps = 0;
            int code = TokIdentifier;
            while (code != TokNone && code != TokEnd && steps <= bound) {
                code = scanToken(text, true);
                ++steps;
            }
            QVERIFY(steps <= bound);
        }
    }
};

ASMSIM_REGISTER_TEST(TestLexerProperties)
#include "tst_lexerproperties.moc"
