#pragma once
// The parts of a run's state that box text works on, with the panes kept in memory, and
// helpers to declare signals and to read what the analysis left behind.

#include "core/messagelog.h"
#include "core/panesink.h"
#include "lang/evalcontext.h"
#include "lang/evaluatorregisters.h"
#include "lang/signaltable.h"

#include <QStringList>

// Declares a signal of a kind with a current value, as the presimulation leaves it.
inline void declareSignal(SignalTable &table, SignalKind kind, const QString &name, qint32 value)
{
    table.namesOf(kind) << name;
    table.rangesOf(kind) << QStringLiteral(" ");
    table.current.ofKind(kind) << value;
}

// The lines shown in the process pane since the last call.
inline QStringList takeProcessLines(MemorySink &sink)
{
    QStringList lines = sink.process;
    sink.process.clear();
    return lines;
}

// The operator lines of a trace, in order.
inline QStringList operatorLines(const QStringList &trace)
{
    QStringList found;
    for (const QString &line : trace)
        if (line.startsWith(QLatin1String("Encontrado ")))
            found << line;
    return found;
}

// The one value that a caller reads from the registers: a truth value when a logical
// operator or a comparison decided, the integer otherwise.
inline qint32 readResult(const EvaluatorRegisters &r)
{
    if (r.logicFound == 1 || r.comparisonFound == 1)
        return r.truthValue ? 1 : 0;
    return r.exprValue;
}

struct LangFixture {
    MemorySink sink;
    MessageLog log{&sink};
    SignalTable signalTable;
    EvaluatorRegisters registers;
    EvalContext ctx{registers, signalTable, log};

    void declare(SignalKind kind, const QString &name, qint32 value) { declareSignal(signalTable, kind, name, value); }
    QStringList takeTrace() { return takeProcessLines(sink); }
    static QStringList foundLines(const QStringList &trace) { return operatorLines(trace); }
    qint32 result() const { return readResult(registers); }
};
