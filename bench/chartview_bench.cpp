// How quickly the window's chart follows the cycle: a 300-box design is laid out as the
// window lays it out (graph and Graphviz's layout, on the calling thread here), run,
// and its chart painted offscreen for every cycle of the run, once fitted into a
// 1200 x 800 view and once at zoom 1. Prints the layout time (first, median, worst;
// target under 300 ms) and the repaint time of a cycle change (median, worst; target
// under 16 ms). The design: a chain of states, each with a decision whose exits both
// reach the next state, and a test bench that toggles the decision's input.

#include "core/panesink.h"
#include "gui/chartloader.h"
#include "gui/chartview.h"
#include "run/collectresults.h"
#include "run/rundriver.h"
#include "run/simstate.h"
#include "designtext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kStages = 72;  // four boxes each
constexpr int kBenchSteps = 4;
constexpr int kLayoutRepeats = 11;

QByteArray number(int n)
{
    return QByteArray::number(n);
}

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

struct Times {
    double median = 0;
    double worst = 0;
};

Times summary(std::vector<qint64> micros)
{
    std::sort(micros.begin(), micros.end());
    return {micros[micros.size() / 2] / 1000.0, micros.back() / 1000.0};
}

// Every cycle in turn, each change painted at once.
Times repaintEveryCycle(ChartView &view, int cycles)
{
    std::vector<qint64> micros;
    QElapsedTimer timer;
    for (int c = 0; c < cycles; ++c) {
        timer.start();
        view.setCycle(c);
        view.viewport()->repaint();
        micros.push_back(timer.nsecsElapsed() / 1000);
    }
    return summary(micros);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.vdo"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    file.write(largeDesign());
    file.close();

    std::vector<qint64> layouts;
    ChartJobResult chart;
    for (int i = 0; i < kLayoutRepeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        chart = layoutDesignFile(path);
        layouts.push_back(timer.nsecsElapsed() / 1000);
        if (!chart.ok) {
            std::printf("layout: %s\n", qPrintable(chart.error));
            return 1;
        }
    }
    const Times layout = summary(layouts);

    MemorySink sink;
    SimState state(&sink);
    state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
    runSimulation(state, path);
    const RunResults results = collectRunResults(state);

    ChartView view;
    view.resize(1200, 800);
    view.show();
    view.setChart(chart.graph, chart.layout);
    view.setResults(results);
    QApplication::processEvents();
    view.fit();
    const int cycles = int(results.paths.size());
    const Times fitted = repaintEveryCycle(view, cycles);
    view.setZoom(1);
    view.setCycle(-1);
    const Times close = repaintEveryCycle(view, cycles);

    std::printf("chart view: layout of a %lld-box design  first %7.2f ms  median %7.2f ms  worst %7.2f ms  (target < 300 ms)\n",
                static_cast<long long>(chart.graph.nodes.size()), layouts.front() / 1000.0, layout.median, layout.worst);
    std::printf("chart view: repaint on a cycle change, %d cycles, fitted   median %6.2f ms  worst %6.2f ms  (target < 16 ms)\n",
                cycles, fitted.median, fitted.worst);
    std::printf("chart view: repaint on a cycle change, %d cycles, zoom 1   median %6.2f ms  worst %6.2f ms  (target < 16 ms)\n",
                cycles, close.median, close.worst);
    return 0;
}
