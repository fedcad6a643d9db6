// Analyses many sentences and prints the time per sentence. Box text lines are at most
// 200 characters (the reader reads longer lines in pieces), so the 200-character line is
// the realistic worst case; the longer ones show how the cost grows with the length,
// since every look at the next token normalises the whole remaining text.

#include "core/messagelog.h"
#include "countingsink.h"
#include "lang/evalcontext.h"
#include "lang/evaluatorregisters.h"
#include "lang/sentences.h"
#include "lang/signaltable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

void measure(const char *name, const QString &sentence, int times)
{
    CountingSink sink;
    MessageLog log(&sink);
    SignalTable t;
    EvaluatorRegisters registers;
    t.inputNames << QStringLiteral("A") << QStringLiteral("B");
    t.inputRanges << QStringLiteral(" ") << QStringLiteral(" ");
    t.current.input << 5 << 9;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < times; ++i) {
        QString text = sentence;
        analyseSentence({registers, t, log}, text);
    }
    const double micros = timer.nsecsElapsed() / 1000.0 / times;
    std::printf("%-44s %6lld chars  %10.1f us per sentence  (%d sentences, %lld trace lines)\n", name,
                static_cast<long long>(sentence.size()), micros, times, static_cast<long long>(sink.lines));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    measure("typical assignment", QStringLiteral("A + (B << 2) - 'hF & B[3:0]"), 100000);
    const QString line200 = QStringLiteral("A + B * 3 - ").repeated(16) + QStringLiteral("A + B + 1");
    measure("200-character line of operators", line200.left(200), 20000);
    for (int length : {1000, 4000, 16000})
        measure("long sentence of 1+1+...", QStringLiteral("1+").repeated(length / 2) + QStringLiteral("1"), 10);
    return 0;
}
