#pragma once

#include "catalogue/ThumbnailImage.h"

#include <QFuture>
#include <QObject>
#include <QThreadPool>

#include <deque>
#include <functional>

// Stores and decodes thumbnails on worker threads, several at a time, and hands the results on
// strictly in the order they were pushed. clear() drops everything pushed so far: results of
// decodes already running are discarded when they arrive.
class ThumbnailDecodeQueue : public QObject
{
    Q_OBJECT
public:
    explicit ThumbnailDecodeQueue(QObject* parent = nullptr);
    ~ThumbnailDecodeQueue() override;

    // Runs `store` (which returns why the bytes could not be kept, or an empty text) and then the
    // decode, both on a worker.
    void push(const QByteArray& bytes, QSize box, qreal devicePixelRatio, std::function<QString()> store);
    void clear();
    // Pushed and not yet handed on.
    [[nodiscard]] int pending() const { return int(m_futures.size()); }

Q_SIGNALS:
    // The decoded thumbnail (null when it could not be decoded) and what its store() returned.
    void decoded(const ThumbnailImage& thumbnail, const QString& storeError);

private:
    void handOnFinished();

    QThreadPool m_pool;
    struct Result {
        ThumbnailImage thumbnail;
        QString storeError;
    };
    std::deque<QFuture<Result>> m_futures;
    quint64 m_generation = 0;
    bool m_handingOn = false;
};
