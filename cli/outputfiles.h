#pragma once
// The files and folders a batch run reads and writes, checked before anything runs so that
// a wrong name fails at once and not after a long run.

#include <QString>

// A design's file name without its folder and its last suffix: "a/b.c.vdo" is "b.c".
QString designStem(const QString &path);

// name inside dir; name alone when dir is empty (the working directory).
QString filePathIn(const QString &dir, const QString &name);

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
