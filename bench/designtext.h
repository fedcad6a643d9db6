#pragma once
// Pieces of .vdo text for the benchmarks that make their own designs.

#include <QByteArray>
#include <QByteArrayList>

inline QByteArray box(int id, const char *type, const QByteArray &keys)
{
    return "Box {\n  Id = " + QByteArray::number(id) + ";\n  Type = " + type + ";\n" + keys + "}\n";
}

inline QByteArray key(const char *name, const QByteArray &value)
{
    return QByteArray("  ") + name + " = " + value + ";\n";
}

// A text value on one line, its rows joined by %CR%.
inline QByteArray text(const char *name, const QByteArrayList &lines)
{
    return key(name, '"' + lines.join("%CR%") + '"');
}
