#include "model/signallistreport.h"

#include "core/messagelog.h"
#include "lang/signaltable.h"

namespace {

// One item per kind: the heading, then a line per signal with its name, timing and
// range. A signal that no operation box has tagged has no timing entry yet; it is
// asynchronous until a scan says otherwise.
QString kindItem(const QString &heading, const QStringList &names, const QStringList &timing,
                 const QStringList &ranges)
{
    QString item = heading;
    for (int k = 0; k < names.size(); ++k) {
        item += QLatin1Char('\t') + names.at(k) + QLatin1Char('\t')
                + timing.value(k, QStringLiteral("ASYNC")) + QLatin1Char('\t')
                + ranges.value(k, QStringLiteral(" ")) + QLatin1Char('\n');
    }
    return item;
}

} // namespace

void reportSignalList(const SignalTable &t, MessageLog &log)
{
    showInOutputPane(log, {
        QStringLiteral("//----------------------------- Lista de signals -------------------------------//"),
        kindItem(QStringLiteral(" - Inputs:\n"), t.inputNames, t.inputTiming, t.inputRanges),
        kindItem(QStringLiteral(" - Outputs:\n"), t.outputNames, t.outputTiming, t.outputRanges),
        kindItem(QStringLiteral(" - Wires:\n"), t.wireNames, t.wireTiming, t.wireRanges),
        kindItem(QStringLiteral(" - Inouts:\n"), t.inoutNames, t.inoutTiming, t.inoutRanges),
    });
}
