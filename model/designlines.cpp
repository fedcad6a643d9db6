#include "model/designlines.h"

#include <QIODevice>

#include <algorithm>
#include <utility>

namespace {

constexpr qsizetype kBlockBytes = 64 * 1024;  // read from the device at a time
constexpr qsizetype kPartBytes = 64 * 1024;   // a longer line is decoded in parts of this size

bool isContent(char byte)
{
    return byte != '\r' && byte != '\n';
}

// The bytes of a line that count in its pieces: all but CR and the line feed. They
// count as in Windows-1252, one a character: never more characters than the same
// bytes give as UTF-8, so neither reading is shorter than the window.
qsizetype contentBytes(QByteArrayView part)
{
    return std::count_if(part.begin(), part.end(), isContent);
}

qsizetype piecesOf(qsizetype length, bool lineFeed, int pieceLength)
{
    return lineFeed ? length / pieceLength + 1 : (length + pieceLength - 1) / pieceLength;
}

// The part of raw before its (count + 1)th counted byte.
QByteArrayView firstBytes(QByteArrayView raw, qsizetype count)
{
    qsizetype end = 0;
    for (qsizetype seen = 0; end < raw.size(); ++end) {
        if (isContent(raw[end]) && seen++ == count)
            break;
    }
    return raw.first(end);
}

} // namespace

DesignLines::DesignLines(QIODevice *device, int pieceLength, int windowPieces)
    : m_device(device), m_pieceLength(pieceLength)
{
    decide(windowPieces);
    // A file is read again from its start; what cannot seek (a pipe) keeps the window.
    if (!m_device->isSequential() && m_device->seek(0)) {
        m_bytes.clear();
        m_deviceDone = false;
        readMore();
    }
    // Only the file's own first bytes can be its byte-order mark.
    if (m_encoding == TextEncoding::Utf8) {
        qsizetype start = 0;
        while (start < m_bytes.size() && m_bytes[start] == '\r')
            ++start;
        if (QByteArrayView(m_bytes).sliced(start).startsWith(kUtf8ByteOrderMark))
            m_bytes.remove(start, kUtf8ByteOrderMark.size());
    }
}

// Straight into the kept bytes, whose room grows twofold: the window can be megabytes.
void DesignLines::readMore()
{
    const qsizetype kept = m_bytes.size();
    if (m_bytes.capacity() < kept + kBlockBytes)
        m_bytes.reserve(2 * (kept + kBlockBytes));
    m_bytes.resize(kept + kBlockBytes);
    const qint64 read = m_device->read(m_bytes.data() + kept, kBlockBytes);
    m_bytes.resize(kept + qMax(read, qint64(0)));
    m_deviceDone = read <= 0;
}

// The part of a line that begins at `at`: up to and with its line feed, or kPartBytes
// long; empty at the end of the file. Moves `at` past it.
QByteArrayView DesignLines::partAt(qsizetype &at)
{
    qsizetype end = -1;
    while ((end = m_bytes.indexOf('\n', at)) < 0 && m_bytes.size() - at < kPartBytes && !m_deviceDone)
        readMore();
    const qsizetype length = std::min(end < 0 ? m_bytes.size() - at : end + 1 - at, kPartBytes);
    const QByteArrayView part = QByteArrayView(m_bytes).sliced(at, length);
    at += length;
    return part;
}

// Each line is checked on its own: a line feed can never lie inside a UTF-8 character,
// so a file is valid when each of its lines is. Nothing read here is handed out yet.
void DesignLines::decide(int windowPieces)
{
    qsizetype scan = 0;
    qsizetype pieces = 0;     // of the lines before the current one
    qsizetype lineStart = 0;  // where the current line begins
    qsizetype lineBytes = 0;  // its counted bytes read so far, in the window or not
    while (pieces < windowPieces) {
        const QByteArrayView part = partAt(scan);
        const qsizetype room = (windowPieces - pieces) * m_pieceLength;
        lineBytes += contentBytes(part);
        const QByteArrayView line = QByteArrayView(m_bytes).sliced(lineStart, scan - lineStart);
        if (lineBytes > room) {
            // The window ends inside this line, perhaps inside a character.
            if (!isValidUtf8Start(firstBytes(line, room)))
                m_encoding = TextEncoding::Windows1252;
            return;
        }
        const bool lineFeed = part.endsWith('\n');
        if (!part.isEmpty() && !lineFeed)
            continue;  // the line goes on in the next part
        if (!isValidUtf8(line)) {
            m_encoding = TextEncoding::Windows1252;
            return;
        }
        if (part.isEmpty())
            return;  // the end of the file
        pieces += piecesOf(lineBytes, lineFeed, m_pieceLength);
        lineStart = scan;
        lineBytes = 0;
        // A file that is read again keeps only the line being checked.
        if (!m_device->isSequential() && lineStart >= kBlockBytes && lineStart * 2 >= m_bytes.size()) {
            m_bytes.remove(0, lineStart);
            scan -= lineStart;
            lineStart = 0;
        }
    }
}

QString DesignLines::next()
{
    while (!m_lineDone && m_line.size() - m_at < m_pieceLength) {
        // Drop what has been decoded once it is most of what is kept, so that each byte
        // is moved a bounded number of times.
        if (m_taken >= kBlockBytes && m_taken * 2 >= m_bytes.size()) {
            m_bytes.remove(0, m_taken);
            m_taken = 0;
        }
        QByteArrayView part = partAt(m_taken);
        if (part.isEmpty()) {
            m_lineDone = true;  // the end of the file
            break;
        }
        QByteArray withoutCr;
        if (part.contains('\r')) {
            withoutCr = part.toByteArray().replace("\r", "");
            part = withoutCr;
        }
        // The line feed is decoded with the line: it ends any character cut off before it.
        const QString text = m_encoding == TextEncoding::Utf8 ? m_utf8.decode(part) : decodeWindows1252(part);
        m_line = m_line.isEmpty() ? text : m_line + text;
        if (part.endsWith('\n')) {
            m_line.chop(1);
            m_lineDone = m_lineFeed = true;
        }
    }
    const qsizetype rest = m_line.size() - m_at;
    if (rest >= m_pieceLength) {
        // A whole piece; the line feed, if any, is still to come (as an empty piece when
        // nothing is left before it).
        const QString piece = m_line.mid(m_at, m_pieceLength);
        m_at += m_pieceLength;
        if (m_at >= kPartBytes) {
            m_line.remove(0, m_at);
            m_at = 0;
        }
        return piece;
    }
    if (rest == 0 && !m_lineFeed)
        return QString();  // the end of the file
    const QString piece = m_at == 0 ? std::exchange(m_line, QString()) : m_line.mid(m_at);
    m_line.clear();
    m_at = 0;
    m_lineDone = m_lineFeed = false;
    return piece;
}
