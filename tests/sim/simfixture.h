#pragma once
// Fresh parts of a run's state whose panes are kept in memory, with helpers to declare
// signals and to read what the box-text analysis left behind.

#include "core/panesink.h"
#include "simparts.h"

#include <QStringList>
#include <memory>

struct SimFixture {
    MemorySink sink;
    std::unique_ptr<SimParts> state = std::make_unique<SimParts>(&sink);

    // Declares a signal of a kind with a current value, as the presimulation leaves it.
    void declare(SignalKind kind, const QString &name, qint32 value)
    {
        SignalTable &t = state->signalTable;
        t.namesOf(kind) << name;
        t.rangesOf(kind) << QStringLiteral(" ");
        t.current.ofKind(kind) << value;
    }

    // The lines shown in the process pane since the last call.
    QStringList takeTrace()
    {
        QStringList lines = sink.process;
        sink.process.clear();
        return lines;
    }

    // The operator lines of the trace, in order.
    static QStringList foundLines(const QStringList &trace)
    {
        QStringList found;
        for (const QString &line : trace)
            if (line.startsWith(QLatin1String("Encontrado ")))
                found << line;
        return found;
    }

    // The one value that a caller reads from the registers: a truth value when a logical
    // operator or a comparison decided, the integer otherwise.
    qint32 result() const
    {
        const EvaluatorRegisters &r = state->registers;
        if (r.logicFound == 1 || r.comparisonFound == 1)
            return r.truthValue ? 1 : 0;
        return r.exprValue;
    }
};
