#pragma once
// The declared signals of a design and their three generations of values.

#include <QHash>
#include <QStringList>
#include <QVector>
#include <array>

// Signal kinds; also the values of declarationKind, which is KindNone until a
// declaration keyword is accepted.
enum SignalKind : int { KindNone = 0, KindInput = 1, KindOutput = 2, KindInout = 3, KindWire = 4 };

// Every kind, in the order in which the whole table is gone over.
inline constexpr SignalKind kSignalKinds[] = {KindInput, KindOutput, KindInout, KindWire};

// One generation of values: four vectors parallel to the name tables.
struct SignalValues {
    QVector<qint32> input;
    QVector<qint32> output;
    QVector<qint32> inout;
    QVector<qint32> wire;

    void clear()
    {
        input.clear();
        output.clear();
        inout.clear();
        wire.clear();
    }

    // The vector of one kind; KindNone reads as the wires.
    QVector<qint32> &ofKind(SignalKind kind);
    const QVector<qint32> &ofKind(SignalKind kind) const;
};

struct SignalTable {
    QStringList inputNames, outputNames, inoutNames, wireNames;
    QStringList inputRanges, outputRanges, inoutRanges, wireRanges;
    QStringList inputTiming, outputTiming, inoutTiming, wireTiming;

    SignalValues current;   // what expressions read
    SignalValues next;      // what becomes current at the clock edge
    SignalValues previous;  // copy taken before each design walk

    // Kind of the declaration keyword last accepted; never reset, not even by a run.
    SignalKind declarationKind = KindNone;
    // Number of the simulation cycle in progress; survives the reset of a run.
    qint32 simCycle = 0;

    // Empties names, ranges, timing and all values; keeps declarationKind and simCycle.
    void clearSignals();

    // The name, range and timing vectors of one kind; KindNone reads as the wires.
    QStringList &namesOf(SignalKind kind);
    const QStringList &namesOf(SignalKind kind) const;
    QStringList &rangesOf(SignalKind kind);
    const QStringList &rangesOf(SignalKind kind) const;
    QStringList &timingOf(SignalKind kind);
    const QStringList &timingOf(SignalKind kind) const;

    // True when some kind declares the name.
    bool isDeclared(QStringView name) const;

    // The current value of a name: every kind is searched, inputs first, over the indexes
    // that have a current value, and the last match wins. Leaves `value` alone and
    // returns false when no declaration of the name has a current value yet.
    bool currentValueOf(QStringView name, qint32 &value) const;

    // Where a name is declared: (kind, index) pairs, in the order the whole table is gone
    // over; null when no kind declares it. Valid until a name list changes.
    const QVector<QPair<SignalKind, int>> *declarationsOfName(QStringView name) const
    {
        return declarationsOf(name);
    }

private:
    // Where each name is declared, (kind, index) in the order the whole table is gone
    // over; rebuilt when some kind's name list has another size or other storage (names
    // are appended, cleared or replaced whole, never changed in place).
    // Found by the hash of the name, so that a view of a name finds it without building
    // a string: names of one hash are chained through `sameHash`.
    struct NameEntry {
        QString name;
        QVector<QPair<SignalKind, int>> positions;
        qsizetype sameHash = -1;
    };
    struct NameIndex {
        QVector<NameEntry> entries;
        QHash<size_t, qsizetype> firstWithHash;
        std::array<qsizetype, 4> counts{-1, -1, -1, -1};
        std::array<const QString *, 4> storage{};
    };
    mutable NameIndex m_nameIndex;
    const QVector<QPair<SignalKind, int>> *declarationsOf(QStringView name) const;
};
