#pragma once

#include "platform/GumboGuard.h"

#include <QByteArray>
#include <QStringList>
#include <QUrl>

// A loaded HTML document's link and image collections, as a browser presents them: the links
// (a and area elements with href) and images (img elements with src), each resolved against the
// page address and the document's <base href> and kept in their encoded form (an escape such as
// %20 stays as it is), in document order. Parsed with gumbo under GumboGuard's bounds; no script runs.
class HtmlDocument
{
public:
    struct Limits {
        int maxItems = 2000; // links, and images, a page may hold (a result page has about 60 and 30)
        GumboGuard::Limits parser;
    };
    enum class Outcome {
        Read,
        TooManyItems, // more links or images than maxItems
        TooComplex,   // the parser hit a bound: nodes, attributes, memory or time
    };
    struct Reading;

    // Pure work on plain values: safe to run on any thread.
    static Reading read(const QByteArray& html, const QUrl& pageUrl, const Limits& limits);
    static Reading read(const QByteArray& html, const QUrl& pageUrl);

    [[nodiscard]] const QStringList& links() const { return m_links; }
    [[nodiscard]] const QStringList& images() const { return m_images; }

private:
    QStringList m_links;
    QStringList m_images;
};

struct HtmlDocument::Reading {
    Outcome outcome = Outcome::Read;
    HtmlDocument document; // empty unless outcome is Read
};
