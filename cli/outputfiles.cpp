#include "cli/outputfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

QString designStem(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

QString filePathIn(const QString &dir, const QString &name)
{
    return dir.isEmpty() ? name : QDir(dir).filePath(name);
}

bool checkDistinctStems(const QStringList &designs, QString &error)
{
    QHash<QString, QString> firstWithStem;
    for (const QString &design : designs) {
        const QString stem = designStem(design);
        const auto found = firstWithStem.constFind(stem);
        if (found != firstWithStem.constEnd()) {
            error = QStringLiteral("%1 and %2 have the same name %3: their output files would clash")
                        .arg(found.value(), design, stem);
            return false;
        }
        firstWithStem.insert(stem, design);
    }
    return true;
}

bool isSamePath(const QString &a, const QString &b)
{
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

bool checkDesignReadable(const QString &path, QString &error)
{
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("cannot read %1: it is a directory").arg(path);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool checkFileWritable(const QString &path, QString &error)
{
    // A save file writes a file beside the target and renames it only on commit, so
    // opening and cancelling it tells whether the target can be written without
    // touching it.
    QSaveFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("cannot write %1: %2")
                    .arg(path, QFileInfo(path).isDir() ? QStringLiteral("it is a directory") : file.errorString());
        return false;
    }
    file.cancelWriting();
    return true;
}

bool prepareOutputFolder(const QString &dir, const QString &option, QString &error)
{
    const QFileInfo info(dir);
    if (info.exists() && !info.isDir()) {
        error = QStringLiteral("%1 %2: it is not a directory").arg(option, dir);
        return false;
    }
    if (!info.exists() && !QDir().mkpath(dir)) {
        error = QStringLiteral("%1 %2: cannot make the directory").arg(option, dir);
        return false;
    }
    return true;
}
