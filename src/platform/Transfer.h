#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
#include <QNetworkReply>

// Stands in for the internet-transfer control: an asynchronous GET of one address to bytes.
// Only http and https addresses are fetched, also after redirects (at most 5); any other scheme
// (file:, data:, ...) fails without touching anything. A transfer that takes longer than the
// timeout or whose body exceeds the size cap fails. Cancel() aborts without emitting finished().
class Transfer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultTimeoutMs = 15000;
    static constexpr qint64 kDefaultMaxBytes = 16 * 1024 * 1024;

    // Why the last transfer failed.
    enum class Failure { None, NoAnswer, HttpError, TooLarge, TimedOut, RefusedScheme };

    explicit Transfer(QObject* parent = nullptr);
    ~Transfer() override;

    void setTimeout(int ms) { m_timeoutMs = ms; }
    void setMaxBytes(qint64 bytes) { m_maxBytes = bytes; }

    // Starts fetching; a running transfer is cancelled first.
    void get(const QUrl& url);
    void Cancel();
    [[nodiscard]] bool isRunning() const { return m_reply != nullptr; }
    [[nodiscard]] Failure lastFailure() const { return m_failure; }
    // The HTTP status of the last answer; 0 when the site did not answer.
    [[nodiscard]] int lastStatus() const { return m_status; }

    // True for the schemes the program fetches: http and https.
    [[nodiscard]] static bool isFetchable(const QUrl& url);

    // One shared network access manager for the whole program (one connection pool).
    static QNetworkAccessManager* network();

Q_SIGNALS:
    // ok is false for network errors, HTTP status >= 400, a timeout or an oversized body.
    void finished(bool ok, const QByteArray& body);

private:
    void onReadyRead();
    void onFinished();
    void fail(Failure failure);

    QPointer<QNetworkReply> m_reply;
    QTimer m_timer;
    QByteArray m_body;
    int m_timeoutMs = kDefaultTimeoutMs;
    qint64 m_maxBytes = kDefaultMaxBytes;
    Failure m_failure = Failure::None;
    int m_status = 0;
};
