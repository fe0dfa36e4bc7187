#pragma once

#include <QByteArray>
#include <QStringList>
#include <QUrl>

#include <optional>

// A loaded HTML document's link and image collections, as a browser presents them: the links
// (a and area elements with href) and images (img elements with src), each resolved against the
// page address and the document's <base href>, in document order. Parsed with gumbo; no script runs.
class HtmlDocument
{
public:
    // Refuses (nullopt) a document with more than maxItems links or images, or more than
    // kMaxTags tags (a result page has a few hundred).
    static constexpr int kMaxTags = 20000;
    static std::optional<HtmlDocument> parse(const QByteArray& html, const QUrl& pageUrl, int maxItems);

    [[nodiscard]] const QStringList& links() const { return m_links; }
    [[nodiscard]] const QStringList& images() const { return m_images; }

private:
    QStringList m_links;
    QStringList m_images;
};
