#include "lang/lexer.h"

#include <QLatin1String>
#include <array>
#include <optional>

namespace {

struct Token {
    TokenCode code;
    qsizetype length;  // characters a consume removes
};

struct Spelling {
    const char *text;
    TokenCode code;
    qsizetype taken = -1;  // characters a consume removes; -1 means the whole spelling
};

// Keywords are plain prefixes: "INPUTS" is INPUT followed by the identifier S.
constexpr Spelling keywords[] = {
    {"INPUT", TokInput},
    {"INOUT", TokInout},
    {"OUTPUT", TokOutput},
    {"WIRE", TokWire},
};

// First match wins. Within one leading character the longer spellings come first, so
// "<<=" reads as "<<" and "=" rather than "<" twice, and "==>" as "==" and ">".
constexpr Spelling operators[] = {
    {"?", TokQuestion},     {":", TokColon},
    {"||", TokLogicalOr},   {"|", TokBitOr},
    {"&&", TokLogicalAnd},  {"&", TokBitAnd},
    {"^~", TokBitXnor},     {"^", TokBitXor},
    {"~^", TokBitXnor},     {"~", TokTilde},
    {"===", TokCaseEq},     {"==", TokEq},      {"=>", TokArrow},   {"=", TokAssign},
    {"!==", TokCaseNe},     {"!=", TokNe},      {"!", TokNot},
    {"<<<", TokArithShl},   {"<<", TokShl},     {"<=", TokLe},      {"<", TokLt},
    {">>>", TokArithShr},   {">>", TokShr},     {">=", TokGe},      {">", TokGt},
    {"+", TokPlus},         {"-", TokMinus},
    {"**", TokPower},       {"*", TokStar},
    // Nobody consumes a comment; if one does, only its first slash goes.
    {"//", TokComment, 1},  {"/", TokSlash},
    {"%CR%", TokCarriageReturn}, {"%", TokPercent},
    {"'B", TokBaseBin},     {"'D", TokBaseDec}, {"'O", TokBaseOct}, {"'H", TokBaseHex},
    {"'SB", TokBaseBin},    {"'SD", TokBaseDec}, {"'SO", TokBaseOct}, {"'SH", TokBaseHex},
    // A signed marker without its base letter is malformed, not a quote followed by S.
    {"'S", TokNone},
    {"'", TokQuote},
    {"{", TokLBrace},       {"}", TokRBrace},
    {"(", TokLParen},       {")", TokRParen},
    {"[", TokLBracket},     {"]", TokRBracket},
    {",", TokComma},        {";", TokSemicolon},
    {"\"", TokDoubleQuote}, {"@", TokAt},       {".", TokDot},
};

// Reading past the end yields U+0000, which no test accepts; the empty text thus falls
// under the same "below U+0020" rule as a leading control character.
QChar charAt(QStringView text, qsizetype index)
{
    return index < text.size() ? text.at(index) : QChar(u'\0');
}

template <typename Pred>
qsizetype runLength(QStringView text, qsizetype from, Pred accepts)
{
    qsizetype end = from;
    while (end < text.size() && accepts(text.at(end)))
        ++end;
    return end;
}

std::optional<Token> spellingAt(QStringView text, const Spelling *begin, const Spelling *end)
{
    for (const Spelling *s = begin; s != end; ++s) {
        const QLatin1String spelling(s->text);
        if (text.startsWith(spelling))
            return Token{s->code, s->taken < 0 ? spelling.size() : s->taken};
    }
    return std::nullopt;
}

// The spellings of each table are grouped by their first character; this finds the
// group of a text's first character without going over the others.
struct FirstCharIndex {
    std::array<std::pair<int, int>, 128> groups{};  // [first, last) per ASCII character

    template <size_t N>
    constexpr explicit FirstCharIndex(const Spelling (&table)[N])
    {
        for (int i = int(N) - 1; i >= 0; --i) {
            auto &group = groups[static_cast<unsigned char>(table[i].text[0]) & 0x7f];
            if (group.first == group.second)
                group = {i, i + 1};
            else
                group.first = i;
        }
    }
};

template <size_t N>
std::optional<Token> spellingAt(QStringView text, const Spelling (&table)[N])
{
    static const FirstCharIndex index(table);
    if (text.isEmpty() || text.front().unicode() >= 128)
        return std::nullopt;
    const auto [first, last] = index.groups[text.front().unicode()];
    return spellingAt(text, table + first, table + last);
}

Token word(QStringView text)
{
    if (const auto keyword = spellingAt(text, keywords))
        return *keyword;
    // Digits and the underscore end an identifier: "A1" is A followed by the number 1.
    return {TokIdentifier, runLength(text, 1, [](QChar c) { return c.isLetter(); })};
}

Token recognise(QStringView text)
{
    const QChar first = charAt(text, 0);
    if (first.unicode() < 0x20)
        return {TokEnd, 0};
    if (first.isLetter())
        return word(text);
    if (const auto op = spellingAt(text, operators))
        return *op;
    // Any number character may start a number (a superscript two, say); only decimal
    // digits continue it.
    if (first.isNumber())
        return {TokNumber, runLength(text, 1, [](QChar c) { return c.isDigit(); })};
    return {TokNone, 0};
}

// Callers read characters straight out of the string after a peek, so the whole text is
// upper-cased, not just the token.
void normalise(QString &text)
{
    text.remove(0, runLength(text, 0, [](QChar c) { return c.isSpace(); }));
    // Every peek normalises the same text again: only a text that still holds lower
    // case is copied.
    if (!text.isUpper())
        text = text.toUpper();
}

// The same on a cursor: the blanks are skipped, and the rest upper-cased the first time
// only. Upper case is a property of each character, so what is left of an upper-case
// text stays upper case.
void normalise(TextCursor &cursor)
{
    cursor.skip(runLength(cursor.rest(), 0, [](QChar c) { return c.isSpace(); }));
    if (cursor.upperCase)
        return;
    QString rest = cursor.restText();
    if (!rest.isUpper())
        rest = rest.toUpper();
    cursor.upperCase = rest.isUpper();
    cursor.text = rest;
    cursor.start = 0;
    cursor.peekedAt = -1;
}

} // namespace

TokenCode scanToken(QString &text, bool consume)
{
    normalise(text);
    const Token token = recognise(text);
    // Neither "nothing recognised" nor "end" stands for characters that could be taken.
    if (consume && token.code != TokNone && token.code != TokEnd)
        text.remove(0, token.length);
    return token.code;
}

TokenCode scanToken(TextCursor &text, bool consume)
{
    normalise(text);
    if (text.peekedAt != text.start) {
        const Token recognised = recognise(text.rest());
        text.peekedAt = text.start;
        text.peekedCode = recognised.code;
        text.peekedLength = recognised.length;
    }
    const Token token{TokenCode(text.peekedCode), text.peekedLength};
    if (consume && token.code != TokNone && token.code != TokEnd)
        text.skip(token.length);
    return token.code;
}

QStringView leadingLetterRun(QStringView text)
{
    qsizetype end = 0;
    while (end < text.size() && text.at(end).isLetter())
        ++end;
    return text.left(end);
}

QString leadingLetters(const QString &text)
{
    return leadingLetterRun(text).toString();
}

qint32 leadingDigits(QStringView text)
{
    qsizetype end = 0;
    while (end < text.size() && text.at(end) >= QLatin1Char('0') && text.at(end) <= QLatin1Char('9'))
        ++end;
    bool ok = false;
    const qint32 value = text.left(end).toInt(&ok, 10);
    return ok ? value : 0;
}
