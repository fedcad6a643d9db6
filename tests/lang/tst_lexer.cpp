// Tests of scanToken: token codes, the characters each token takes, and the normalisation
// (leading white space stripped, whole text upper-cased) done on every call.

#include "lang/lexer.h"
#include "testmain.h"

#include <QList>
#include <QStringList>
#include <QtTest>

class TestLexer : public QObject
{
    Q_OBJECT

private slots:
    void consumeOne_data();
    void consumeOne();
    void peekKeepsToken_data();
    void peekKeepsToken();
    void normalisation_data();
    void normalisation();
    void sequence_data();
    void sequence();
    void noneAndEndNeverRemove_data();
    void noneAndEndNeverRemove();
    void codeNumbersAreFixed();
    void keepsNoState();
};

namespace {

void row(const char *name, const QString &input, int code, const QString &rest)
{
    QTest::newRow(name) << input << code << rest;
}

} // namespace

// One consume on the input: the code, and what is left of the (normalised) text.
void TestLexer::consumeOne_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("rest");

    row("none underscore", "_A", TokNone, "_A");
    row("none hash", "#1", TokNone, "#1");
    row("none dollar", "$", TokNone, "$");
    row("none backslash", "\\N", TokNone, "\\N");
    row("none signed marker without base", "'SX", TokNone, "'SX");
    row("none signed marker at end", "'s", TokNone, "'S");
    row("end empty", "", TokEnd, "");
    row("end U+0001", QStringLiteral("\x01" "ab"), TokEnd, QStringLiteral("\x01" "AB"));
    row("end U+001F", QStringLiteral("\x1f"), TokEnd, QStringLiteral("\x1f"));

    row("carriage return", "%CR%X", TokCarriageReturn, "X");
    row("carriage return lower", "%cr%x", TokCarriageReturn, "X");
    row("semicolon", ";;", TokSemicolon, ";");
    row("comment takes one slash", "// note", TokComment, "/ NOTE");
    row("comment triple slash", "///", TokComment, "//");
    row("question", "?A", TokQuestion, "A");
    row("colon", ":=", TokColon, "=");

    row("logical or", "||A", TokLogicalOr, "A");
    row("logical or then bar", "|||", TokLogicalOr, "|");
    row("bit or", "|A", TokBitOr, "A");
    row("logical and", "&&&", TokLogicalAnd, "&");
    row("bit and", "&B", TokBitAnd, "B");
    row("xnor caret tilde", "^~A", TokBitXnor, "A");
    row("xnor tilde caret", "~^A", TokBitXnor, "A");
    row("xor", "^A", TokBitXor, "A");
    row("xor twice", "^^", TokBitXor, "^");
    row("tilde", "~A", TokTilde, "A");
    row("tilde blank caret", "~ ^", TokTilde, " ^");

    row("case eq", "===A", TokCaseEq, "A");
    row("case eq then assign", "====", TokCaseEq, "=");
    row("eq", "==A", TokEq, "A");
    row("eq then gt", "==>", TokEq, ">");
    row("assign", "=A", TokAssign, "A");
    row("assign then lt", "=<", TokAssign, "<");
    row("case ne", "!==A", TokCaseNe, "A");
    row("ne", "!=A", TokNe, "A");
    row("not", "!A", TokNot, "A");
    row("not twice", "!!", TokNot, "!");

    row("arith shl", "<<<A", TokArithShl, "A");
    row("arith shl then lt", "<<<<", TokArithShl, "<");
    row("shl", "<<A", TokShl, "A");
    row("shl then assign", "<<=", TokShl, "=");
    row("le", "<=A", TokLe, "A");
    row("le then lt", "<=<", TokLe, "<");
    row("lt", "<A", TokLt, "A");
    row("lt then gt", "<>", TokLt, ">");
    row("arith shr", ">>>A", TokArithShr, "A");
    row("shr", ">>A", TokShr, "A");
    row("shr then assign", ">>=", TokShr, "=");
    row("ge", ">=A", TokGe, "A");
    row("gt", ">A", TokGt, "A");
    row("gt then lt", "><", TokGt, "<");

    row("plus", "+1", TokPlus, "1");
    row("plus twice", "++", TokPlus, "+");
    row("minus", "-1", TokMinus, "1");
    row("minus then gt", "->", TokMinus, ">");
    row("power", "**2", TokPower, "2");
    row("power then star", "***", TokPower, "*");
    row("star", "*A", TokStar, "A");
    row("slash blank", "/ 2", TokSlash, " 2");
    row("slash", "/A", TokSlash, "A");
    row("percent", "%2", TokPercent, "2");
    row("percent C", "%C", TokPercent, "C");
    row("percent CR", "%CR", TokPercent, "CR");
    row("percent CRX", "%CRX", TokPercent, "CRX");

    row("lbrace", "{A", TokLBrace, "A");
    row("rbrace", "}A", TokRBrace, "A");
    row("lparen", "(A", TokLParen, "A");
    row("rparen", ")A", TokRParen, "A");
    row("lbracket", "[3]", TokLBracket, "3]");
    row("rbracket", "]A", TokRBracket, "A");
    row("comma", ",A", TokComma, "A");

    row("quote before X", "'x", TokQuote, "X");
    row("quote alone", "'", TokQuote, "");
    row("quote before digit", "'1", TokQuote, "1");
    row("quote before blank", "' B", TokQuote, " B");
    row("double quote", "\"A\"", TokDoubleQuote, "A\"");
    row("at", "@(", TokAt, "(");
    row("arrow", "=>A", TokArrow, "A");
    row("arrow alone", "=>", TokArrow, "");
    row("dot", ".A", TokDot, "A");

    row("number 007", "007", TokNumber, "");
    row("number 12AB", "12AB", TokNumber, "AB");
    row("number single", "5", TokNumber, "");
    row("number before underscore", "1_0", TokNumber, "_0");
    row("number before dot", "3.5", TokNumber, ".5");
    row("number superscript", QStringLiteral("\u00B2"), TokNumber, "");
    row("number superscript then digits", QStringLiteral("\u00B2" "34"), TokNumber, "");
    row("number digit then superscript", QStringLiteral("3\u00B2"), TokNumber,
        QStringLiteral("\u00B2"));
    row("number vulgar fraction", QStringLiteral("\u00BD" "1"), TokNumber, "");
    row("number arabic-indic digit", QStringLiteral("7\u0663X"), TokNumber, "X");

    row("identifier INP", "INP", TokIdentifier, "");
    row("identifier INIT", "INIT", TokIdentifier, "");
    row("identifier IN", "in", TokIdentifier, "");
    row("identifier INPU", "INPU", TokIdentifier, "");
    row("identifier OUTPU", "OUTPU;", TokIdentifier, ";");
    row("identifier WIR", "WIR", TokIdentifier, "");
    row("identifier CLK_1", "CLK_1", TokIdentifier, "_1");
    row("identifier A1", "A1", TokIdentifier, "1");
    row("identifier blank", "abc def", TokIdentifier, " DEF");
    row("identifier keyword inside", "XINPUT", TokIdentifier, "");
    row("identifier n tilde", QStringLiteral("ñandú=1"), TokIdentifier, "=1");
    row("identifier e acute", QStringLiteral("é"), TokIdentifier, "");
    row("identifier before superscript", QStringLiteral("A\u00B2"), TokIdentifier,
        QStringLiteral("\u00B2"));

    row("input", "INPUT", TokInput, "");
    row("input then X", "INPUTX", TokInput, "X");
    row("input then S", "INPUTS", TokInput, "S");
    row("input lower", "input a", TokInput, " A");
    row("inout", "INOUT", TokInout, "");
    row("inout then PUT", "INOUTPUT", TokInout, "PUT");
    row("output", "OUTPUT", TokOutput, "");
    row("output then INPUT", "outputinput", TokOutput, "INPUT");
    row("wire", "WIRE", TokWire, "");
    row("wire then D", "WIRED", TokWire, "D");
    row("wire range", "wire [3:0]", TokWire, " [3:0]");

    row("base bin", "'b101", TokBaseBin, "101");
    row("base bin signed", "'SB1", TokBaseBin, "1");
    row("base dec", "'d9", TokBaseDec, "9");
    row("base dec signed", "'sd9", TokBaseDec, "9");
    row("base oct", "'o7", TokBaseOct, "7");
    row("base oct signed", "'SO7", TokBaseOct, "7");
    row("base hex", "'H1F", TokBaseHex, "1F");
    row("base hex signed", "'sh1F", TokBaseHex, "1F");
}

