// How long a large design's chart takes to lay out: the window lays it out on every load
// and save, so 300 boxes must stay under 300 ms. Prints the first, median and worst
// layout (graph, dot source and Graphviz's layout) and the time of the SVG.
// Usage: chart_bench (KEEP=1 keeps the design's folder, DOT=FILE writes its dot source). The design is made in a
// temporary folder: 300 boxes, a chain of states, each with a decision whose exits both
// reach the next state, and a test bench.

#include "chart/chartdot.h"
#include "chart/chartfile.h"
#include "chart/chartlayout.h"
#include "designtext.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kStages = 72;  // four boxes each
constexpr int kBenchSteps = 4;
constexpr int kRepeats = 11;

QByteArray number(int n)
{
    return QByteArray::number(n);
}

// State S<k>, a decision on GO, and on each exit an assignment that goes on to the next
// state; ids from first to first + 3.
QByteArray stage(int k, int first, int nextState)
{
    const QByteArray next = number(nextState);
    QByteArray s;
    s += box(first, "State", text("Text", {"S" + number(k)}) + key("Next", number(first + 1)));
    s += box(first + 1, "Decision",
             text("Text", {"GO == 1"}) + key("Next0", number(first + 2)) + key("Next1", number(first + 3)));
    s += box(first + 2, "SyncOps", text("Text", {"Q <= Q + 1;"}) + key("Next", next));
    s += box(first + 3, "CondSyncOps", text("TextUp", {"Q == 9"}) + text("TextDown", {"DONE <= 1;"}) + key("Next", next));
    return s;
}

QByteArray testBench(int first)
{
    QByteArray t;
    t += box(first, "Header", text("Text", {"BANCO"}) + key("Next", number(first + 1)));
    t += box(first + 1, "ThreadSync", text("Text", {"TB.CLK = 10 ns"}) + key("Next", number(first + 2)));
    t += box(first + 2, "Initial", text("TextDown", {"TB.GO <= 0"}) + key("Next", number(first + 3)));
    int id = first + 3;
    for (int step = 0; step < kBenchSteps; ++step, ++id)
        t += box(id, "StateAsyncOps",
                 text("TextUp", {"<25>"}) + text("TextDown", {step % 2 ? "TB.GO <= 0" : "TB.GO <= 1"})
                     + key("Next", number(id + 1)));
    t += box(id, "MetaState", text("Text", {"end simulation"}) + key("Next", "0") + key("Next0", "0"));
    return t;
}

// The chain ends at a connector named like the first state.
QByteArray largeDesign()
{
    QByteArray d;
    d += box(1, "Header", text("Text", {"CADENA"}) + key("Next", "2"));
    d += box(2, "Ports", text("Text", {"INPUT CLK, GO", "OUTPUT [7:0] Q, DONE"}) + key("Next", "3"));
    d += box(3, "ThreadSync", text("Text", {"CLK"}) + key("Next", "4"));
    int id = 4;
    for (int k = 0; k < kStages; ++k, id += 4)
        d += stage(k, id, id + 4);
    d += box(id, "State", text("Text", {"S0"}) + key("Next", "0"));
    return d + testBench(1000);
}

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
    file.write(largeDesign());
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
