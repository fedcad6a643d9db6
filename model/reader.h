#pragma once
#include <QString>

struct SimState;

// Reads the design file at path into the design tables. Starts every run from empty
// tables.
void LecturaArchivo(SimState &state, const QString &path);
