#pragma once
// How a run's values are shown, one home for each rule: the waveform view and the VCD
// writer both follow them.

#include "lang/signaltable.h"

#include <QString>

// The width a value is shown in: a column's width kept within 1 to 32 bits.
int effectiveWidth(int width);

// Whether a value fits a column's width. A 32-bit column holds any value (as its two's
// complement); a narrower one only the values from 0 to 2^width - 1, so the -1 of a
// signal never set does not fit.
bool valueFitsWidth(int width, qint32 value);

// How a value is written.
enum class ValueRadix { Decimal, Hexadecimal, Binary };

// A value as its column shows it: "x" when it does not fit; otherwise in the radix, the
// hexadecimal and binary digits padded to the width (a 32-bit column writes a negative
// value as its two's complement, except in decimal).
QString formatSignalValue(int width, qint32 value, ValueRadix radix);

// The name of a signal kind as the window shows it ("entrada", "salida", "entrada y
// salida", "señal interna"; "" for none).
QString signalKindName(SignalKind kind);
