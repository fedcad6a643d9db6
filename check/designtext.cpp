#include "check/designtext.h"

#include "core/textencoding.h"

#include <QFile>
#include <QFileInfo>

// The rule the reader and the editor follow: valid UTF-8 is UTF-8, anything else is
// Windows-1252.
QString decodeDesignBytes(const QByteArray &bytes)
{
    return decodeText(bytes, encodingOf(bytes));
}

bool readDesignLines(const QString &path, QStringList &lines, QString &error)
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
    QString text = decodeDesignBytes(file.readAll());
    // The reader's stream skips a byte-order mark.
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    // The reader's stream reads the file as text, which drops every carriage return.
    text.remove(QLatin1Char('\r'));
    lines = text.split(QLatin1Char('\n'));
    return true;
}
