#pragma once
// The parts of a run's state that box text works on, with the panes kept in memory, and
// helpers to declare signals and to read what the analysis left behind.

#include "core/messagelog.h"
#include "core/panesink.h"
#include "lang/evalcontext.h"
#include "lang/evaluatorregisters.h"
#include "lang/signaltable.h"

#include <QStringList>

struct LangFixture {
    MemorySink sink;
    MessageLog log{&sink};
    SignalTable signalTable;
    EvaluatorRegisters registers;
    EvalContext ctx{registers, signalTable, log};

    // Declares a signal of a kind with a current value, as the presimulation leaves it.
    void declare(SignalKind kind, const QString &name, qint32 value)
    {
        signalTable.namesOf(kind) << name;
        signalTable.rangesOf(kind) << QStringLiteral(" ");
        signalTable.current.ofKind(kind) << value;
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
        if (registers.logicFound == 1 || registers.comparisonFound == 1)
            return registers.truthValue ? 1 : 0;
        return registers.exprValue;
    }
};
