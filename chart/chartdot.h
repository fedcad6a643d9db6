#pragma once
// The chart as Graphviz source: the same graph always gives the same bytes.

#include "chart/chartgraph.h"

#include <QByteArray>
#include <QString>

// Names of the chart's parts in the source (and the ids of the SVG drawn from it).
QByteArray chartNodeName(int position);  // "b<position>"
QByteArray chartStubName(int stub);      // "s<index>"
QByteArray chartEdgeName(int edge);      // "e<index>"
QByteArray chartClusterName(int cluster);  // "cluster_<index>"

// The graph in the dot language, with the layout limits that make every layout end.
QByteArray chartDotSource(const ChartGraph &graph);

// A text as a double-quoted dot string: quotes and backslashes escaped, each line break
// as \n (a centred line), other control characters as blanks, the rest as UTF-8.
QByteArray dotQuoted(const QString &text);
