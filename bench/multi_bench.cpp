// Many designs in one command: 200 counter designs (different widths, enables and test
// bench lengths) run with --jobs 2 and with --jobs 1, each output in a folder of its own.
// Prints both times and their ratio; on two free cores the ratio should be at most 0.6.
// Usage: multi_bench [DESIGNS]

#include "cli/command.h"
#include "cli/options.h"
#include "designtext.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

// Counter k: a Q of 4 to 11 bits that counts while EN is 1, and a test bench that holds
// EN low for two cycles (Q is never set then), then drives it for 100 to 290 cycles,
// switching it off for one cycle in the middle.
QByteArray counterDesign(int k)
{
    const QByteArray width = QByteArray::number(3 + k % 8);
    const int counting = 100 + (k * 37) % 191;
    QByteArray d;
    d += box(10, "Header", text("Text", {"CONTADOR"}) + key("Next", "11"));
    d += box(11, "Ports", text("Text", {"INPUT CLK, EN", "OUTPUT [" + width + ":0] Q"}) + key("Next", "12"));
    d += box(12, "ThreadSync", text("Text", {"CLK"}) + key("Next", "13"));
    d += box(13, "State", text("Text", {"CUENTA"}) + key("Next", "14"));
    d += box(14, "Decision", text("Text", {"EN == 1"}) + key("Next0", "13") + key("Next1", "15"));
    d += box(15, "SyncOps", text("Text", {"Q <= Q + 1;"}) + key("Next", "16"));
    d += box(16, "State", text("Text", {"CUENTA"}) + key("Next", "0"));
    d += box(30, "Header", text("Text", {"BANCO DE PRUEBAS"}) + key("Next", "31"));
    d += box(31, "ThreadSync", text("Text", {"TB.CLK = 10 ns"}) + key("Next", "32"));
    d += box(32, "Initial", text("TextDown", {"TB.EN <= 0"}) + key("Next", "33"));
    d += box(33, "StateAsyncOps", text("TextUp", {"<2>"}) + text("TextDown", {"TB.EN <= 0", "=> TB.Q == -1"}) +
                                      key("Next", "34"));
    d += box(34, "StateAsyncOps", text("TextUp", {"<" + QByteArray::number(counting / 2) + ">"}) +
                                      text("TextDown", {"TB.EN <= 1", "=> @1 TB.Q == -1"}) + key("Next", "35"));
    d += box(35, "StateAsyncOps", text("TextUp", {"<1>"}) + text("TextDown", {"TB.EN <= 0"}) + key("Next", "36"));
    d += box(36, "StateAsyncOps", text("TextUp", {"<" + QByteArray::number(counting - counting / 2) + ">"}) +
                                      text("TextDown", {"TB.EN <= 1"}) + key("Next", "37"));
    d += box(37, "MetaState", text("Text", {"end simulation"}) + key("Next", "0") + key("Next0", "0"));
    return d;
}

QStringList writeDesigns(const QDir &dir, int count)
{
    QStringList paths;
    for (int k = 0; k < count; ++k) {
        const QString path = dir.filePath(QStringLiteral("counter%1.vdo").arg(k, 3, 10, QLatin1Char('0')));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        file.write(counterDesign(k));
        paths << path;
    }
    return paths;
}

// The processor time of every thread of the process so far, in milliseconds.
double processorMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// One whole command over every design; returns its milliseconds, or -1 on a wrong exit.
// Prints the time and how many cores it kept busy: on a machine that other work keeps
// busy, fewer than the jobs asked for, and the ratio says more of the machine than of
// the runner.
qint64 timeCommand(const QStringList &designs, int jobs, const QString &outDir, FILE *sink, bool print)
{
    const double processorBefore = processorMilliseconds();
    QElapsedTimer timer;
    timer.start();
    const int exit = runBatch(QStringList{QStringLiteral("--jobs"), QString::number(jobs), QStringLiteral("--out-dir"),
                                          outDir} + designs,
                              sink, sink);
    const qint64 ms = timer.elapsed();
    const double processor = processorMilliseconds() - processorBefore;
    if (exit != ExitClean && exit != ExitFindings) {
        std::printf("--jobs %d: exit %d\n", jobs, exit);
        return -1;
    }
    if (print)
        std::printf("--jobs %d: %6lld ms, processor time %6.0f ms, %.2f cores busy\n", jobs, static_cast<long long>(ms),
                    processor, ms > 0 ? processor / double(ms) : 0.0);
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? qBound(2, QString::fromLocal8Bit(argv[1]).toInt(), 1000) : 200;
    QTemporaryDir dir;
    const QStringList designs = writeDesigns(QDir(dir.path()), count);
    FILE *devNull = std::fopen("/dev/null", "w");
    if (designs.isEmpty() || !devNull) {
        std::printf("cannot write the designs in %s\n", qPrintable(dir.path()));
        return 1;
    }
    // A first pass warms the file cache and the allocator, so neither timing pays for it.
    timeCommand(designs, 2, dir.filePath(QStringLiteral("warm")), devNull, false);
    const qint64 one = timeCommand(designs, 1, dir.filePath(QStringLiteral("one")), devNull, true);
    const qint64 two = timeCommand(designs, 2, dir.filePath(QStringLiteral("two")), devNull, true);
    std::fclose(devNull);
    if (one <= 0 || two < 0)
        return 1;
    std::printf("%d designs: --jobs 1 %lld ms, --jobs 2 %lld ms, ratio %.2f (target <= 0.60)\n", count,
                static_cast<long long>(one), static_cast<long long>(two), double(two) / double(one));
    return 0;
}
