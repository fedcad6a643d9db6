#include "check/checkdesign.h"

#include "check/checkcontext.h"
#include "check/designanalysis.h"
#include "check/designtext.h"

DesignCheck checkDesignFile(const QString &path)
{
    DesignCheck check;
    QStringList lines;
    check.readable = readDesignLines(path, lines, check.error);
    if (!check.readable)
        return check;

    const AnalysedDesign design = analyseDesign(path);
    const CheckContext context(design, lines);
    DesignWarnings &w = check.warnings;
    checkReaderTexts(context, w);
    checkDuplicateIds(context, w);
    checkLinks(context, w);
    checkNextLoops(context, w);
    checkStateTable(context, w);
    checkDiagramKinds(context, w);
    checkPassedStates(context, w);
    checkConnectors(context, w);
    checkRepeatedNames(context, w);
    checkExpressions(context, w);
    checkVerifications(context, w);
    checkAsyncLoops(context, w);
    sortWarnings(w);
    return check;
}
