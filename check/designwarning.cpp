#include "check/designwarning.h"

#include <algorithm>

QString formatWarning(const QString &file, const DesignWarning &warning)
{
    return QStringLiteral("%1:%2: warning: %3 [%4]").arg(file).arg(warning.line).arg(warning.text, warning.rule);
}

void sortWarnings(DesignWarnings &warnings)
{
    std::stable_sort(warnings.begin(), warnings.end(), [](const DesignWarning &a, const DesignWarning &b) {
        if (a.line != b.line)
            return a.line < b.line;
        if (a.rule != b.rule)
            return a.rule < b.rule;
        return a.text < b.text;
    });
}
