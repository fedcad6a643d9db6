#pragma once
// The box blocks of a design file as the reader takes them, line by line: which lines it
// takes as a box's values, and which lines that open a value it takes for another key.
// Follows the reader's own classification so that it stays in step with it.

#include <QString>
#include <QStringList>
#include <QVector>

// One piece of a value: the text between the quotes on one of the reader's lines.
struct ValuePiece {
    int physicalLine = 0;
    QString text;
    bool lastOfValue = true;  // the value closes on this piece
};

// A line that opens a value (its part before the first double quote names a Text key)
// but that the reader classifies by a key it tests first.
struct MisreadLine {
    int physicalLine = 0;
    QString key;  // "Id" or "Type"
};

struct ReaderBox {
    int physicalLine = 0;  // the line holding "Box"
    QVector<ValuePiece> pieces;
    QVector<MisreadLine> misread;
};

// The boxes that the reader stores (at most the room of its tables), in file order, so
// the index of each is its position in the box tables.
QVector<ReaderBox> readerBoxes(const QStringList &physicalLines);
