#include "platform/PageLoader.h"

namespace
{
const QStringList& emptyList()
{
    static const QStringList none;
    return none;
}
} // namespace

PageLoader::PageLoader(QObject* parent) : QObject(parent)
{
    m_transfer.setTimeout(kDefaultTimeoutMs);
    m_transfer.setMaxBytes(kMaxPageBytes);
    connect(&m_transfer, &Transfer::finished, this, &PageLoader::onFinished);
}

void PageLoader::Navigate(const QString& url)
{
    m_document.reset();
    m_url = QUrl(url);
    m_readyState = 1;
    m_transfer.get(m_url);
}

void PageLoader::Stop()
{
    m_transfer.Cancel();
    if (m_readyState != kReadyComplete)
        m_readyState = kReadyComplete;
}

const QStringList& PageLoader::links() const
{
    return m_document ? m_document->links() : emptyList();
}

const QStringList& PageLoader::images() const
{
    return m_document ? m_document->images() : emptyList();
}

void PageLoader::onFinished(bool ok, const QByteArray& body)
{
    // A failed page (error status, timeout, oversized) holds no posts: an empty document.
    m_document = ok ? HtmlDocument::parse(body, m_url, kMaxItems) : std::nullopt;
    m_readyState = kReadyComplete;
    Q_EMIT documentComplete(m_document.has_value());
}
