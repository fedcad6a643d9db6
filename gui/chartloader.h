#pragma once
// Lays a saved design's chart out on a worker thread, so that the window never waits on
// Graphviz. Each request has a generation; a result that comes back after a newer
// request, after clear(), or after the time bound is dropped. A layout in Graphviz
// cannot be stopped, so a late one runs on to its end and is thrown away.

#include "chart/chartgraph.h"
#include "chart/chartlayout.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

class QThread;

struct ChartJobResult {
    bool ok = false;
    QString error;
    ChartGraph graph;
    ChartLayout layout;
};

// What a worker does with a path: read the design and lay its chart out.
using ChartJob = std::function<ChartJobResult(const QString &path)>;
ChartJobResult layoutDesignFile(const QString &path);

class ChartLoader : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultTimeLimitMs = 5000;

    explicit ChartLoader(QObject *parent = nullptr);
    // Waits for the layouts still running (dot's limits make each one end), so that none
    // outlives the program's libraries.
    ~ChartLoader() override;

    // Starts laying out the file; a request still running is overtaken.
    void request(const QString &path);
    // Drops whatever is running.
    void clear();
    bool isBusy() const { return m_busy; }
    quint64 generation() const { return m_generation; }

    // For tests and benches: another job, another time bound.
    void setJob(ChartJob job) { m_job = std::move(job); }
    void setTimeLimit(int ms) { m_timeLimit.setInterval(ms); }

signals:
    void started(const QString &path);
    void laidOut(const ChartGraph &graph, const ChartLayout &layout);
    void failed(const QString &error);
    // The time bound passed before the layout ended; its result will be dropped.
    void tooSlow();

private:
    void finish(quint64 generation, const ChartJobResult &result);
    void giveUp();

    ChartJob m_job;
    QList<QPointer<QThread>> m_workers;
    QTimer m_timeLimit;
    quint64 m_generation = 0;
    bool m_busy = false;
};
