#pragma once
// The files and folders a batch run reads and writes, checked before anything runs so that
// a wrong name fails at once and not after a long run.

#include <QString>
#include <QStringList>

// A design's file name without its folder and its last suffix: "a/b.c.vdo" is "b.c".
QString designStem(const QString &path);

// name inside dir; name alone when dir is empty (the working directory).
QString filePathIn(const QString &dir, const QString &name);

// Each design writes files named after its stem, so two designs with one stem would
// write over each other's files. On a clash returns false with a one-line message.
bool checkDistinctStems(const QStringList &designs, QString &error);

// True when the two paths name the same file (made absolute and cleaned, not resolved).
bool isSamePath(const QString &a, const QString &b);

// A design must be a readable file before its run starts. On failure returns false and
// sets error to a one-line message.
bool checkDesignReadable(const QString &path, QString &error);

// Makes the folder (and its parents) when it is missing. On failure returns false and
// sets error to a one-line message naming the option that gave it.
bool prepareOutputFolder(const QString &dir, const QString &option, QString &error);

// A file that a run will write once it is over (VCD, JUnit XML) must be writable before
// the run starts; the check leaves the file as it was. On failure returns false and sets
// error to a one-line message.
bool checkFileWritable(const QString &path, QString &error);
