#pragma once
// A design file's chart in one call, for the front ends: the design is read and analysed
// up to its diagrams' kinds, writing no file and showing nothing.

#include "chart/chartgraph.h"

#include <QString>

// The chart of the design at path. When the file cannot be read or holds no box, returns
// false with a text in error.
bool chartOfDesign(const QString &path, ChartGraph *graph, QString *error);
