#include "gui/sourcejump.h"

#include "model/readerlines.h"

#include <QList>
#include <QVector>
#include <QString>

namespace {

constexpr int kPieceLength = 200;  // the reader reads a physical line in pieces of this
constexpr int kMaxBoxLines = 2000; // the reader leaves a box without "}" after these
constexpr int kMaxBoxes = 300;     // boxes after these are not stored, so not found

// The first run of decimal digits at from, as a non-negative int; -1 when there is none
// or it does not fit.
int digitsAt(QStringView text, qsizetype from)
{
    qsizetype end = from;
    while (end < text.size() && end - from < 10 && text[end].isDigit() && text[end].unicode() < 128)
        ++end;
    if (end == from)
        return -1;
    bool ok = false;
    const int value = text.sliced(from, end - from).toInt(&ok);
    return ok ? value : -1;
}

// The number after the first marker of the list found in text; -1 when none is found.
int numberAfter(QStringView text, std::initializer_list<QLatin1StringView> markers)
{
    qsizetype best = -1;
    qsizetype bestEnd = 0;
    for (QLatin1StringView marker : markers) {
        for (qsizetype at = text.indexOf(marker); at >= 0; at = text.indexOf(marker, at + 1)) {
            // "ID" must stand alone: not the tail of a word such as "VALID".
            const bool wordStart = at == 0 || !text[at - 1].isLetterOrNumber();
            const int value = digitsAt(text, at + marker.size());
            if (wordStart && value >= 0) {
                if (best < 0 || at < best) {
                    best = at;
                    bestEnd = at + marker.size();
                }
                break;
            }
        }
    }
    return best < 0 ? -1 : digitsAt(text, bestEnd);
}

// The reader's view of the text: each editor line as its pieces of at most 200
// characters (a line of exactly 200 gives a second, empty piece), with the editor line
// (0-based) each piece comes from.
struct Piece {
    QStringView text;
    int editorLine;
};

QList<Piece> readerPieces(const QStringList &lines)
{
    QList<Piece> pieces;
    for (int i = 0; i < lines.size(); ++i) {
        const QStringView line(lines[i]);
        for (qsizetype at = 0; at <= line.size(); at += kPieceLength)
            pieces.append({line.sliced(at, qMin<qsizetype>(kPieceLength, line.size() - at)), i});
    }
    return pieces;
}

// The integer after the first "=" of the part before the first ";", 0 when it is none.
int keyValue(QStringView line)
{
    const qsizetype semicolon = line.indexOf(QLatin1Char(';'));
    const QStringView field = semicolon < 0 ? line : line.first(semicolon);
    const qsizetype eq = field.indexOf(QLatin1Char('='));
    return eq < 0 ? 0 : field.sliced(eq + 1).trimmed().toInt();
}

// Skips a text value that opens on piece i; returns the piece after it.
qsizetype skipTextValue(const QList<Piece> &pieces, qsizetype i)
{
    const QStringView key = pieces[i].text;
    const qsizetype quote = key.indexOf(QLatin1Char('"'));
    if (quote >= 0 && key.indexOf(QLatin1Char('"'), quote + 1) < 0) {
        // The value stays open until a later line holds a double quote.
        ++i;
        while (i < pieces.size() && !pieces[i].text.contains(QLatin1Char('"')))
            ++i;
    }
    return i + 1;
}

struct BoxIdAt {
    int id = 0;
    int editorLine = -1;  // -1: the box has no ID line (its ID is then 0)
};

// Reads the box block whose lines start at piece i, as the reader does: the first line
// that holds "Id" is its ID line. Returns the piece where the top level goes on.
qsizetype readBox(const QList<Piece> &pieces, qsizetype i, BoxIdAt &box)
{
    for (int handled = 0; handled < kMaxBoxLines && i < pieces.size(); ++handled) {
        const QStringView line = pieces[i].text;
        if (line.contains(QLatin1String("Id"))) {
            if (box.editorLine < 0)
                box = {keyValue(line), pieces[i].editorLine};
            ++i;
        } else if (line.contains(QLatin1String("Type"))) {
            ++i;
        } else if (line.contains(QLatin1String("Text"))) {
            i = skipTextValue(pieces, i);
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

} // namespace

SourceRef sourceRefIn(QStringView paneLine)
{
    const int line = numberAfter(paneLine, {QLatin1StringView("Linea: "), QLatin1StringView("linea: ")});
    if (line >= 0)
        return {SourceRef::FileLine, line};
    const int id = numberAfter(paneLine, {QLatin1StringView("ID: "), QLatin1StringView("ID = ")});
    if (id >= 0)
        return {SourceRef::BoxId, id};
    return {};
}

int editorLineOfFileLine(const QStringList &editorLines, int fileLine)
{
    return physicalLineOfReaderLine(editorLines, fileLine);
}

namespace {

// The editor line (0-based) of each box's Id line, or of its "Box" line when it has none,
// in the reader's order, as many boxes as the reader keeps.
QVector<BoxIdAt> boxLines(const QStringList &editorLines)
{
    const QList<Piece> pieces = readerPieces(editorLines);
    QVector<BoxIdAt> boxes;
    qsizetype i = 0;
    while (i < pieces.size()) {
        const QStringView line = pieces[i].text;
        if (line.contains(QLatin1String("Pages"))) {
            i += 3;  // the "Pages" line, the page line and the closing line
        } else if (line.contains(QLatin1String("Box"))) {
            BoxIdAt box;
            const int boxLine = pieces[i].editorLine;
            i = readBox(pieces, i + 1, box);
            // A box without an ID line has ID 0; its "Box" line is where it is.
            if (box.editorLine < 0)
                box = {0, boxLine};
            if (boxes.size() < kMaxBoxes)
                boxes.append(box);
        } else {
            ++i;
        }
    }
    return boxes;
}

} // namespace

int boxIdLine(const QStringList &editorLines, int boxId)
{
    int found = 0;
    for (const BoxIdAt &box : boxLines(editorLines))
        if (box.id == boxId)
            found = box.editorLine + 1;
    return found;
}

int boxPositionLine(const QStringList &editorLines, int position)
{
    const QVector<BoxIdAt> boxes = boxLines(editorLines);
    return position >= 0 && position < boxes.size() ? boxes.at(position).editorLine + 1 : 0;
}
