#pragma once
// The two encodings a design file can be in. A file whose bytes are valid UTF-8 (with or
// without a byte-order mark) is UTF-8; any other is Windows-1252, the ANSI code page of a
// Spanish Windows, where the diagram compiler that exports .vdo files runs. Windows-1252
// is decoded by hand: every one of its 256 bytes comes back as the same byte, the five it
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) through the C1 control characters of
// the same value.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

enum class TextEncoding { Utf8, Windows1252 };

inline constexpr QByteArrayView kUtf8ByteOrderMark("\xEF\xBB\xBF", 3);

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF, no character cut
// off at the end.
bool isValidUtf8(QByteArrayView bytes);
// As isValidUtf8, but the bytes may stop inside their last character: they are the start
// of a longer text that has not been read.
bool isValidUtf8Start(QByteArrayView bytes);

TextEncoding encodingOf(QByteArrayView bytes);

// Every byte becomes one character; a byte-order mark is kept as U+FEFF. UTF-8 that is not
// valid decodes with replacement characters.
QString decodeText(QByteArrayView bytes, TextEncoding encoding);
QString decodeWindows1252(QByteArrayView bytes);

// Empty when the text holds a character that Windows-1252 has no byte for.
std::optional<QByteArray> encodeWindows1252(QStringView text);
// Where the first such character is; -1 when every character has its byte.
qsizetype firstOutsideWindows1252(QStringView text);
