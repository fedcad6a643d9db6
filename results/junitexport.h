#pragma once
// The verifications of one or more runs as JUnit XML, the report CI servers read.

#include <QByteArray>
#include <QList>
#include <QString>

struct RunResults;

// One design's results and how long its run took.
struct JUnitSuite {
    const RunResults *results = nullptr;
    double seconds = 0;
};

// A <testsuites> document with one <testsuite> per entry, in order.
QByteArray junitXml(const QList<JUnitSuite> &suites);

// Writes junitXml(suites) to path. On failure returns false and sets error to a one-line
// message.
bool writeJUnit(const QList<JUnitSuite> &suites, const QString &path, QString &error);
