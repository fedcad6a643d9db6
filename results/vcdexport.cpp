#include "results/vcdexport.h"

#include "results/displayrules.h"
#include "results/runresults.h"

#include <QSaveFile>

#include <iterator>

#ifndef ASMSIM_VERSION
#define ASMSIM_VERSION "0.1"
#endif

namespace {

// The time units a $timescale may name, coarsest first.
const char *const kUnits[] = {"s", "ms", "us", "ns", "ps", "fs"};
constexpr int kUnitCount = int(std::size(kUnits));
constexpr int kNanoseconds = 3;

// Where the cycles fall on the dump's time axis. Cycle c starts at c x cycleTicks; the
// clock falls fallTicks later (-1: it cannot fall inside a cycle).
struct VcdTiming {
    QByteArray timescale;
    qint64 cycleTicks = 1;
    qint64 fallTicks = -1;
};

int unitIndex(const QString &unit)
{
    for (int i = 0; i < kUnitCount; ++i) {
        if (unit.compare(QLatin1String(kUnits[i]), Qt::CaseInsensitive) == 0)
            return i;
    }
    return kNanoseconds;  // none written, or a word no viewer knows
}

// An even cycle time halves exactly. An odd one (1 when none is written) has its half
// between two ticks of the unit, so the dump counts in tenths of it (1 ns -> 100 ps):
// every edge then lands on a tick and each cycle still starts at c x the cycle time.
// Femtoseconds have no finer unit; there the clock falls at the tick after the half, and
// a 1 fs cycle has no room for a fall at all.
VcdTiming vcdTiming(const RunResults &results)
{
    const int unit = unitIndex(results.timeUnit);
    const qint64 cycleTime = results.cycleTime > 0 ? results.cycleTime : 1;
    VcdTiming timing;
    timing.timescale = QByteArray("1 ") + kUnits[unit];
    timing.cycleTicks = cycleTime;
    if (results.clockColumn() < 0)
        return timing;
    if (cycleTime % 2 == 0) {
        timing.fallTicks = cycleTime / 2;
    } else if (unit + 1 < kUnitCount) {
        timing.timescale = QByteArray("100 ") + kUnits[unit + 1];
        timing.cycleTicks = cycleTime * 10;
        timing.fallTicks = cycleTime * 5;
    } else if (cycleTime > 1) {
        timing.fallTicks = (cycleTime + 1) / 2;
    }
    return timing;
}

// Identifier codes from the printable characters ! to ~, counted in bijective base 94:
// !, ", ..., ~, !!, "!, ...
QByteArray idCode(int index)
{
    QByteArray code;
    qint64 n = index;
    for (int digits = 0; digits < 8; ++digits) {
        code += char('!' + n % 94);
        n = n / 94 - 1;
        if (n < 0)
            break;
    }
    return code;
}

// A value as its width shows it: scalars 0, 1 or x; vectors the binary digits of the
// full width, or all x when the value does not fit. Widths are 1 to 32 bits.
QByteArray valueText(int width, qint32 value)
{
    const bool fits = valueFitsWidth(width, value);
    if (width <= 1)
        return !fits ? "x" : value == 1 ? "1" : "0";
    const quint32 bits = quint32(value);
    QByteArray text("b");
    for (int bit = width - 1; bit >= 0; --bit)
        text += !fits ? 'x' : (bits >> bit) & 1 ? '1' : '0';
    return text;
}

// A value change: a scalar is followed at once by its code, a vector after a blank.
QByteArray changeLine(int width, const QByteArray &value, const QByteArray &code)
{
    return width <= 1 ? value + code + '\n' : value + ' ' + code + '\n';
}

// A name a viewer reads as one word: ASCII letters, digits and _, anything else as _.
QByteArray vcdName(const QString &text, const QByteArray &whenEmpty)
{
    QByteArray name;
    for (QChar c : text)
        name += (c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('_') ? char(c.unicode()) : '_';
    return name.isEmpty() ? whenEmpty : name;
}

class VcdWriter {
public:
    explicit VcdWriter(const RunResults &results)
        : m_results(results), m_timing(vcdTiming(results)), m_clock(results.clockColumn())
    {
        // A value holds 32 bits at most; a width set by hand outside 1 to 32 is kept in it.
        // The clock is written as a real clock, one wire, whatever its declared range.
        for (int j = 0; j < results.columns.size(); ++j) {
            m_codes << idCode(j);
            m_widths << (j == m_clock ? 1 : effectiveWidth(results.columns.at(j).width));
        }
        m_last.resize(results.columns.size());
    }

    QByteArray text(const QDateTime &date)
    {
        header(date);
        initialValues();
        for (int cycle = 0; cycle <= m_results.lastCycle(); ++cycle) {
            if (cycle > 0)
                changesAt(qint64(cycle) * m_timing.cycleTicks, cycle, true);
            if (m_clock >= 0 && m_timing.fallTicks > 0)
                changesAt(qint64(cycle) * m_timing.cycleTicks + m_timing.fallTicks, cycle, false);
        }
        // The last cycle lasts a whole cycle too.
        if (m_results.lastCycle() >= 0)
            m_out += '#' + QByteArray::number(qint64(m_results.lastCycle() + 1) * m_timing.cycleTicks) + '\n';
        return m_out;
    }

private:
    void header(const QDateTime &date)
    {
        m_out += "$date\n\t" + date.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1() + "\n$end\n";
        m_out += "$version\n\tasmsim " ASMSIM_VERSION "\n$end\n";
        m_out += "$timescale\n\t" + m_timing.timescale + "\n$end\n";
        m_out += "$scope module " + vcdName(m_results.designName, "design") + " $end\n";
        for (int j = 0; j < m_results.columns.size(); ++j) {
            const int width = m_widths.at(j);
            m_out += "$var wire " + QByteArray::number(width) + ' ' + m_codes.at(j) + ' '
                     + vcdName(m_results.columns.at(j).name, "_");
            if (width > 1)
                m_out += " [" + QByteArray::number(width - 1) + ":0]";
            m_out += " $end\n";
        }
        m_out += "$upscope $end\n$enddefinitions $end\n";
    }

    // What column j shows at a moment of the cycle: the clock is high from the cycle's
    // start and low from its half; every other column holds the cycle's value.
    QByteArray valueOf(int column, int cycle, bool cycleStart) const
    {
        const int width = m_widths.at(column);
        if (cycle < 0)
            return valueText(width, -1);
        if (column == m_clock)
            return valueText(width, cycleStart ? 1 : 0);
        return valueText(width, m_results.valueAt(cycle, column));
    }

    void initialValues()
    {
        m_out += "#0\n$dumpvars\n";
        const int cycle = m_results.lastCycle() >= 0 ? 0 : -1;
        for (int j = 0; j < m_results.columns.size(); ++j) {
            m_last[j] = valueOf(j, cycle, true);
            m_out += changeLine(m_widths.at(j), m_last.at(j), m_codes.at(j));
        }
        m_out += "$end\n";
    }

    // Writes a time stamp and the columns whose value differs from the one last written;
    // a moment at which nothing changes is left out.
    void changesAt(qint64 time, int cycle, bool cycleStart)
    {
        QByteArray changes;
        for (int j = 0; j < m_results.columns.size(); ++j) {
            if (!cycleStart && j != m_clock)
                continue;
            const QByteArray value = valueOf(j, cycle, cycleStart);
            if (value == m_last.at(j))
                continue;
            m_last[j] = value;
            changes += changeLine(m_widths.at(j), value, m_codes.at(j));
        }
        if (!changes.isEmpty())
            m_out += '#' + QByteArray::number(time) + '\n' + changes;
    }

    const RunResults &m_results;
    const VcdTiming m_timing;
    const int m_clock;
    QList<QByteArray> m_codes;
    QList<int> m_widths;
    QList<QByteArray> m_last;
    QByteArray m_out;
};

} // namespace

QByteArray vcdText(const RunResults &results, const QDateTime &date)
{
    return VcdWriter(results).text(date);
}

bool writeVcd(const RunResults &results, const QString &path, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    file.write(vcdText(results, QDateTime::currentDateTime()));
    if (!file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
