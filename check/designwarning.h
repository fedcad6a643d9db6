#pragma once
// One warning about a design: a shape or a text that the program will not run as it is
// drawn or written, found before anyone runs it.

#include <QString>
#include <QVector>

struct DesignWarning {
    QString rule;          // the rule's name, as printed between brackets
    int line = 0;          // physical line (1-based) of the box's Id line; 0 when unknown
    QString text;          // what the run will do, in Spanish
    qint32 boxId = 0;      // the box the warning is about
    int boxPosition = -1;  // its position in the box tables; -1 when none
};

using DesignWarnings = QVector<DesignWarning>;

// The compilers' shape, which editors and CI servers annotate:
// "FILE:LINE: warning: TEXT [RULE]".
QString formatWarning(const QString &file, const DesignWarning &warning);

// In file order: by line, then by rule and text, so the list reads the same every time.
void sortWarnings(DesignWarnings &warnings);
