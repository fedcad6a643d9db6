#pragma once
// Fresh parts of a run's state whose panes are kept in memory, with helpers to declare
// signals and to read what the box-text analysis left behind.

#include "lang/langfixture.h"
#include "simparts.h"

#include <memory>

struct SimFixture {
    MemorySink sink;
    std::unique_ptr<SimParts> state = std::make_unique<SimParts>(&sink);

    void declare(SignalKind kind, const QString &name, qint32 value)
    {
        declareSignal(state->signalTable, kind, name, value);
    }
    QStringList takeTrace() { return takeProcessLines(sink); }
    static QStringList foundLines(const QStringList &trace) { return operatorLines(trace); }
    qint32 result() const { return readResult(state->registers); }
};
