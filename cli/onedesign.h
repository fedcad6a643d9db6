#pragma once
// The batch runner with one design: its output report on standard output, as the window's
// output pane shows it.

#include "cli/options.h"

#include <cstdio>

// Checks the design and the files asked for, runs the design, writes its VCD and JUnit
// XML when asked, and returns the exit code: 0 passed, 1 an error or a wrong verification,
// 2 a file that cannot be read or written.
int runOneDesign(const BatchOptions &options, FILE *out, FILE *err);
