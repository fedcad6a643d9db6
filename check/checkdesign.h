#pragma once
// The warnings of a design file: every shape or text that the program will not simulate
// as it is drawn or written.

#include "check/designwarning.h"

#include <QString>

struct DesignCheck {
    bool readable = false;
    QString error;  // one line, when the file cannot be read
    DesignWarnings warnings;  // in file order
};

DesignCheck checkDesignFile(const QString &path);
