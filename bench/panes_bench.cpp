// Fills both list panes the way a long run does and prints how long it took and the
// peak memory of the process. Usage: panes_bench [ITEMS] (default 1000000 per pane).

#include "app/linepanemodel.h"

#include <QApplication>
#include <QElapsedTimer>
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

QListView *makePane(LinePaneModel *model, QWidget *parent)
{
    auto *view = new QListView(parent);
    view->setUniformItemSizes(true);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setModel(model);
    return view;
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

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    LinePaneModel output, process;
    layout->addWidget(makePane(&output, &window));
    layout->addWidget(makePane(&process, &window));
    window.resize(800, 600);
    window.show();
    app.processEvents();
    const long baseline = peakMegabytes();

    qint64 spent = fill(output, items, QStringLiteral("Linea de salida"));
    spent += fill(process, items, QStringLiteral("Linea de proceso"));
    QElapsedTimer timer;
    timer.start();
    app.processEvents();  // the batched flush and the views' layout
    spent += timer.elapsed();
    const long peak = peakMegabytes();

    std::printf("items per pane: %d\nrows: output %d, process %d\n", items,
                output.rowCount(), process.rowCount());
    std::printf("fill and show both panes: %lld ms\n", static_cast<long long>(spent));
    std::printf("peak memory: %ld MB (%ld MB before filling)\n", peak, baseline);
    return 0;
}
