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
    nameIndex = NameIndex{};
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

const QVector<QPair<int, int>> *SignalTable::declarationsOf(const QString &name) const
{
    std::array<qsizetype, 4> counts{};
    std::array<const QString *, 4> storage{};
    for (int k = 0; k < 4; ++k) {
        counts[k] = namesOf(kSignalKinds[k]).size();
        storage[k] = namesOf(kSignalKinds[k]).constData();
    }
    if (counts != nameIndex.counts || storage != nameIndex.storage) {
        nameIndex.positions.clear();
        for (int kind : kSignalKinds) {
            const QStringList &names = namesOf(kind);
            for (int i = 0; i < names.size(); ++i)
                nameIndex.positions[names.at(i)].append({kind, i});
        }
        nameIndex.counts = counts;
        nameIndex.storage = storage;
    }
    const auto found = nameIndex.positions.constFind(name);
    return found == nameIndex.positions.constEnd() ? nullptr : &found.value();
}

bool SignalTable::isDeclared(const QString &name) const
{
    return declarationsOf(name) != nullptr;
}

bool SignalTable::currentValueOf(const QString &name, qint32 &value) const
{
    const QVector<QPair<int, int>> *declarations = declarationsOf(name);
    if (!declarations)
        return false;
    // The last declaration that has a value wins. The value vectors are created later
    // than the names; an index without a value simply does not match.
    for (auto it = declarations->crbegin(); it != declarations->crend(); ++it) {
        const QVector<qint32> &values = current.ofKind(it->first);
        if (it->second < values.size()) {
            value = values.at(it->second);
            return true;
        }
    }
    return false;
}
