// Fills both list panes the way a long run does and prints how long it took and the
// peak memory of the process, then how long the find bar takes to count a term over
// the filled pane. Usage: panes_bench [ITEMS] (default 1000000 per pane).

#include "gui/findbar.h"
#include "gui/linepanemodel.h"
#include "gui/linepaneview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>
#include <QWidget>
#include <sys/resource.h>
#include <cstdio>

namespace {

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;  // kilobytes on Linux
}

// The lines of a long run, made a chunk at a time as a run makes them; every hundredth
// item spans two rows, as the messages that begin with a line feed do.
QStringList makeItems(int first, int count, const QString &prefix)
{
    QStringList chunk;
    chunk.reserve(count);
    for (int i = first; i < first + count; ++i)
        chunk << (i % 100 == 0 ? QStringLiteral("\n%1 %2").arg(prefix).arg(i)
                               : QStringLiteral("%1 %2\tvalor: %3").arg(prefix).arg(i).arg(i * 7));
    return chunk;
}

// Fills a pane the way a run does, a few items per call, and returns the milliseconds
// spent in the pane (making the items is not counted).
qint64 fill(LinePaneModel &model, int items, const QString &prefix)
{
    constexpr int kChunk = 30000;
    qint64 spent = 0;
    QElapsedTimer timer;
    for (int first = 0; first < items; first += kChunk) {
        const QStringList chunk = makeItems(first, qMin(kChunk, items - first), prefix);
        timer.start();
        for (qsizetype i = 0; i < chunk.size(); i += 3)
            model.appendItems(chunk.mid(i, 3));
        spent += timer.elapsed();
    }
    return spent;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int items = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000000;

    // The panes as the window makes them: fixed-width font, tabs expanded, no eliding.
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    LinePaneModel output, process;
    layout->addWidget(makeLinePane(&output, &window));
    QListView *processPane = makeLinePane(&process, &window);
    layout->addWidget(processPane);
    auto *findBar = new FindBar(new PaneFindTarget(processPane, &process), &window);
    layout->addWidget(findBar);
    window.resize(800, 600);
    window.show();
    app.processEvents();
    const long baseline = peakMegabytes();

    const qint64 filling = fill(output, items, QStringLiteral("Linea de salida"))
                         + fill(process, items, QStringLiteral("Linea de proceso"));
    QElapsedTimer timer;
    timer.start();
    app.processEvents();  // the batched flush and the views' layout
    const qint64 showing = timer.elapsed();
    const qint64 spent = filling + showing;
    const long peak = peakMegabytes();

    // A term found in many rows, and one found in none: either count is one pass.
    findBar->open();
    QElapsedTimer counting;
    counting.start();
    findBar->termEdit()->setText(QStringLiteral("VALOR: 7"));
    const qint64 countMs = counting.elapsed();
    const qsizetype found = findBar->matchCount();
    counting.start();
    findBar->termEdit()->setText(QStringLiteral("no aparece"));
    const qint64 missMs = counting.elapsed();

    std::printf("items per pane: %d\nrows: output %d, process %d\n", items,
                output.rowCount(), process.rowCount());
    std::printf("fill and show both panes: %lld ms (storing %lld ms, showing %lld ms)\n", static_cast<long long>(spent),
                static_cast<long long>(filling), static_cast<long long>(showing));
    std::printf("peak memory: %ld MB (%ld MB before filling)\n", peak, baseline);
    std::printf("find count in the process pane: %lld matches in %lld ms; no match in %lld ms\n",
                static_cast<long long>(found), static_cast<long long>(countMs), static_cast<long long>(missMs));
    return 0;
}
