#pragma once
// asmsim-cli --dot / --svg: the chart of each design, drawn without simulating it.

#include "cli/options.h"

#include <cstdio>

// True when the options ask for a chart (--dot or --svg).
bool isChartCommand(const BatchOptions &options);

// Writes the Graphviz source (--dot) and the SVG Graphviz draws (--svg) of every design:
// to the files named with one design, to DIR/STEM.dot and DIR/STEM.svg with several.
// Prints nothing on standard output and writes no report. Exit status: 0 every chart was
// written, 2 an option that cannot go with them, or a design that cannot be read, laid out
// or written (the other designs are still drawn).
int runChartCommand(const BatchOptions &options, FILE *err);