void TestLexer::consumeOne()
{
    QFETCH(QString, input);
    QFETCH(int, code);
    QFETCH(QString, rest);

    QString text = input;
    QCOMPARE(scanToken(text, true), code);
    QCOMPARE(text, rest);
}

// For every case above: peeking returns the same code, a second peek changes nothing more,
// and the token is still there for the consume that follows.
void TestLexer::peekKeepsToken_data()
{
    consumeOne_data();
}

void TestLexer::peekKeepsToken()
{
    QFETCH(QString, input);
    QFETCH(int, code);
    QFETCH(QString, rest);

    QString text = input;
    QCOMPARE(scanToken(text, false), code);
    const QString peeked = text;
    QCOMPARE(scanToken(text, false), code);
    QCOMPARE(text, peeked);
    QVERIFY(text.endsWith(rest));
    QCOMPARE(scanToken(text, true), code);
    QCOMPARE(text, rest);
}

// A peek on the input: the code and the whole text as it is left.
void TestLexer::normalisation_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("normalised");

    QTest::newRow("leading blanks") << "  a = b" << int(TokIdentifier) << "A = B";
    QTest::newRow("blanks only") << "     " << int(TokEnd) << "";
    QTest::newRow("empty") << "" << int(TokEnd) << "";
    QTest::newRow("tab newline return vt ff nbsp")
        << QStringLiteral("\t\n\r\v\f\u00A0x") << int(TokIdentifier) << "X";
    QTest::newRow("only white space of all kinds")
        << QStringLiteral(" \t\u00A0\n\u2003") << int(TokEnd) << "";
    QTest::newRow("em space and line separator")
        << QStringLiteral("\u2003\u2028in") << int(TokIdentifier) << "IN";
    QTest::newRow("inner and trailing blanks kept")
        << "\ta\t b  " << int(TokIdentifier) << "A\t B  ";
    QTest::newRow("whole text upper-cased") << "x <= y'hff;" << int(TokIdentifier)
                                            << "X <= Y'HFF;";
    QTest::newRow("lower input") << "  input clk" << int(TokInput) << "INPUT CLK";
    QTest::newRow("lower inout") << "inout" << int(TokInout) << "INOUT";
    QTest::newRow("mixed output") << "OutPut" << int(TokOutput) << "OUTPUT";
    QTest::newRow("lower wire") << "wire w" << int(TokWire) << "WIRE W";
    QTest::newRow("lower base bin") << "'b0" << int(TokBaseBin) << "'B0";
    QTest::newRow("lower base dec") << "'d0" << int(TokBaseDec) << "'D0";
    QTest::newRow("lower base oct") << "'o0" << int(TokBaseOct) << "'O0";
    QTest::newRow("lower base hex") << "'h0" << int(TokBaseHex) << "'H0";
    QTest::newRow("lower signed base") << "'sb0" << int(TokBaseBin) << "'SB0";
    QTest::newRow("lower carriage return") << " %cr%a" << int(TokCarriageReturn) << "%CR%A";
    QTest::newRow("accented letters") << QStringLiteral("ñé") << int(TokIdentifier)
                                      << QStringLiteral("ÑÉ");
    QTest::newRow("control char not stripped")
        << QStringLiteral(" \x01z") << int(TokEnd) << QStringLiteral("\x01Z");
    QTest::newRow("unrecognised head") << "  _tmp" << int(TokNone) << "_TMP";
    QTest::newRow("operators untouched") << "  <= b" << int(TokLe) << "<= B";
}

