#include "results/runresults.h"

#include <algorithm>

namespace {

constexpr int kValueBits = 32;
// Bounds are 32-bit values; anything larger is not a range the declarations wrote.
constexpr qint64 kMaxBound = 0xFFFFFFFFLL;

int countMessages(const QVector<ResultMessage> &messages, LogKind kind)
{
    return int(std::count_if(messages.cbegin(), messages.cend(), [kind](const ResultMessage &m) { return m.kind == kind; }));
}

} // namespace

int rangeWidth(const QString &range)
{
    // Parsed by hand: nothing shared between runs that go on at once, not even a pattern.
    const QString text = range.trimmed();
    if (!text.startsWith(QLatin1Char('[')) || !text.endsWith(QLatin1Char(']')))
        return kValueBits;
    const QStringList bounds = text.mid(1, text.size() - 2).split(QLatin1Char(':'));
    if (bounds.size() != 2)
        return kValueBits;
    bool msbOk = false, lsbOk = false;
    const qint64 msb = bounds.at(0).trimmed().toLongLong(&msbOk);
    const qint64 lsb = bounds.at(1).trimmed().toLongLong(&lsbOk);
    if (!msbOk || !lsbOk || qAbs(msb) > kMaxBound || qAbs(lsb) > kMaxBound)
        return kValueBits;
    const qint64 width = qAbs(msb - lsb) + 1;
    return width > kValueBits ? kValueBits : int(width);
}

int RunResults::correctCount() const
{
    return int(std::count_if(verifications.cbegin(), verifications.cend(), [](const ResultVerification &v) { return v.correct; }));
}

int RunResults::wrongCount() const
{
    return int(verifications.size()) - correctCount();
}

int RunResults::errorCount() const
{
    return countMessages(messages, LogError);
}

int RunResults::warningCount() const
{
    return countMessages(messages, LogWarning);
}

int RunResults::clockColumn() const
{
    if (clockName.isEmpty())
        return -1;
    for (int j = 0; j < columns.size(); ++j) {
        if (columns.at(j).kind == KindInput && columns.at(j).name == clockName)
            return j;
    }
    return -1;
}

qint32 RunResults::valueAt(int cycle, int column) const
{
    if (cycle < 0 || cycle >= rows.size())
        return -1;
    return rows.at(cycle).value(column, -1);
}
