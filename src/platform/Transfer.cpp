#include "platform/Transfer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <algorithm>

namespace
{
constexpr int kMaxRedirects = 5;
}

Transfer::Transfer(QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { fail(m_reply ? Failure::TimedOut : m_failure); });
    m_idleTimer.setSingleShot(true);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] { fail(Failure::TimedOut); });
}

Transfer::~Transfer()
{
    cancel();
}

QNetworkAccessManager* Transfer::network()
{
    static QNetworkAccessManager* manager = new QNetworkAccessManager();
    return manager;
}

bool Transfer::isFetchable(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

void Transfer::get(const QUrl& url)
{
    cancel();
    m_status = 0;
    m_contentType.clear();
    if (!isFetchable(url)) {
        // Fails from the event loop, as every other failure does, never from inside get().
        m_failure = Failure::RefusedScheme;
        m_timer.start(0);
        return;
    }
    m_failure = Failure::None;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    m_body.clear();
    m_declared = -1;
    m_reply = network()->get(request);
    // The network thread stops reading from the socket once this much waits unread.
    m_reply->setReadBufferSize(kReadBufferBytes);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &Transfer::onHeaders);
    connect(m_reply, &QNetworkReply::readyRead, this, &Transfer::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &Transfer::onFinished);
    if (m_timeoutMs > 0)
        m_timer.start(m_timeoutMs);
    if (m_idleMs > 0)
        m_idleTimer.start(m_idleMs);
}

void Transfer::cancel()
{
    m_timer.stop();
    m_idleTimer.stop();
    if (QNetworkReply* reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    m_body.clear();
}

// A declared length over the cap is refused before the body is read.
void Transfer::onHeaders()
{
    if (!m_reply)
        return;
    bool known = false;
    const qint64 declared = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    m_declared = known ? declared : -1;
    m_contentType = m_reply->rawHeader("Content-Type");
    if (known && declared > m_maxBytes)
        fail(Failure::TooLarge);
    else if (m_idleMs > 0)
        m_idleTimer.start(m_idleMs);
}

void Transfer::onReadyRead()
{
    if (!m_reply)
        return;
    if (!readAvailable()) {
        fail(Failure::TooLarge);
        return;
    }
    if (m_idleMs > 0)
        m_idleTimer.start(m_idleMs);
    Q_EMIT progress(m_body.size(), m_declared);
}

bool Transfer::readAvailable()
{
    // Never more than one byte past the cap is read: that byte tells an oversized body.
    while (m_reply->bytesAvailable() > 0) {
        const qint64 room = m_maxBytes - m_body.size() + 1;
        m_body += m_reply->read(std::min(room, m_reply->bytesAvailable()));
        if (m_body.size() > m_maxBytes)
            return false;
    }
    return true;
}

void Transfer::onFinished()
{
    QNetworkReply* reply = m_reply;
    if (!reply)
        return;
    const bool withinCap = readAvailable();
    m_status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!withinCap)
        m_failure = Failure::TooLarge;
    else if (!isFetchable(reply->url()))
        m_failure = Failure::RefusedScheme; // redirected away from http(s)
    else if (m_status >= 400)
        m_failure = Failure::HttpError;
    else if (reply->error() != QNetworkReply::NoError || m_status == 0)
        m_failure = Failure::NoAnswer;
    const bool ok = m_failure == Failure::None;
    QByteArray body = ok ? m_body : QByteArray();
    m_timer.stop();
    m_idleTimer.stop();
    m_reply = nullptr;
    reply->disconnect(this);
    reply->deleteLater();
    m_body.clear();
    Q_EMIT finished(ok, body);
}

void Transfer::fail(Failure failure)
{
    cancel();
    m_failure = failure;
    Q_EMIT finished(false, QByteArray());
}
