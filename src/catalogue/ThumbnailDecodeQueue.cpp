#include "catalogue/ThumbnailDecodeQueue.h"

#include "catalogue/ThumbnailDecoder.h"

#include <QFutureWatcher>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

ThumbnailDecodeQueue::ThumbnailDecodeQueue(QObject* parent) : QObject(parent)
{
    // Decoding is CPU work: one thread per core, and a bounded queue in front of them.
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

ThumbnailDecodeQueue::~ThumbnailDecodeQueue()
{
    clear();
    m_pool.waitForDone();
}

void ThumbnailDecodeQueue::push(const QByteArray& bytes, QSize box, qreal devicePixelRatio,
                                std::function<QString()> store)
{
    QFuture<Result> future =
        QtConcurrent::run(&m_pool, [bytes, box, devicePixelRatio, store = std::move(store)] {
            QString storeError = store();
            return Result{ThumbnailDecoder::decode(bytes, box, devicePixelRatio), std::move(storeError)};
        });
    m_futures.push_back(future);
    auto* watcher = new QFutureWatcher<Result>(this);
    const quint64 generation = m_generation;
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation] {
        watcher->deleteLater();
        if (generation == m_generation)
            handOnFinished();
    });
    watcher->setFuture(future);
}

void ThumbnailDecodeQueue::clear()
{
    ++m_generation;
    for (QFuture<Result>& future : m_futures)
        future.cancel(); // a decode not yet started never runs
    m_futures.clear();
}

void ThumbnailDecodeQueue::handOnFinished()
{
    // A receiver may push or clear while a result is handed on; the loop picks that up.
    if (m_handingOn)
        return;
    m_handingOn = true;
    QPointer<ThumbnailDecodeQueue> self(this);
    while (self && !m_futures.empty() && m_futures.front().isFinished()) {
        QFuture<Result> front = m_futures.front();
        m_futures.pop_front();
        const Result result = front.isCanceled() ? Result() : front.result();
        Q_EMIT decoded(result.thumbnail, result.storeError);
    }
    if (self)
        m_handingOn = false;
}
