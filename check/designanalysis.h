#pragma once
// The one place where the checks ask the pipeline about a design: the tables a run
// builds before its first cycle (reading, declarations, state table), with no output
// file and no pane.

#include "lang/signaltable.h"
#include "model/designmodel.h"

#include <QString>
#include <QStringList>

struct AnalysedDesign {
    DesignModel model;        // boxes, texts, links, parents with their kinds, state table
    SignalTable signalTable;  // the declared signals, with their ranges
    QStringList errors;       // what the analysis recorded, as a run would
    QStringList warnings;
};

// Reads the design at path and builds its tables the way a run does up to its state
// table, on a state of its own. Writes no file and shows nothing.
AnalysedDesign analyseDesign(const QString &path);
