#pragma once
// The one routine through which all box text and the design-file reader look at their input.

#include "lang/textcursor.h"

#include <QString>

// Token codes. The numbers are fixed: callers store them and compare ranges of them
// (a statement scan, for instance, stops at any code below TokQuestion or above TokDot).
// Code 2 is never produced.
enum TokenCode : int {
    TokNone = 0,            // nothing recognised
    TokEnd = 1,             // empty text, or a first character below U+0020
    TokCarriageReturn = 3,  // %CR%
    TokSemicolon = 4,       // ;
    TokComment = 5,         // //   (consuming removes only the first slash)
    TokQuestion = 6,        // ?
    TokColon = 7,           // :
    TokLogicalOr = 8,       // ||
    TokBitOr = 9,           // |
    TokLogicalAnd = 10,     // &&
    TokBitAnd = 11,         // &
    TokBitXnor = 12,        // ^~ or ~^
    TokBitXor = 13,         // ^
    TokTilde = 14,          // ~
    TokCaseEq = 15,         // ===
    TokEq = 16,             // ==
    TokAssign = 17,         // =
    TokCaseNe = 18,         // !==
    TokNe = 19,             // !=
    TokNot = 20,            // !
    TokArithShl = 21,       // <<<
    TokShl = 22,            // <<
    TokLe = 23,             // <=
    TokLt = 24,             // <
    TokArithShr = 25,       // >>>
    TokShr = 26,            // >>
    TokGe = 27,             // >=
    TokGt = 28,             // >
    TokPlus = 29,           // +
    TokMinus = 30,          // -
    TokPower = 31,          // **
    TokStar = 32,           // *
    TokSlash = 33,          // /
    TokPercent = 34,        // %
    TokLBrace = 35,         // {
    TokRBrace = 36,         // }
    TokLParen = 37,         // (
    TokRParen = 38,         // )
    TokLBracket = 39,       // [
    TokRBracket = 40,       // ]
    TokComma = 41,          // ,
    TokQuote = 42,          // ' not followed by a base marker
    TokDoubleQuote = 43,    // "
    TokAt = 44,             // @
    TokArrow = 45,          // =>
    TokDot = 46,            // .
    TokNumber = 47,         // a number character and the decimal digits after it
    TokIdentifier = 48,     // a run of letters not starting with a keyword
    TokInput = 49,          // INPUT
    TokInout = 50,          // INOUT
    TokOutput = 51,         // OUTPUT
    TokWire = 52,           // WIRE
    TokBaseBin = 53,        // 'B or 'SB
    TokBaseDec = 54,        // 'D or 'SD
    TokBaseOct = 55,        // 'O or 'SO
    TokBaseHex = 56,        // 'H or 'SH
};

// Strips the leading white space of `text`, upper-cases all of it, and returns the code of
// the token now at its head. With `consume` the token's characters are removed from the
// front as well; TokNone and TokEnd never remove anything. The text stays normalised in
// both modes, so a peek is also the way to prepare a text for reading its characters.
TokenCode scanToken(QString &text, bool consume);
// The same on a cursor, which leaves the same rest as the text would be left.
TokenCode scanToken(TextCursor &text, bool consume);

// The run of letters at the head of a text that a peek has just normalised: the name of
// the identifier there.
QString leadingLetters(const QString &text);
QStringView leadingLetterRun(QStringView text);

// The run of decimal digits at the head of a text, read as a decimal number; 0 when the
// run is empty (or too long for 32 bits).
qint32 leadingDigits(QStringView text);
