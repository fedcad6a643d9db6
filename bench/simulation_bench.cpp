// Whole batch runs of large designs, start to finish, with the time and the peak memory
// of each, without and with the process trace. Usage: simulation_bench
// [--write-design PATH]. The designs are made in a temporary folder:
//   - 300 boxes and 130 signals, simulated for 300 cycles;
//   - an asynchronous loop that makes the settling repeat 1000 walks in every cycle.

#include "cli/command.h"
#include "cli/options.h"
#include "designtext.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

// A value written over several physical lines, one text row each: the reader takes
// lines of at most 200 characters.
QByteArray longText(const char *name, const QByteArrayList &rows)
{
    return key(name, '"' + rows.join("\n") + '"');
}

// Two-letter signal names: signal names are letters only.
QByteArray signalName(int i)
{
    return QByteArray(1, char('A' + i / 26)) + char('A' + i % 26);
}

// A test bench that drives input AA for `cycles` cycles and checks output BO every cycle.
QByteArray testBench(int firstId, int cycles)
{
    QByteArray t;
    t += box(firstId, "Header", text("Text", {"BANCO"}) + key("Next", QByteArray::number(firstId + 1)));
    t += box(firstId + 1, "ThreadSync", text("Text", {"TB.CLK = 10 ns"}) + key("Next", QByteArray::number(firstId + 2)));
    t += box(firstId + 2, "Initial", text("TextDown", {"TB.AA <= 1"}) + key("Next", QByteArray::number(firstId + 3)));
    t += box(firstId + 3, "StateAsyncOps",
             text("TextUp", {"<" + QByteArray::number(cycles) + ">"}) + text("TextDown", {"TB.AA <= 1", "=> TB.BO == 1"}) +
                 key("Next", QByteArray::number(firstId + 4)));
    t += box(firstId + 4, "MetaState", text("Text", {"end simulation"}) + key("Next", "0") + key("Next0", "0"));
    return t;
}

// 130 signals (a clock, 29 more inputs, 100 outputs BO to FJ), a state and a chain of 290 SyncOps
// boxes back to a connector of the same name: every cycle walks the whole chain.
QByteArray largeDesign()
{
    QByteArrayList inputs{"CLK"}, outputs;
    for (int i = 0; i < 29; ++i)
        inputs << signalName(i);
    for (int i = 0; i < 100; ++i)
        outputs << signalName(40 + i);
    QByteArrayList ports{"INPUT " + inputs.join(", ")};
    for (int i = 0; i < outputs.size(); i += 25)
        ports << "OUTPUT " + outputs.mid(i, 25).join(", ");
    QByteArray d;
    d += box(1, "Header", text("Text", {"GRANDE"}) + key("Next", "2"));
    d += box(2, "Ports", longText("Text", ports) + key("Next", "3"));
    d += box(3, "ThreadSync", text("Text", {"CLK"}) + key("Next", "4"));
    d += box(4, "State", text("Text", {"S"}) + key("Next", "5"));
    constexpr int chain = 290;
    for (int i = 0; i < chain; ++i) {
        const QByteArray out = outputs.at(i % outputs.size());
        d += box(5 + i, "SyncOps", text("Text", {out + " <= " + out + " + AA;"}) + key("Next", QByteArray::number(6 + i)));
    }
    d += box(5 + chain, "State", text("Text", {"S"}) + key("Next", "0"));
    return d + testBench(1000, 298);
}

// A design whose asynchronous assignment feeds itself: every cycle settles for 1000 walks.
QByteArray asyncLoopDesign()
{
    QByteArray d;
    d += box(1, "Header", text("Text", {"BUCLE"}) + key("Next", "2"));
    d += box(2, "Ports", text("Text", {"INPUT CLK, AA", "OUTPUT BO, Q"}) + key("Next", "3"));
    d += box(3, "ThreadSync", text("Text", {"CLK"}) + key("Next", "4"));
    d += box(4, "State", text("Text", {"S"}) + key("Next", "5"));
    d += box(5, "AsyncOps", text("Text", {"Q <= Q + 1;", "BO <= 1;"}) + key("Next", "6"));
    d += box(6, "State", text("Text", {"S"}) + key("Next", "0"));
    return d + testBench(1000, 5);
}

// The same feedback, but only while input AA is 1; the test bench switches AA on and off
// cycle after cycle, so every other cycle settles for 1000 walks.
QByteArray alternatingLoopDesign()
{
    QByteArray d;
    d += box(1, "Header", text("Text", {"BUCLE"}) + key("Next", "2"));
    d += box(2, "Ports", text("Text", {"INPUT CLK, AA", "OUTPUT BO, Q"}) + key("Next", "3"));
    d += box(3, "ThreadSync", text("Text", {"CLK"}) + key("Next", "4"));
    d += box(4, "State", text("Text", {"S"}) + key("Next", "5"));
    d += box(5, "CondAsyncOps", text("TextUp", {"AA == 1"}) + text("TextDown", {"Q <= Q + 1;"}) + key("Next", "6"));
    d += box(6, "State", text("Text", {"S"}) + key("Next", "0"));
    constexpr int first = 1000, pairs = 5;
    d += box(first, "Header", text("Text", {"BANCO"}) + key("Next", QByteArray::number(first + 1)));
    int id = first + 1;
    for (int i = 0; i < 2 * pairs; ++i, ++id)
        d += box(id, "StateAsyncOps",
                 text("TextUp", {"<1>"}) + text("TextDown", {i % 2 ? "TB.AA <= 0" : "TB.AA <= 1"}) +
                     key("Next", QByteArray::number(id + 1)));
    d += box(id, "MetaState", text("Text", {"end simulation"}) + key("Next", "0") + key("Next0", "0"));
    return d;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void measureOnce(const char *name, const QString &path, const QTemporaryDir &dir, bool process)
{
    QStringList args{QStringLiteral("--out"), dir.filePath(QStringLiteral("out.txt"))};
    const QString processPath = dir.filePath(QStringLiteral("process.txt"));
    QFile::remove(processPath);
    if (process)
        args << QStringLiteral("--process") << processPath;
    args << path;
    FILE *devNull = std::fopen("/dev/null", "w");
    QElapsedTimer timer;
    timer.start();
    const int exit = runBatch(args, devNull, devNull);
    const qint64 ms = timer.elapsed();
    std::fclose(devNull);
    std::printf("%-44s %-13s %6lld ms  peak memory so far %6.1f MB  exit %d  output %6.1f kB  process %8.1f kB\n",
                name, process ? "--process" : "no --process", static_cast<long long>(ms), peakKilobytes() / 1024.0, exit,
                QFile(dir.filePath(QStringLiteral("out.txt"))).size() / 1024.0, QFile(processPath).size() / 1024.0);
}

bool writeDesign(const QString &path, const QByteArray &design)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(design);
    return true;
}

// Each design without the process trace, as users and CI run it, then with it.
void measure(const char *name, const QByteArray &design, const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("bench.vdo"));
    if (!writeDesign(path, design))
        return;
    measureOnce(name, path, dir, false);
    measureOnce(name, path, dir, true);
}

} // namespace

// With --write-design PATH, writes the 300-box design there (for the comparison with its
// Verilog twin) and exits.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("--write-design"))
        return writeDesign(args.at(2), largeDesign()) ? 0 : 1;
    QTemporaryDir dir;
    measure("300 boxes, 130 signals, 300 cycles", largeDesign(), dir);
    measure("asynchronous loop, 1000 walks in cycle 1", asyncLoopDesign(), dir);
    measure("asynchronous loop, 1000 walks in 5 cycles", alternatingLoopDesign(), dir);
    return 0;
}
