#pragma once
// The lines of a design file as the reader takes them: decoded in the file's encoding,
// every CR dropped (so CR LF, LF and a CR inside a line all read alike), and cut into
// pieces of at most a given length. A line of exactly that length (or a multiple of it)
// that ends in a line feed is followed by one empty piece; a last line without a line
// feed is not.
//
// The encoding is decided on the first window of pieces only, counting a piece per
// pieceLength bytes: the reader stops after a fixed number of pieces, and the file is
// never read further than the reader would read it just to decide. Within that window,
// valid UTF-8 (with or without a byte-order mark) is UTF-8, and anything else is
// Windows-1252; UTF-8 that turns invalid after the window reads with replacement
// characters. However long a line, it is read in bounded parts.

#include "core/textencoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

class QIODevice;

class DesignLines {
public:
    // The device is open for reading, raw (not in text mode), and outlives this object.
    DesignLines(QIODevice *device, int pieceLength, int windowPieces);

    // The next piece; a null string at the end of the file, unlike an empty piece.
    QString next();
    TextEncoding encoding() const { return m_encoding; }

private:
    void decide(int windowPieces);
    QByteArrayView partAt(qsizetype &at);
    void readMore();

    QIODevice *m_device;
    int m_pieceLength;
    TextEncoding m_encoding = TextEncoding::Utf8;

    // The bytes read from the device and not yet decoded, a block at a time; while the
    // encoding is decided, the whole window of a device that cannot seek.
    QByteArray m_bytes;
    qsizetype m_taken = 0;  // how many of them have been decoded
    bool m_deviceDone = false;

    // Stateful, for a character cut between two parts of a line; it keeps every
    // byte-order mark, the file's own first one is dropped before it.
    QStringDecoder m_utf8{QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom};
    QString m_line;           // what has been decoded of the current line
    qsizetype m_at = 0;       // how much of it has been handed out
    bool m_lineDone = false;  // its end (a line feed or the end of the file) has been read
    bool m_lineFeed = false;  // it ended in a line feed
};
