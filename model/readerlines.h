#pragma once
// The reader reads a physical line of the design file in pieces of at most 200
// characters and counts each piece as a line, so its line numbers and the file's
// physical lines drift apart after a long line. Everything that points a reader's line
// number at the file (the window's jumps, the design's warnings) maps it here.

#include <QStringList>

// Characters in one piece the reader reads.
constexpr int kReaderPieceLength = 200;

// Pieces the reader makes of one physical line: a line of exactly 200 characters gives a
// second, empty piece.
inline int readerPiecesOfLine(qsizetype length)
{
    return int(length / kReaderPieceLength) + 1;
}

// The physical line (1-based) that holds the reader's line readerLine; 0 when it is past
// the end of the text or below 1.
int physicalLineOfReaderLine(const QStringList &physicalLines, int readerLine);
