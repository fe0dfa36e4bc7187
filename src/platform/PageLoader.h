#pragma once

#include "platform/HtmlDocument.h"
#include "platform/Transfer.h"

#include <QObject>

// Stands in for the embedded browser control: navigate() fetches a page asynchronously and parses
// it on a worker thread; once complete (ReadyState 4) the document's links and images are
// available. A page that fails, or that is refused for its size or its markup, completes as an
// empty document and says why.
class PageLoader : public QObject
{
    Q_OBJECT
public:
    static constexpr int kReadyComplete = 4;
    static constexpr int kDefaultTimeoutMs = 30000;
    // A result page is about 13 KB; anything near this is no result page.
    static constexpr qint64 kMaxPageBytes = 2 * 1024 * 1024;

    enum class Outcome {
        Loaded,    // the page arrived and was read
        NoAnswer,  // the site did not answer (refused, reset, timed out)
        HttpError, // the site answered with an error status (httpStatus())
        TooLarge,  // the page was larger than kMaxPageBytes
        BadMarkup, // the markup went beyond what the parser may build, or held too many items
    };
    Q_ENUM(Outcome)

    explicit PageLoader(QObject* parent = nullptr);
    ~PageLoader() override;

    void navigate(const QString& url);
    // Aborts the transfer and drops a parse under way; no documentComplete follows.
    void stop();
    void setTimeout(int ms) { m_transfer.setTimeout(ms); }
    void setLimits(const HtmlDocument::Limits& limits) { m_limits = limits; }

    [[nodiscard]] int ReadyState() const { return m_readyState; }
    [[nodiscard]] const QStringList& links() const { return m_document.links(); }
    [[nodiscard]] const QStringList& images() const { return m_document.images(); }
    [[nodiscard]] QString url() const { return m_url.toString(); }
    [[nodiscard]] Outcome outcome() const { return m_outcome; }
    [[nodiscard]] int httpStatus() const { return m_transfer.lastStatus(); }

Q_SIGNALS:
    void documentComplete(PageLoader::Outcome outcome);

private:
    void onFinished(bool ok, const QByteArray& body);
    void parse(const QByteArray& body);
    void complete(Outcome outcome, HtmlDocument document = {});

    Transfer m_transfer;
    QUrl m_url;
    HtmlDocument m_document;
    HtmlDocument::Limits m_limits;
    Outcome m_outcome = Outcome::Loaded;
    quint64 m_request = 0; // numbers each navigate; a parse of an older request is dropped
    int m_readyState = kReadyComplete;
};
