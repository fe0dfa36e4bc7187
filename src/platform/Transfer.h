#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
#include <QNetworkReply>

// Stands in for the internet-transfer control: an asynchronous GET of one address to bytes.
// Redirects are followed (at most 5); a transfer that takes longer than the timeout or whose
// body exceeds the size cap fails. Cancel() aborts without emitting finished().
class Transfer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultTimeoutMs = 15000;
    static constexpr qint64 kDefaultMaxBytes = 16 * 1024 * 1024;

    explicit Transfer(QObject* parent = nullptr);
    ~Transfer() override;

    void setTimeout(int ms) { m_timeoutMs = ms; }
    void setMaxBytes(qint64 bytes) { m_maxBytes = bytes; }

    // Starts fetching; a running transfer is cancelled first.
    void get(const QUrl& url);
    void Cancel();
    [[nodiscard]] bool isRunning() const { return m_reply != nullptr; }

    // One shared network access manager for the whole program (one connection pool).
    static QNetworkAccessManager* network();

Q_SIGNALS:
    // ok is false for network errors, HTTP status >= 400, a timeout or an oversized body.
    void finished(bool ok, const QByteArray& body);

private:
    void onReadyRead();
    void onFinished();
    void fail();

    QPointer<QNetworkReply> m_reply;
    QTimer m_timer;
    QByteArray m_body;
    int m_timeoutMs = kDefaultTimeoutMs;
    qint64 m_maxBytes = kDefaultMaxBytes;
};
