#include "gui/documentfile.h"

#include <QStringEncoder>

namespace {

bool isLineBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator
           || c == QChar(0xFDD0) || c == QChar(0xFDD1);
}

// The most frequent of CR LF, LF and lone CR; the first found on a tie; LF for none.
QString dominantEnding(const QStringList &endings)
{
    const QString ordinary[] = {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r")};
    QString best = QStringLiteral("\n");
    qsizetype bestCount = 0;
    qsizetype bestFirst = endings.size();
    for (const QString &ending : ordinary) {
        const qsizetype count = endings.count(ending);
        const qsizetype first = endings.indexOf(ending);
        if (count > bestCount || (count == bestCount && count > 0 && first < bestFirst)) {
            best = ending;
            bestCount = count;
            bestFirst = first;
        }
    }
    return best;
}

} // namespace

DocumentText readDocument(const QByteArray &bytes)
{
    DocumentText document;
    QByteArrayView body(bytes);
    document.format.encoding = encodingOf(body);
    if (document.format.encoding == TextEncoding::Utf8 && body.startsWith(kUtf8ByteOrderMark)) {
        document.format.byteOrderMark = true;
        body = body.sliced(kUtf8ByteOrderMark.size());
    }
    const QString text = decodeText(body, document.format.encoding);

    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isLineBreak(text[i]))
            continue;
        const bool crLf = text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n');
        const qsizetype length = crLf ? 2 : 1;
        document.lines << text.mid(start, i - start);
        document.endings << text.mid(i, length);
        i += length - 1;
        start = i + 1;
    }
    document.lines << text.mid(start);
    document.endings << QString();
    document.format.newLine = dominantEnding(document.endings);
    return document;
}

std::optional<QByteArray> writeDocument(const DocumentText &document)
{
    QString text;
    for (qsizetype i = 0; i < document.lines.size(); ++i)
        text += document.lines[i] + document.endings.value(i);
    if (document.format.encoding == TextEncoding::Windows1252)
        return encodeWindows1252(text);
    QStringEncoder encoder(QStringConverter::Utf8);
    QByteArray bytes = encoder.encode(text);
    if (document.format.byteOrderMark)
        bytes.prepend(kUtf8ByteOrderMark.data(), kUtf8ByteOrderMark.size());
    return bytes;
}

std::optional<OutsideCharacter> firstOutsideCharacter(const DocumentText &document)
{
    if (document.format.encoding != TextEncoding::Windows1252)
        return std::nullopt;
    for (qsizetype i = 0; i < document.lines.size(); ++i) {
        const QString &line = document.lines[i];
        const qsizetype at = firstOutsideWindows1252(line);
        if (at >= 0) {
            const bool pair = line[at].isHighSurrogate() && at + 1 < line.size() && line[at + 1].isLowSurrogate();
            return OutsideCharacter{line.mid(at, pair ? 2 : 1), int(i + 1)};
        }
    }
    return std::nullopt;
}
