#pragma once
// The design file's own lines, for the rules about how the reader takes a text.

#include <QByteArray>
#include <QString>
#include <QStringList>

// The text of a design file's bytes, decoded as the reader decodes them (UTF-8).
QString decodeDesignBytes(const QByteArray &bytes);

// The physical lines of a design file as the reader's stream gives them: the lines end
// at LF, and carriage returns are dropped. False, with error set to a one-line message, when the file cannot be read.
bool readDesignLines(const QString &path, QStringList &lines, QString &error);
