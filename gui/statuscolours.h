#pragma once
// The colours that say how a run went: passed, failed or in error, and warned. No
// palette has such roles, so they are picked to read well on the palette's own base:
// deep tones on a light palette, light ones on a dark palette.

#include <QColor>
#include <QPalette>

// True when the palette's base (where text is written) is dark.
bool isDarkPalette(const QPalette &palette);

// Text colours on the palette's base.
QColor errorColour(const QPalette &palette);
QColor warningColour(const QPalette &palette);
QColor passColour(const QPalette &palette);

// A colour between two, amount 0 giving from and 1 giving to.
QColor mixColours(const QColor &from, const QColor &to, qreal amount);