void TestLexer::normalisation()
{
    QFETCH(QString, input);
    QFETCH(int, code);
    QFETCH(QString, normalised);

    QString text = input;
    QCOMPARE(scanToken(text, false), code);
    QCOMPARE(text, normalised);
}

// Consumes repeatedly: the code of each call and the text left after it.
void TestLexer::sequence_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QStringList>("rests");

    QTest::newRow("A<=B") << "A<=B"
                          << QList<int>{TokIdentifier, TokLe, TokIdentifier, TokEnd}
                          << QStringList{"<=B", "B", "", ""};
    QTest::newRow("a <= b;")
        << "a <= b;" << QList<int>{TokIdentifier, TokLe, TokIdentifier, TokSemicolon, TokEnd}
        << QStringList{" <= B;", " B;", ";", "", ""};
    QTest::newRow("INPUTS") << "INPUTS" << QList<int>{TokInput, TokIdentifier, TokEnd}
                            << QStringList{"S", "", ""};
    QTest::newRow("<<<") << "<<<" << QList<int>{TokArithShl, TokEnd} << QStringList{"", ""};
    QTest::newRow("<<=") << "<<=" << QList<int>{TokShl, TokAssign, TokEnd}
                         << QStringList{"=", "", ""};
    QTest::newRow("<=<") << "<=<" << QList<int>{TokLe, TokLt, TokEnd}
                         << QStringList{"<", "", ""};
    QTest::newRow("==>") << "==>" << QList<int>{TokEq, TokGt, TokEnd}
                         << QStringList{">", "", ""};
    QTest::newRow("^~ ~^") << "^~ ~^" << QList<int>{TokBitXnor, TokBitXnor, TokEnd}
                           << QStringList{" ~^", "", ""};
    QTest::newRow("~ ^") << "~ ^" << QList<int>{TokTilde, TokBitXor, TokEnd}
                         << QStringList{" ^", "", ""};
    QTest::newRow("12AB") << "12AB" << QList<int>{TokNumber, TokIdentifier, TokEnd}
                          << QStringList{"AB", "", ""};
    QTest::newRow("CLK_1") << "CLK_1" << QList<int>{TokIdentifier, TokNone, TokNone}
                           << QStringList{"_1", "_1", "_1"};
    QTest::newRow("A1") << "a1" << QList<int>{TokIdentifier, TokNumber, TokEnd}
                        << QStringList{"1", "", ""};
    QTest::newRow("'sh1F") << "'sh1F"
                           << QList<int>{TokBaseHex, TokNumber, TokIdentifier, TokEnd}
                           << QStringList{"1F", "F", "", ""};
    QTest::newRow("%cr%x") << "%cr%x" << QList<int>{TokCarriageReturn, TokIdentifier, TokEnd}
                           << QStringList{"X", "", ""};
    QTest::newRow("INOUTPUT") << "INOUTPUT" << QList<int>{TokInout, TokIdentifier, TokEnd}
                              << QStringList{"PUT", "", ""};
    QTest::newRow("declaration")
        << "input [3:0] a;"
        << QList<int>{TokInput, TokLBracket, TokNumber, TokColon, TokNumber, TokRBracket,
                      TokIdentifier, TokSemicolon, TokEnd}
        << QStringList{" [3:0] A;", "3:0] A;", ":0] A;", "0] A;", "] A;", " A;", ";", "", ""};
    QTest::newRow("conditional with literals")
        << "x = y ? 8'hFF : 8'b0;"
        << QList<int>{TokIdentifier, TokAssign, TokIdentifier, TokQuestion, TokNumber,
                      TokBaseHex, TokIdentifier, TokColon, TokNumber, TokBaseBin, TokNumber,
                      TokSemicolon, TokEnd}
        << QStringList{" = Y ? 8'HFF : 8'B0;", " Y ? 8'HFF : 8'B0;", " ? 8'HFF : 8'B0;",
                       " 8'HFF : 8'B0;", "'HFF : 8'B0;", "FF : 8'B0;", " : 8'B0;", " 8'B0;",
                       "'B0;", "0;", ";", "", ""};
    QTest::newRow("statement ends at carriage return")
        << "q <= d %CR% r"
        << QList<int>{TokIdentifier, TokLe, TokIdentifier, TokCarriageReturn, TokIdentifier,
                      TokEnd}
        << QStringList{" <= D %CR% R", " D %CR% R", " %CR% R", " R", "", ""};
    QTest::newRow("event control")
        << "@(a or b)"
        << QList<int>{TokAt, TokLParen, TokIdentifier, TokIdentifier, TokIdentifier,
                      TokRParen, TokEnd}
        << QStringList{"(A OR B)", "A OR B)", " OR B)", " B)", ")", "", ""};
}

