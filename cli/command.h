#pragma once
// asmsim-cli's whole command: the arguments to an exit code.

#include <QStringList>
#include <cstdio>

// Runs the command the arguments (without the program name) ask for: --lint, --help,
// --version, one design or many, writing to the given streams; returns the exit code.
int runBatch(const QStringList &args, FILE *out, FILE *err);
