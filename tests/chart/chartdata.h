#pragma once
// The chart tests' designs, under tests/data, read into graphs.

#include "chart/chartfile.h"

#include <QDir>
#include <QTest>

inline QString chartDataFile(const QString &name)
{
    return QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(name);
}

inline ChartGraph chartOfDataFile(const QString &name)
{
    ChartGraph graph;
    QString error;
    if (!chartOfDesign(chartDataFile(name), &graph, &error))
        qWarning("%s", qPrintable(error));
    return graph;
}
