#pragma once

#include "catalogue/ThumbnailImage.h"

#include <QFuture>
#include <QObject>
#include <QThreadPool>

#include <deque>

// Decodes thumbnails on worker threads, several at a time, and hands the results on strictly in
// the order they were pushed. clear() drops everything pushed so far: results of decodes already
// running are discarded when they arrive.
class ThumbnailDecodeQueue : public QObject
{
    Q_OBJECT
public:
    explicit ThumbnailDecodeQueue(QObject* parent = nullptr);
    ~ThumbnailDecodeQueue() override;

    void push(const QByteArray& bytes, QSize box, qreal devicePixelRatio);
    void clear();
    // Pushed and not yet handed on.
    [[nodiscard]] int pending() const { return int(m_futures.size()); }

Q_SIGNALS:
    void decoded(const ThumbnailImage& thumbnail);

private:
    void handOnFinished();

    QThreadPool m_pool;
    std::deque<QFuture<ThumbnailImage>> m_futures;
    quint64 m_generation = 0;
    bool m_handingOn = false;
};
