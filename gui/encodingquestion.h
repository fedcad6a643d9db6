#pragma once
// The question asked before a Windows-1252 document that now holds a character the
// encoding has no byte for is saved: rather than write a '?' in its place, the file can
// be saved in UTF-8, or not at all.

#include "gui/documentfile.h"

class QWidget;

// True when the user chose to save in UTF-8. The question names the first character
// that does not fit, and its line.
bool askToSaveAsUtf8(QWidget *parent, const DocumentText &text);
