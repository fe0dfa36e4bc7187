#include "platform/Transfer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace
{
constexpr int kMaxRedirects = 5;
}

Transfer::Transfer(QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { fail(m_reply ? Failure::TimedOut : m_failure); });
}

Transfer::~Transfer()
{
    Cancel();
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
    Cancel();
    m_status = 0;
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
    m_reply = network()->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &Transfer::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &Transfer::onFinished);
    m_timer.start(m_timeoutMs);
}

void Transfer::Cancel()
{
    m_timer.stop();
    if (QNetworkReply* reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    m_body.clear();
}

void Transfer::onReadyRead()
{
    if (!m_reply)
        return;
    m_body += m_reply->readAll();
    if (m_body.size() > m_maxBytes)
        fail(Failure::TooLarge);
}

void Transfer::onFinished()
{
    QNetworkReply* reply = m_reply;
    if (!reply)
        return;
    m_body += reply->readAll();
    m_status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_body.size() > m_maxBytes)
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
    m_reply = nullptr;
    reply->disconnect(this);
    reply->deleteLater();
    m_body.clear();
    Q_EMIT finished(ok, body);
}

void Transfer::fail(Failure failure)
{
    Cancel();
    m_failure = failure;
    Q_EMIT finished(false, QByteArray());
}
