#pragma once
// The warnings of one or more designs as JUnit XML, so that a CI server shows each as a
// failed test.

#include "check/checkdesign.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct LintedDesign {
    QString path;  // as given on the command line
    DesignCheck check;
};

// A <testsuites> document with one <testsuite> per design: a failed testcase per warning,
// one passing testcase for a design without warnings, and one testcase with an error for
// a design that cannot be read.
QByteArray lintJUnitXml(const QList<LintedDesign> &designs);
