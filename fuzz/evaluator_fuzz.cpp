// libFuzzer target: analyses any UTF-8 text as a sentence, with a few signals declared
// (one of them twice), and as the lines of a Ports, a Code and an operation box. Stops
// the process if an analysis leaves more text than it was given, does not end its trace
// with a report of the rest, or leaves an expression level open.

#include "core/panesink.h"
#include "run/simstate.h"
#include "sim/declarations.h"
#include "lang/sentences.h"
#include "model/designmodel.h"

#include <cstdint>
#include <cstdlib>

namespace {

void declare(SimState &state, SignalKind kind, const char *name, qint32 value)
{
    state.signalTable.namesOf(kind) << QLatin1String(name);
    state.signalTable.rangesOf(kind) << QStringLiteral(" ");
    state.signalTable.current.ofKind(kind) << value;
}

void checkSentence(SimState &state, MemorySink &sink, const QString &sentence)
{
    QString text = sentence;
    sink.process.clear();
    analyseSentence(state.eval(), text);
    // Upper-casing may lengthen a text (ß becomes SS); nothing else may.
    if (text.size() > sentence.toUpper().size())
        abort();
    const QString last = sink.process.isEmpty() ? QString() : sink.process.last();
    if (last != QLatin1String("ANALIZADO TODO") && last != QStringLiteral("NO ANALIZADO: ") + text)
        abort();
    if (state.registers.nestingDepth != 0 || !state.log.traceLines.isEmpty())
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    MemorySink sink;
    SimState state(&sink);
    declare(state, KindInput, "A", size > 0 ? qint32(data[0]) - 100 : 5);
    declare(state, KindOutput, "B", qint32(size));
    declare(state, KindWire, "S", -7);
    declare(state, KindWire, "A", 3);  // the same name in a second kind

    checkSentence(state, sink, input);

    // The same text as the lines of three boxes, split where a design splits them.
    rebuildTextMatrices(state.model);
    state.model.boxTypes = boxTypesNamed({"Ports", "Code", "SyncOps"});
    const QStringList lines = input.split(QStringLiteral("%CR%"));
    for (int row = 0; row < lines.size() && row < kTextRows; ++row)
        for (int box = 0; box < 3; ++box)
            state.model.textMatrix[row][box] = lines.at(row);
    analyseBoxDeclarations(state.declaration(), 0, ModePorts);
    analyseBoxDeclarations(state.declaration(), 1, ModeCode);
    analyseBoxDeclarations(state.declaration(), 2, ModeOperations);
    if (state.registers.nestingDepth != 0)
        abort();
    return 0;
}
