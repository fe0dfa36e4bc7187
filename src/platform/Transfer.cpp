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
    connect(&m_timer, &QTimer::timeout, this, &Transfer::fail);
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

void Transfer::get(const QUrl& url)
{
    Cancel();
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
        fail();
}

void Transfer::onFinished()
{
    QNetworkReply* reply = m_reply;
    if (!reply)
        return;
    m_body += reply->readAll();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && status < 400 && m_body.size() <= m_maxBytes;
    QByteArray body = ok ? m_body : QByteArray();
    m_timer.stop();
    m_reply = nullptr;
    reply->disconnect(this);
    reply->deleteLater();
    m_body.clear();
    Q_EMIT finished(ok, body);
}

void Transfer::fail()
{
    Cancel();
    Q_EMIT finished(false, QByteArray());
}
