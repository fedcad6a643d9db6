#pragma once
// asmsim-cli --lint: the design's warnings, without simulating it and without writing
// any report file.

#include <QStringList>
#include <cstdio>

// True when the arguments ask for --lint (before a "--" that ends the options).
bool isLintCommand(const QStringList &args);

// Prints "FILE:LINE: warning: TEXT [RULE]" for every warning of every design given, and
// with --junit FILE writes them as JUnit XML. Exit status: 0 no warning, 1 some, 2 an
// argument other than --junit, a design that cannot be read or a JUnit file that cannot
// be written (the other designs are still checked).
int runLintCommand(const QStringList &args, FILE *out, FILE *err);
