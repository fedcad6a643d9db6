#include "cli/console.h"

#include <QFile>

void printLine(FILE *stream, const QString &text)
{
    fputs(text.toUtf8().constData(), stream);
    fputc('\n', stream);
}

void printError(FILE *err, const QString &text)
{
    printLine(err, QStringLiteral("asmsim-cli: ") + text);
}

void StreamSink::appendToOutputPane(const QStringList &lines)
{
    if (!m_out)
        return;
    for (const QString &line : lines) {
        const QByteArray bytes = line.toUtf8();
        fwrite(bytes.constData(), 1, size_t(bytes.size()), m_out);
        fputc('\n', m_out);
    }
}

void StreamSink::appendToProcessPane(const QStringList &lines)
{
    if (!m_process)
        return;
    for (const QString &line : lines) {
        m_process->write(line.toUtf8());
        m_process->write("\n", 1);
    }
}
