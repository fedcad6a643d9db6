#pragma once
// The two ways a run shows lines. The window shows them in its list panes, the batch
// runner on standard output and in files, the tests in memory.

#include <QString>
#include <QStringList>

class PaneSink {
public:
    virtual ~PaneSink() = default;
    virtual void clearOutputPane() = 0;
    virtual void clearProcessPane() = 0;
    virtual void appendToOutputPane(const QStringList &lines) = 0;
    virtual void appendToProcessPane(const QStringList &lines) = 0;
    // A status-bar text with no time-out; only the window has somewhere to show it.
    virtual void showStatus(const QString &) {}
    // Whether the process pane's lines go anywhere. A run whose process pane nobody
    // reads formats no trace at all, and only counts what the cycle log's limits need.
    virtual bool showsProcessPane() const { return true; }
};

// Keeps both panes as lists of items; used by tests and by anything that wants the
// lines of a run without showing them.
class MemorySink : public PaneSink {
public:
    QStringList output;
    QStringList process;
    QStringList statuses;

    void clearOutputPane() override { output.clear(); }
    void clearProcessPane() override { process.clear(); }
    void appendToOutputPane(const QStringList &lines) override { output += lines; }
    void appendToProcessPane(const QStringList &lines) override { process += lines; }
    void showStatus(const QString &text) override { statuses << text; }
};
