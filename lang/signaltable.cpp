#include "lang/signaltable.h"

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
