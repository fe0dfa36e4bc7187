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
// (file:, data:, ...) fails without touching anything. A transfer fails when it takes longer than
// its total deadline, when no byte arrives for its idle limit, or when its body would exceed the
// size cap: a declared length over the cap is refused before any of the body is read, and an
// undeclared one is cut off at the cap. The body is read in bounded steps, so an answer that
// streams without end never holds more than the cap and one read buffer in memory.
// cancel() aborts without emitting finished().
class Transfer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultTimeoutMs = 15000;
    static constexpr qint64 kDefaultMaxBytes = 16 * 1024 * 1024;
    // What the network layer may hold for this transfer beyond what has been read.
    static constexpr qint64 kReadBufferBytes = 256 * 1024;

    // Why the last transfer failed.
    enum class Failure { None, NoAnswer, HttpError, TooLarge, TimedOut, RefusedScheme };

    explicit Transfer(QObject* parent = nullptr);
    ~Transfer() override;

    // The total deadline; 0 for none.
    void setTimeout(int ms) { m_timeoutMs = ms; }
    // The longest wait for the next bytes (or the headers); 0 for none.
    void setIdleTimeout(int ms) { m_idleMs = ms; }
    void setMaxBytes(qint64 bytes) { m_maxBytes = bytes; }

    // Starts fetching; a running transfer is cancelled first.
    void get(const QUrl& url);
    void cancel();
    [[nodiscard]] bool isRunning() const { return m_reply != nullptr; }
    [[nodiscard]] Failure lastFailure() const { return m_failure; }
    // The HTTP status of the last answer; 0 when the site did not answer.
    [[nodiscard]] int lastStatus() const { return m_status; }
    // The Content-Type header of the last answer ("text/html; charset=UTF-16"); empty when none.
    [[nodiscard]] QByteArray lastContentType() const { return m_contentType; }

    // True for the schemes the program fetches: http and https.
    [[nodiscard]] static bool isFetchable(const QUrl& url);

    // One shared network access manager for the whole program (one connection pool).
    static QNetworkAccessManager* network();

Q_SIGNALS:
    // ok is false for network errors, HTTP status >= 400, a timeout or an oversized body.
    void finished(bool ok, const QByteArray& body);
    // Bytes of the body read so far, and the declared length (-1 when the site declared none).
    void progress(qint64 received, qint64 total);

private:
    void onHeaders();
    void onReadyRead();
    // Moves what the reply holds into the body; false once the body went over the cap.
    bool readAvailable();
    void onFinished();
    void fail(Failure failure);

    QPointer<QNetworkReply> m_reply;
    QTimer m_timer;
    QTimer m_idleTimer;
    QByteArray m_body;
    qint64 m_declared = -1;
    QByteArray m_contentType;
    int m_timeoutMs = kDefaultTimeoutMs;
    int m_idleMs = 0;
    qint64 m_maxBytes = kDefaultMaxBytes;
    Failure m_failure = Failure::None;
    int m_status = 0;
};