void TestLexer::sequence()
{
    QFETCH(QString, input);
    QFETCH(QList<int>, codes);
    QFETCH(QStringList, rests);
    QCOMPARE(codes.size(), rests.size());

    QString text = input;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        QCOMPARE(scanToken(text, true), codes.at(i));
        QCOMPARE(text, rests.at(i));
    }
}

// Repeated consumes of an unrecognised head or an end make no progress at all.
void TestLexer::noneAndEndNeverRemove_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("normalised");

    QTest::newRow("underscore") << "  _x" << int(TokNone) << "_X";
    QTest::newRow("hash") << "#" << int(TokNone) << "#";
    QTest::newRow("signed marker") << "'sx" << int(TokNone) << "'SX";
    QTest::newRow("delete char") << QStringLiteral("\u007F") << int(TokNone)
                                 << QStringLiteral("\u007F");
    QTest::newRow("blanks") << "   " << int(TokEnd) << "";
    QTest::newRow("U+0001") << QStringLiteral("\x01" "a") << int(TokEnd)
                            << QStringLiteral("\x01" "A");
    QTest::newRow("U+0000 inside the text") << QString(QChar(u'\0')) + "a" << int(TokEnd)
                                            << QString(QChar(u'\0')) + "A";
}

void TestLexer::noneAndEndNeverRemove()
{
    QFETCH(QString, input);
    QFETCH(int, code);
    QFETCH(QString, normalised);

    QString text = input;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(scanToken(text, true), code);
        QCOMPARE(text, normalised);
    }
}

