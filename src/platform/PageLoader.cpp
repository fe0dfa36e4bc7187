#include "platform/PageLoader.h"

#include "platform/PageCharset.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

PageLoader::PageLoader(QObject* parent) : QObject(parent)
{
    m_transfer.setTimeout(kDefaultTimeoutMs);
    m_transfer.setMaxBytes(kMaxPageBytes);
    connect(&m_transfer, &Transfer::finished, this, &PageLoader::onFinished);
}

PageLoader::~PageLoader()
{
    stop();
}

void PageLoader::navigate(const QString& url)
{
    ++m_request;
    m_document = HtmlDocument();
    m_url = QUrl(url);
    m_readyState = 1;
    m_transfer.get(m_url);
}

void PageLoader::stop()
{
    ++m_request;
    m_transfer.cancel();
    m_readyState = kReadyComplete;
}

void PageLoader::onFinished(bool ok, const QByteArray& body)
{
    if (ok) {
        parse(body);
        return;
    }
    switch (m_transfer.lastFailure()) {
    case Transfer::Failure::HttpError:
        complete(Outcome::HttpError);
        break;
    case Transfer::Failure::TooLarge:
        complete(Outcome::TooLarge);
        break;
    default:
        complete(Outcome::NoAnswer);
        break;
    }
}

// The parse runs on the thread pool with plain values; the result comes back to this thread and
// counts only if no newer navigate or Stop happened meanwhile.
void PageLoader::parse(const QByteArray& body)
{
    const quint64 request = m_request;
    auto* watcher = new QFutureWatcher<HtmlDocument::Reading>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, request] {
        watcher->deleteLater();
        if (request != m_request)
            return;
        HtmlDocument::Reading reading = watcher->result();
        if (reading.outcome == HtmlDocument::Outcome::Read)
            complete(Outcome::Loaded, std::move(reading.document));
        else
            complete(Outcome::BadMarkup);
    });
    watcher->setFuture(
        QtConcurrent::run([body, url = m_url, limits = m_limits, contentType = m_transfer.lastContentType()] {
            return HtmlDocument::read(PageCharset::toUtf8(body, contentType), url, limits);
        }));
}

void PageLoader::complete(Outcome outcome, HtmlDocument document)
{
    m_document = std::move(document);
    m_outcome = outcome;
    m_readyState = kReadyComplete;
    Q_EMIT documentComplete(outcome);
}
