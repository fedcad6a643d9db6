#pragma once
// From a line of a pane to the design file: which file line or box a report line names,
// and where that is in the editor's text. Pure functions over strings.

#include <QStringList>
#include <QStringView>

struct SourceRef {
    enum Kind { None, FileLine, BoxId };
    Kind kind = None;
    int number = 0;
};

// What a pane line points at. A file line ("Linea: N", or "linea: N" as the reader's
// block lines write it) wins over a box ID ("ID: N", "ID = N", "con ID: N") on the same
// line, because it is the more exact place; of several IDs the first one counts.
SourceRef sourceRefIn(QStringView paneLine);

// The reader counts a physical line of 200 characters or more as several lines (it
// reads in pieces of at most 200), so a file line number and an editor line number
// drift apart after such a line. These map the reader's count onto editor lines
// (1-based); 0 when the file line is past the end of the text.
int editorLineOfFileLine(const QStringList &editorLines, int fileLine);

// The editor line (1-based) of the Id line of the box with this ID, found the way the
// reader finds boxes and their Id lines; when several boxes have the ID, the last one
// (the one a lookup by ID finds). 0 when there is no such box.
int boxIdLine(const QStringList &editorLines, int boxId);

// The editor line (1-based) of the Id line of the box at a position (0-based, in the
// reader's order), or of its "Box" line when it has none; 0 when there is no such box.
int boxPositionLine(const QStringList &editorLines, int position);
