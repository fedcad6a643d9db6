#pragma once
// What the batch runner prints: a line on a standard stream, and the sink that shows the
// output pane on a stream and writes the process pane to a file.

#include "core/panesink.h"

#include <QString>
#include <QStringList>
#include <cstdio>

class QFile;

// Writes text and a line feed to stream, as UTF-8.
void printLine(FILE *stream, const QString &text);

// The program's own message on the error stream: "asmsim-cli: " and the text.
void printError(FILE *err, const QString &text);

// Shows the output pane on a stream as the lines come (nowhere when out is null), and
// writes the process pane to a file when one is given. Nothing is kept in memory.
class StreamSink : public PaneSink {
public:
    StreamSink(FILE *out, QFile *processFile) : m_out(out), m_process(processFile) {}

    void clearOutputPane() override {}
    void clearProcessPane() override {}
    void appendToOutputPane(const QStringList &lines) override;
    void appendToProcessPane(const QStringList &lines) override;
    bool showsProcessPane() const override { return m_process != nullptr; }

private:
    FILE *m_out;
    QFile *m_process;
};
