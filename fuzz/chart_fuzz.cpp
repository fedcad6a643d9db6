// libFuzzer target: any design file through its chart, its dot source and Graphviz's
// layout. Every layout must end; prints each new worst layout time on stderr.

#include "chart/chartdot.h"
#include "chart/chartfile.h"
#include "chart/chartlayout.h"

#include "fuzzinput.h"

#include <QElapsedTimer>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static qint64 worstMicros = 0;
    const QString design = writeFuzzDesign(data, size);
    if (design.isEmpty())
        return 0;
    ChartGraph graph;
    if (!chartOfDesign(design, &graph, nullptr))
        return 0;
    chartDotSource(graph);
    QElapsedTimer timer;
    timer.start();
    ChartLayout layout;
    layoutChart(graph, &layout, nullptr);
    const qint64 micros = timer.nsecsElapsed() / 1000;
    if (micros > worstMicros) {
        worstMicros = micros;
        std::fprintf(stderr, "chart_fuzz: worst layout so far %.2f ms (%lld boxes)\n", micros / 1000.0,
                     static_cast<long long>(graph.nodes.size()));
    }
    return 0;
}
