#include "gui/chartloader.h"

#include "chart/chartfile.h"

#include <QPointer>
#include <QThread>
#include <memory>

ChartJobResult layoutDesignFile(const QString &path)
{
    ChartJobResult result;
    if (!chartOfDesign(path, &result.graph, &result.error))
        return result;
    result.ok = layoutChart(result.graph, &result.layout, &result.error);
    return result;
}

ChartLoader::ChartLoader(QObject *parent) : QObject(parent), m_job(layoutDesignFile)
{
    m_timeLimit.setSingleShot(true);
    m_timeLimit.setInterval(kDefaultTimeLimitMs);
    connect(&m_timeLimit, &QTimer::timeout, this, &ChartLoader::giveUp);
}

ChartLoader::~ChartLoader()
{
    clear();
    for (const QPointer<QThread> &worker : std::as_const(m_workers))
        if (worker)
            worker->wait();
}

// The worker owns its result until it is done; the loader only hears about it through a
// queued call, which Qt drops when the loader is gone.
void ChartLoader::request(const QString &path)
{
    const quint64 generation = ++m_generation;
    m_busy = true;
    auto result = std::make_shared<ChartJobResult>();
    QThread *worker = QThread::create([job = m_job, path, result] { *result = job(path); });
    connect(worker, &QThread::finished, this, [this, generation, result] { finish(generation, *result); });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    m_workers.removeAll(nullptr);
    m_workers.append(worker);
    emit started(path);
    m_timeLimit.start();
    worker->start();
}

void ChartLoader::clear()
{
    ++m_generation;
    m_busy = false;
    m_timeLimit.stop();
}

void ChartLoader::finish(quint64 generation, const ChartJobResult &result)
{
    if (generation != m_generation || !m_busy)
        return;
    m_busy = false;
    m_timeLimit.stop();
    if (result.ok)
        emit laidOut(result.graph, result.layout);
    else
        emit failed(result.error);
}

void ChartLoader::giveUp()
{
    if (!m_busy)
        return;
    clear();
    emit tooSlow();
}