// Callers store the numbers and compare ranges, so they must not drift.
void TestLexer::codeNumbersAreFixed()
{
    QCOMPARE(int(TokNone), 0);
    QCOMPARE(int(TokEnd), 1);
    QCOMPARE(int(TokCarriageReturn), 3);
    QCOMPARE(int(TokSemicolon), 4);
    QCOMPARE(int(TokComment), 5);
    QCOMPARE(int(TokQuestion), 6);
    QCOMPARE(int(TokColon), 7);
    QCOMPARE(int(TokLogicalOr), 8);
    QCOMPARE(int(TokBitOr), 9);
    QCOMPARE(int(TokLogicalAnd), 10);
    QCOMPARE(int(TokBitAnd), 11);
    QCOMPARE(int(TokBitXnor), 12);
    QCOMPARE(int(TokBitXor), 13);
    QCOMPARE(int(TokTilde), 14);
    QCOMPARE(int(TokCaseEq), 15);
    QCOMPARE(int(TokEq), 16);
    QCOMPARE(int(TokAssign), 17);
    QCOMPARE(int(TokCaseNe), 18);
    QCOMPARE(int(TokNe), 19);
    QCOMPARE(int(TokNot), 20);
    QCOMPARE(int(TokArithShl), 21);
    QCOMPARE(int(TokShl), 22);
    QCOMPARE(int(TokLe), 23);
    QCOMPARE(int(TokLt), 24);
    QCOMPARE(int(TokArithShr), 25);
    QCOMPARE(int(TokShr), 26);
    QCOMPARE(int(TokGe), 27);
    QCOMPARE(int(TokGt), 28);
    QCOMPARE(int(TokPlus), 29);
    QCOMPARE(int(TokMinus), 30);
    QCOMPARE(int(TokPower), 31);
    QCOMPARE(int(TokStar), 32);
    QCOMPARE(int(TokSlash), 33);
    QCOMPARE(int(TokPercent), 34);
    QCOMPARE(int(TokLBrace), 35);
    QCOMPARE(int(TokRBrace), 36);
    QCOMPARE(int(TokLParen), 37);
    QCOMPARE(int(TokRParen), 38);
    QCOMPARE(int(TokLBracket), 39);
    QCOMPARE(int(TokRBracket), 40);
    QCOMPARE(int(TokComma), 41);
    QCOMPARE(int(TokQuote), 42);
    QCOMPARE(int(TokDoubleQuote), 43);
    QCOMPARE(int(TokAt), 44);
    QCOMPARE(int(TokArrow), 45);
    QCOMPARE(int(TokDot), 46);
    QCOMPARE(int(TokNumber), 47);
    QCOMPARE(int(TokIdentifier), 48);
    QCOMPARE(int(TokInput), 49);
    QCOMPARE(int(TokInout), 50);
    QCOMPARE(int(TokOutput), 51);
    QCOMPARE(int(TokWire), 52);
    QCOMPARE(int(TokBaseBin), 53);
    QCOMPARE(int(TokBaseDec), 54);
    QCOMPARE(int(TokBaseOct), 55);
    QCOMPARE(int(TokBaseHex), 56);
}

// Two strings scanned alternately do not disturb each other.
void TestLexer::keepsNoState()
{
    QString first = "a+b";
    QString second = " 'h7";
    QCOMPARE(scanToken(first, true), int(TokIdentifier));
    QCOMPARE(scanToken(second, false), int(TokBaseHex));
    QCOMPARE(scanToken(first, true), int(TokPlus));
    QCOMPARE(scanToken(second, true), int(TokBaseHex));
    QCOMPARE(scanToken(first, true), int(TokIdentifier));
    QCOMPARE(scanToken(second, true), int(TokNumber));
    QCOMPARE(first, QString());
    QCOMPARE(second, QString());
}

ASMSIM_REGISTER_TEST(TestLexer)
#include "tst_lexer.moc"
