#pragma once
// The design the chart benchmarks lay out: 300 boxes, a chain of states, each with a
// decision whose exits both reach the next state, closed by a connector named like the
// first state, and a test bench that toggles the decision's input.

#include "designtext.h"

#include <QByteArray>

namespace chartdesign {

constexpr int kStages = 72;  // four boxes each
constexpr int kBenchSteps = 4;

inline QByteArray number(int n)
{
    return QByteArray::number(n);
}

// State S<k>, a decision on GO, and on each exit an assignment that goes on to the next
// state; ids from first to first + 3.
inline QByteArray stage(int k, int first, int nextState)
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

inline QByteArray testBench(int first)
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
inline QByteArray largeDesign()
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

} // namespace chartdesign
