#pragma once
// Writes a fuzz input to a design file in a temporary folder that lives as long as the
// fuzzer; returns its path, or an empty string when it cannot be written.

#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

inline QString writeFuzzDesign(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString design = dir.filePath(QStringLiteral("fuzz.vdo"));
    QFile file(design);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    return design;
}

// A second file beside the design, for what a run writes.
inline QString fuzzOutputPath()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("out.txt"));
}
