// How long a large design's chart takes to lay out: the window lays it out on every load
// and save, so 300 boxes must stay under 300 ms. Prints the first, median and worst
// layout (graph, dot source and Graphviz's layout) and the time of the SVG.
// Usage: chart_bench (KEEP=1 keeps the design's folder, DOT=FILE writes its dot source). The design is made in a
// temporary folder: 300 boxes, a chain of states, each with a decision whose exits both
// reach the next state, and a test bench.

#include "chart/chartdot.h"
#include "chart/chartfile.h"
#include "chart/chartlayout.h"
#include "chartdesign.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRepeats = 11;

double median(std::vector<qint64> micros)
{
    std::sort(micros.begin(), micros.end());
    return micros[micros.size() / 2] / 1000.0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    dir.setAutoRemove(qEnvironmentVariableIsEmpty("KEEP"));
    const QString path = dir.filePath(QStringLiteral("bench.vdo"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    file.write(chartdesign::largeDesign());
    file.close();

    ChartGraph graph;
    QString error;
    if (!chartOfDesign(path, &graph, &error)) {
        std::printf("chart: %s\n", qPrintable(error));
        return 1;
    }
    if (const QString dotPath = qEnvironmentVariable("DOT"); !dotPath.isEmpty()) {
        QFile dot(dotPath);
        if (dot.open(QIODevice::WriteOnly | QIODevice::Truncate))
            dot.write(chartDotSource(graph));
    }
    std::vector<qint64> layouts, svgs;
    for (int i = 0; i < kRepeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        ChartLayout layout;
        if (!layoutChart(graph, &layout, &error)) {
            std::printf("layout: %s\n", qPrintable(error));
            return 1;
        }
        layouts.push_back(timer.nsecsElapsed() / 1000);
        timer.restart();
        renderChartSvg(graph, &error);
        svgs.push_back(timer.nsecsElapsed() / 1000);
    }
    std::printf("chart layout of a %lld-box design  first %7.2f ms  median %7.2f ms  worst %7.2f ms  (target < 300 ms)\n",
                static_cast<long long>(graph.nodes.size()), layouts.front() / 1000.0, median(layouts),
                *std::max_element(layouts.begin(), layouts.end()) / 1000.0);
    std::printf("chart SVG of the same design        median %7.2f ms  worst %7.2f ms\n", median(svgs),
                *std::max_element(svgs.begin(), svgs.end()) / 1000.0);
    return 0;
}
