// How long the warnings of a large design take: the window computes them on every load
// and save, so they must stay far below what a user notices (50 ms for 300 boxes).
// Usage: check_bench (KEEP=1 keeps the design's folder). The design is made in a
// temporary folder: 300 boxes, a chain of states, each with a decision whose two exits
// meet again at the next state, and a test bench that checks an output; it runs as
// drawn, so every rule reads all of it.

#include "check/checkdesign.h"
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
constexpr int kBenchSteps = 4;  // stretches of 25 cycles
constexpr int kRepeats = 21;

QByteArray number(int n)
{
    return QByteArray::number(n);
}

// State S<k>, a decision on GO, and on each exit an assignment that goes on to the state
// next; ids from first to first + 3.
QByteArray stage(int k, int first, int nextState)
{
    const QByteArray next = number(nextState);
    QByteArray s;
    s += box(first, "State", text("Text", {"S" + number(k)}) + key("Next", number(first + 1)));
    s += box(first + 1, "Decision",
             text("Text", {"GO == 1"}) + key("Next0", number(first + 2)) + key("Next1", number(first + 3)));
    s += box(first + 2, "SyncOps", text("Text", {"Q <= Q + 1;"}) + key("Next", next));
    s += box(first + 3, "SyncOps", text("Text", {"DONE <= 1;", "Q <= 0;"}) + key("Next", next));
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
                 text("TextUp", {"<25>"}) + text("TextDown", {step % 2 ? "TB.GO <= 0" : "TB.GO <= 1", "=> TB.DONE == 1"}) +
                     key("Next", number(id + 1)));
    t += box(id, "MetaState", text("Text", {"end simulation"}) + key("Next", "0") + key("Next0", "0"));
    return t;
}

// The chain ends at a state named like the first, which takes the walk back there. The
// reader keeps 300 boxes, the test bench's included.
QByteArray largeDesign(int &boxes)
{
    QByteArray d;
    d += box(1, "Header", text("Text", {"CADENA"}) + key("Next", "2"));
    d += box(2, "Ports", text("Text", {"INPUT CLK, GO", "OUTPUT [7:0] Q, DONE"}) + key("Next", "3"));
    d += box(3, "ThreadSync", text("Text", {"CLK"}) + key("Next", "4"));
    int id = 4;
    for (int k = 0; k < kStages; ++k, id += 4)
        d += stage(k, id, id + 4);
    d += box(id, "State", text("Text", {"S0"}) + key("Next", "0"));
    boxes = id + 4 + kBenchSteps;  // the boxes 1 to id, and the test bench's
    return d + testBench(1000);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    dir.setAutoRemove(qEnvironmentVariableIsEmpty("KEEP"));
    const QString path = dir.filePath(QStringLiteral("bench.vdo"));
    int boxes = 0;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    file.write(largeDesign(boxes));
    file.close();

    std::vector<qint64> micros;
    DesignCheck check;
    for (int i = 0; i < kRepeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        check = checkDesignFile(path);
        micros.push_back(timer.nsecsElapsed() / 1000);
    }
    const qint64 first = micros.front();
    std::sort(micros.begin(), micros.end());
    std::printf("warnings of a %d-box design (read and checked)  first %6.2f ms  median %6.2f ms  worst %6.2f ms"
                "  warnings %lld%s\n",
                boxes, first / 1000.0, micros[micros.size() / 2] / 1000.0, micros.back() / 1000.0,
                static_cast<long long>(check.warnings.size()), check.readable ? "" : "  (not readable)");
    // The design is meant to run as drawn: a warning here is a fault of the bench or the check.
    for (const DesignWarning &warning : check.warnings)
        std::printf("  %s\n", qPrintable(formatWarning(QStringLiteral("bench.vdo"), warning)));
    return check.readable ? 0 : 1;
}
