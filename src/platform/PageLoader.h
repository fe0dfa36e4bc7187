#pragma once

#include "platform/HtmlDocument.h"
#include "platform/Transfer.h"

#include <QObject>

#include <optional>

// Stands in for the embedded browser control: Navigate() fetches a page asynchronously and parses
// it; once complete (ReadyState 4) the document's links and images are available. A page that
// fails, times out, exceeds the size cap or the item limit completes as an empty document.
class PageLoader : public QObject
{
    Q_OBJECT
public:
    static constexpr int kReadyComplete = 4;
    static constexpr int kDefaultTimeoutMs = 30000;
    static constexpr qint64 kMaxPageBytes = 8 * 1024 * 1024;
    static constexpr int kMaxItems = 2000;

    explicit PageLoader(QObject* parent = nullptr);

    void Navigate(const QString& url);
    void Stop();
    void setTimeout(int ms) { m_transfer.setTimeout(ms); }

    [[nodiscard]] int ReadyState() const { return m_readyState; }
    [[nodiscard]] const QStringList& links() const;
    [[nodiscard]] const QStringList& images() const;
    [[nodiscard]] QString url() const { return m_url.toString(); }

Q_SIGNALS:
    // ok is false when the page could not be loaded; the document is then empty.
    void documentComplete(bool ok);

private:
    void onFinished(bool ok, const QByteArray& body);

    Transfer m_transfer;
    QUrl m_url;
    std::optional<HtmlDocument> m_document;
    int m_readyState = kReadyComplete;
};
