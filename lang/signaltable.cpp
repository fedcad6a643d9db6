#include "lang/signaltable.h"

namespace {

template <typename Vector>
Vector &pick(int kind, Vector &input, Vector &output, Vector &inout, Vector &wire)
{
    switch (kind) {
    case KindInput:
        return input;
    case KindOutput:
        return output;
    case KindInout:
        return inout;
    default:
        return wire;
    }
}

} // namespace

QVector<qint32> &SignalValues::ofKind(int kind)
{
    return pick(kind, input, output, inout, wire);
}

const QVector<qint32> &SignalValues::ofKind(int kind) const
{
    return pick(kind, input, output, inout, wire);
}

void SignalTable::clearSignals()
{
    for (QStringList *list : {&inputNames, &outputNames, &inoutNames, &wireNames,
                              &inputRanges, &outputRanges, &inoutRanges, &wireRanges,
                              &inputTiming, &outputTiming, &inoutTiming, &wireTiming})
        list->clear();
    current.clear();
    next.clear();
    previous.clear();
}

QStringList &SignalTable::namesOf(int kind)
{
    return pick(kind, inputNames, outputNames, inoutNames, wireNames);
}

const QStringList &SignalTable::namesOf(int kind) const
{
    return pick(kind, inputNames, outputNames, inoutNames, wireNames);
}

QStringList &SignalTable::rangesOf(int kind)
{
    return pick(kind, inputRanges, outputRanges, inoutRanges, wireRanges);
}

const QStringList &SignalTable::rangesOf(int kind) const
{
    return pick(kind, inputRanges, outputRanges, inoutRanges, wireRanges);
}

QStringList &SignalTable::timingOf(int kind)
{
    return pick(kind, inputTiming, outputTiming, inoutTiming, wireTiming);
}

const QStringList &SignalTable::timingOf(int kind) const
{
    return pick(kind, inputTiming, outputTiming, inoutTiming, wireTiming);
}

bool SignalTable::isDeclared(const QString &name) const
{
    for (int kind : kSignalKinds)
        if (namesOf(kind).contains(name))
            return true;
    return false;
}

bool SignalTable::currentValueOf(const QString &name, qint32 &value) const
{
    bool found = false;
    for (int kind : kSignalKinds) {
        const QStringList &names = namesOf(kind);
        const QVector<qint32> &values = current.ofKind(kind);
        // The value vectors are created later than the names; an index without a name
        // (or a name without a value) simply does not match.
        for (qsizetype i = 0; i < values.size() && i < names.size(); ++i) {
            if (names.at(i) == name) {
                value = values.at(i);
                found = true;
            }
        }
    }
    return found;
}
