#pragma once
#include <QString>

struct DesignModel;
struct MessageLog;

// Reads the design file at path into the design tables, which it empties first. The
// error for a file too long to read still names the reading loop "LecturaArchivo();",
// as the reports always have.
void readDesignFile(DesignModel &model, MessageLog &log, const QString &path);
