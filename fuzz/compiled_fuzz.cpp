// libFuzzer target: reads any UTF-8 text as an expression three ways, from the same
// registers and signal values: as text, compiled for the first time (which builds the
// tree), and compiled again (which runs it), each with and without a trace. Stops the
// process when any register, the rest left unread, or the trace differs.

#include "core/messagelog.h"
#include "core/panesink.h"
#include "lang/compiledtext.h"
#include "lang/evalcontext.h"
#include "lang/evaluator.h"
#include "lang/evaluatorregisters.h"
#include "lang/signaltable.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct Reading {
    EvaluatorRegisters registers;
    QString rest;
    QStringList trace;

    bool operator==(const Reading &o) const
    {
        const EvaluatorRegisters &a = registers;
        const EvaluatorRegisters &b = o.registers;
        return a.exprValue == b.exprValue && a.truthValue == b.truthValue && a.comparisonFound == b.comparisonFound
               && a.logicFound == b.logicFound && a.truthResult == b.truthResult
               && a.currentSignalName == b.currentSignalName && a.nestingDepth == b.nestingDepth
               && a.nestingExceeded == b.nestingExceeded && rest == o.rest && trace == o.trace;
    }
};

struct Bench {
    MemorySink sink;
    MessageLog log{&sink};
    SignalTable table;
    EvaluatorRegisters registers;
    EvalContext ctx{registers, table, log};
    quint32 seed = 0;

    void declare(SignalKind kind, const char *name, qint32 value)
    {
        table.namesOf(kind) << QLatin1String(name);
        table.rangesOf(kind) << QStringLiteral(" ");
        table.current.ofKind(kind) << value;
    }

    // Registers as an earlier evaluation might have left them.
    void startFrom()
    {
        registers.clear();
        registers.exprValue = qint32(seed % 9) - 3;
        registers.truthValue = seed & 1;
        registers.logicFound = (seed >> 1) & 1;
        registers.comparisonFound = (seed >> 2) & 1;
        registers.truthResult = (seed >> 3) & 1;
    }

    Reading finish(const QString &rest)
    {
        Reading r{registers, rest, sink.process};
        sink.process.clear();
        return r;
    }

    Reading asText(const QString &input)
    {
        startFrom();
        TextCursor text(input);
        evalConditional(ctx, text);
        return finish(text.restText());
    }

    Reading compiled(CompiledText &compiledText, qsizetype start)
    {
        startFrom();
        CompiledCursor cursor{&compiledText, start};
        evalConditional(ctx, cursor);
        return finish(cursor.restText());
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    Bench bench;
    bench.seed = size > 0 ? data[size - 1] : 0;
    bench.declare(KindInput, "A", size > 0 ? qint32(data[0]) - 100 : 5);
    bench.declare(KindOutput, "B", qint32(size) * 977);
    bench.declare(KindWire, "S", -7);
    bench.declare(KindWire, "A", 3);  // the same name in a second kind

    for (bool tracing : {false, true}) {
        bench.log.tracing = tracing;
        CompiledText compiledText;
        qsizetype start = 0;
        if (!compileText(TextCursor(input), compiledText, start))
            continue;  // upper case that cannot be reached once: read as text only
        const Reading expected = bench.asText(input);
        if (!(bench.compiled(compiledText, start) == expected))
            abort();
        bench.table.current.input[0] ^= 0x55;  // other values for the second reading
        const Reading again = bench.asText(input);
        if (!(bench.compiled(compiledText, start) == again))
            abort();
    }
    return 0;
}
