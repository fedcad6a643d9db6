#include "core/textencoding.h"

#include <QStringDecoder>

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the five undefined ones map to the C1 control
// characters of the same value, so that they are written back as they were.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t windows1252Char(uchar byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t(byte);
}

std::optional<char> windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == c)
            return char(0x80 + i);
    }
    return std::nullopt;
}

// How many bytes a character that starts with this byte takes; 0 for a byte that cannot
// start one.
int utf8Length(uchar lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Where the last character begins when the bytes stop inside it; size() when they do not.
qsizetype cutCharacterStart(QByteArrayView bytes)
{
    const qsizetype size = bytes.size();
    for (qsizetype back = 1; back <= 3 && back <= size; ++back) {
        const uchar c = uchar(bytes[size - back]);
        if ((c & 0xC0) != 0x80)
            return utf8Length(c) > back ? size - back : size;
    }
    return size;
}

} // namespace

bool isValidUtf8(QByteArrayView bytes)
{
    // Qt's check is the strict one: overlong forms, surrogates and a cut-off last
    // character are all refused.
    return bytes.isValidUtf8();
}

bool isValidUtf8Start(QByteArrayView bytes)
{
    return isValidUtf8(bytes.first(cutCharacterStart(bytes)));
}

TextEncoding encodingOf(QByteArrayView bytes)
{
    return isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

QString decodeText(QByteArrayView bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Windows1252)
        return decodeWindows1252(bytes);
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(windows1252Char(uchar(byte)));
    return text;
}

std::optional<QByteArray> encodeWindows1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar c : text) {
        const std::optional<char> byte = windows1252Byte(c.unicode());
        if (!byte)
            return std::nullopt;
        *out++ = *byte;
    }
    return bytes;
}

qsizetype firstOutsideWindows1252(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!windows1252Byte(text[i].unicode()))
            return i;
    }
    return -1;
}
