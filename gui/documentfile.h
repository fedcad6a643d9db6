#pragma once
// A design file as the editor holds it: its lines, each with the ending it was found
// with, and how the file is written back. Opening and saving a file without editing it
// gives back every byte: the encoding (UTF-8 or Windows-1252, decided on the whole
// file), the UTF-8 byte-order mark, each line's own ending (CR LF, LF, a lone CR, or
// none after the last line) and every character, no-break spaces included.

#include "core/textencoding.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

struct DocumentFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;
    // The ending of a line that brings none of its own (one the user added): the one
    // most of the file's lines end with, the first found on a tie; LF in a file with
    // no line ending at all, and in a new file.
    QString newLine = QStringLiteral("\n");
};

struct DocumentText {
    QStringList lines;    // at least one; the texts between the line endings
    QStringList endings;  // one per line; the last line's is empty
    DocumentFormat format;
};

// The lines break where the editor breaks them: at CR LF, LF, a lone CR, and the
// paragraph and frame separators (U+2029, U+FDD0, U+FDD1), each kept as the line's ending.
DocumentText readDocument(const QByteArray &bytes);

// Empty when the format's encoding cannot hold a character of the text.
std::optional<QByteArray> writeDocument(const DocumentText &text);

// The first character that the format's encoding cannot hold, whole (both halves of a
// surrogate pair), and its line from 1; nothing when all of them fit.
struct OutsideCharacter {
    QString character;
    int line = 0;
};
std::optional<OutsideCharacter> firstOutsideCharacter(const DocumentText &text);
