#pragma once
// The fixed room of every table a run fills, in one place. A design never stops a run:
// what does not fit is refused with a message, never written outside a table.

#include <QtGlobal>

// The design tables: boxes, the rows of the three text matrices, the rows of a diagram's
// list of states.
constexpr int kMaxBoxes = 300;
constexpr int kTextRows = 50;
constexpr int kTextUpRows = 10;
constexpr int kTextDownRows = 50;
constexpr int kStateRows = 100;

// The simulation table: one row per cycle, cycles 0 to 300.
constexpr int kSimulationRows = 301;
constexpr int kLastSimulationRow = kSimulationRows - 1;

// Consecutive changing walks after which the settling gives up on a cycle.
constexpr int kMaxChangedPasses = 1000;

// Room of the cycle log, in characters. Every box a walk passes adds to the log, so this
// also bounds the work of a run whose settling keeps walking long loops cycle after cycle.
constexpr qint64 kMaxCycleLogLength = 32 * 1000 * 1000;

// Room of the rest of the process trace (everything but the cycle log), in characters:
// far above what any ordinary design writes. Past it the trace's lines are counted and
// left out, so a small design cannot make the trace, or the window holding it, huge.
constexpr qint64 kMaxTraceLength = 64 * 1000 * 1000;

// Open levels an evaluation allows before it gives up; bounds the recursion on texts
// such as «((((…» or «S[S[S[…».
constexpr int kMaxNesting = 200;

// Trace lines that repeat the rest of the text are cut to this length, so a long
// sentence cannot make the trace grow with the square of its length.
constexpr int kMaxEchoLength = 1000;
