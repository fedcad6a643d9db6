#include "lang/signaltable.h"

#include <algorithm>

namespace {

template <typename Vector>
Vector &pick(SignalKind kind, Vector &input, Vector &output, Vector &inout, Vector &wire)
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

QVector<qint32> &SignalValues::ofKind(SignalKind kind)
{
    return pick(kind, input, output, inout, wire);
}

const QVector<qint32> &SignalValues::ofKind(SignalKind kind) const
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
    m_nameIndex = NameIndex{};
}

QStringList &SignalTable::namesOf(SignalKind kind)
{
    return pick(kind, inputNames, outputNames, inoutNames, wireNames);
}

const QStringList &SignalTable::namesOf(SignalKind kind) const
{
    return pick(kind, inputNames, outputNames, inoutNames, wireNames);
}

QStringList &SignalTable::rangesOf(SignalKind kind)
{
    return pick(kind, inputRanges, outputRanges, inoutRanges, wireRanges);
}

const QStringList &SignalTable::rangesOf(SignalKind kind) const
{
    return pick(kind, inputRanges, outputRanges, inoutRanges, wireRanges);
}

QStringList &SignalTable::timingOf(SignalKind kind)
{
    return pick(kind, inputTiming, outputTiming, inoutTiming, wireTiming);
}

const QStringList &SignalTable::timingOf(SignalKind kind) const
{
    return pick(kind, inputTiming, outputTiming, inoutTiming, wireTiming);
}

const QVector<QPair<SignalKind, int>> *SignalTable::declarationsOf(QStringView name) const
{
    // Read straight from the four lists: this check runs on every lookup.
    const std::array<qsizetype, 4> counts{inputNames.size(), outputNames.size(), inoutNames.size(),
                                          wireNames.size()};
    const std::array<const QString *, 4> storage{inputNames.constData(), outputNames.constData(),
                                                 inoutNames.constData(), wireNames.constData()};
    if (counts != m_nameIndex.counts || storage != m_nameIndex.storage) {
        QHash<QString, QVector<QPair<SignalKind, int>>> positions;
        for (SignalKind kind : kSignalKinds) {
            const QStringList &names = namesOf(kind);
            for (int i = 0; i < names.size(); ++i)
                positions[names.at(i)].append({kind, i});
        }
        m_nameIndex.entries.clear();
        m_nameIndex.firstWithHash.clear();
        for (auto it = positions.cbegin(); it != positions.cend(); ++it) {
            const size_t hash = qHash(QStringView(it.key()), 0);
            const auto first = m_nameIndex.firstWithHash.constFind(hash);
            const qsizetype chained = first == m_nameIndex.firstWithHash.constEnd() ? -1 : first.value();
            m_nameIndex.entries.append({it.key(), it.value(), chained});
            m_nameIndex.firstWithHash.insert(hash, m_nameIndex.entries.size() - 1);
        }
        m_nameIndex.counts = counts;
        m_nameIndex.storage = storage;
    }
    const auto first = m_nameIndex.firstWithHash.constFind(qHash(name, 0));
    if (first == m_nameIndex.firstWithHash.constEnd())
        return nullptr;
    for (qsizetype e = first.value(); e >= 0; e = m_nameIndex.entries.at(e).sameHash)
        if (QStringView(m_nameIndex.entries.at(e).name) == name)
            return &m_nameIndex.entries.at(e).positions;
    return nullptr;
}

bool SignalTable::isDeclared(QStringView name) const
{
    return declarationsOf(name) != nullptr;
}

bool SignalTable::currentValueOf(QStringView name, qint32 &value) const
{
    const QVector<QPair<SignalKind, int>> *declarations = declarationsOf(name);
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
