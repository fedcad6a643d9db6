#pragma once
// The keywords by which the reader recognises box types and text values.

#include "model/boxtype.h"

#include <QString>

// Which of a box's three text matrices a text value goes to.
enum TextKind { TextMain, TextUp, TextDown };

// The box type named in a type line: "Header" first, then the other fifteen in an order
// that lets longer names win over the shorter names they contain. None when none.
BoxType findBoxType(const QString &line);

// The name a type has in the reader's trace ("Meta State" for MetaState).
QString boxTypeLabel(BoxType type);

// The matrix named by the key of a text line (the part before its first double quote).
TextKind textKindOfKey(const QString &key);

// The heading of a text value up to its line number, e.g. "Texto de la caja STATE
// analizandose. Linea: ".
QString textHeading(TextKind kind, BoxType boxType);
