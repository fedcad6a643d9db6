#include "check/readerview.h"

#include "model/designmodel.h"
#include "model/readerlines.h"

namespace {

constexpr int kMaxBoxLines = 2000;  // the reader leaves a box without "}" after these

// The file as the reader reads it: every physical line cut into pieces of at most 200
// characters, each piece a line of its own.
struct Piece {
    QString text;
    int physicalLine;
};

QVector<Piece> readerPieces(const QStringList &lines)
{
    QVector<Piece> pieces;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const int count = readerPiecesOfLine(line.size());
        for (int k = 0; k < count; ++k)
            pieces.append({line.mid(qsizetype(k) * kReaderPieceLength, kReaderPieceLength), i + 1});
    }
    return pieces;
}

class BoxReader {
public:
    explicit BoxReader(const QVector<Piece> &pieces) : m_pieces(pieces) {}

    // Reads the box whose "Box" line is piece i; returns the piece where the top level
    // goes on.
    qsizetype read(qsizetype i, ReaderBox &box)
    {
        box.physicalLine = m_pieces.at(i).physicalLine;
        ++i;
        for (int handled = 0; handled < kMaxBoxLines && i < m_pieces.size(); ++handled) {
            const QString &line = m_pieces.at(i).text;
            if (line.contains(QLatin1String("Id"))) {
                noteMisread(line, QStringLiteral("Id"), m_pieces.at(i).physicalLine, box);
                ++i;
            } else if (line.contains(QLatin1String("Type"))) {
                noteMisread(line, QStringLiteral("Type"), m_pieces.at(i).physicalLine, box);
                ++i;
            } else if (line.contains(QLatin1String("Text"))) {
                i = readValue(i, box);
            } else if (line.contains(QLatin1String("Next"))) {
                ++i;
            } else if (line.contains(QLatin1Char('}'))) {
                return i + 1;
            } else {
                ++i;
            }
        }
        // A box that never closed: the line it stopped on is passed over.
        return i + 1;
    }

private:
    const QVector<Piece> &m_pieces;

    static void noteMisread(const QString &line, const QString &key, int physicalLine, ReaderBox &box)
    {
        const qsizetype quote = line.indexOf(QLatin1Char('"'));
        if (quote >= 0 && line.left(quote).contains(QLatin1String("Text")))
            box.misread.append({physicalLine, key});
    }

    // A value: from the first double quote of its key line to the next double quote.
    qsizetype readValue(qsizetype i, ReaderBox &box)
    {
        const QString &key = m_pieces.at(i).text;
        const qsizetype quote = key.indexOf(QLatin1Char('"'));
        if (quote < 0)
            return i + 1;
        const QString rest = key.mid(quote + 1);
        qsizetype close = rest.indexOf(QLatin1Char('"'));
        box.pieces.append({m_pieces.at(i).physicalLine, close < 0 ? rest : rest.left(close), close >= 0});
        while (close < 0) {
            ++i;
            if (i >= m_pieces.size())
                return i;
            const QString &line = m_pieces.at(i).text;
            close = line.indexOf(QLatin1Char('"'));
            box.pieces.append({m_pieces.at(i).physicalLine, close < 0 ? line : line.left(close), close >= 0});
        }
        return i + 1;
    }
};

} // namespace

QVector<ReaderBox> readerBoxes(const QStringList &physicalLines)
{
    const QVector<Piece> pieces = readerPieces(physicalLines);
    BoxReader reader(pieces);
    QVector<ReaderBox> boxes;
    qsizetype i = 0;
    while (i < pieces.size()) {
        const QString &line = pieces.at(i).text;
        if (line.contains(QLatin1String("Pages"))) {
            i += 3;  // the "Pages" line, the page line and the closing line
        } else if (line.contains(QLatin1String("Box"))) {
            ReaderBox box;
            i = reader.read(i, box);
            if (boxes.size() < kMaxBoxes)
                boxes.append(box);
        } else {
            ++i;
        }
    }
    return boxes;
}
