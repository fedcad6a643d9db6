#pragma once
// What each box met by a design walk does: assignments, decisions, conditional
// assignments, and the boxes that are not supported.

#include "lang/signaltable.h"
#include "sim/compiledlines.h"
#include "model/boxtype.h"
#include "sim/walkpath.h"

#include <QString>
#include <QtGlobal>

struct SimContext;

enum class Timing { Synchronous, Asynchronous };


// Executes one assignment line, appending its text to the cycle log entry.
void executeAssignmentLine(const SimContext &ctx, const QString &line, Timing timing, bool verbose);
// The same for a line read beforehand.
void executeAssignment(const SimContext &ctx, const CompiledAssignment &assignment, Timing timing, bool verbose);

// Executes the box at position w. link holds the box's Next link on entry; a decision
// replaces it with the link of the path it takes. Returns which link that is.
PathLinkKind executeWalkBox(const SimContext &ctx, int w, BoxType type, qint32 next0, qint32 next1, qint32 &link);
