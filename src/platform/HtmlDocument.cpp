#include "platform/HtmlDocument.h"

#include <gumbo.h>

#include <cctype>
#include <functional>
#include <vector>

namespace
{
const char* attribute(const GumboElement& element, const char* name)
{
    const GumboAttribute* attr = gumbo_get_attribute(&element.attributes, name);
    return attr ? attr->value : nullptr;
}

// Walks the element tree in document order without recursion (hostile markup can nest deeply).
void forEachElement(GumboNode* root, const std::function<void(const GumboElement&)>& visit)
{
    std::vector<GumboNode*> stack{root};
    while (!stack.empty()) {
        GumboNode* node = stack.back();
        stack.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE)
            continue;
        visit(node->v.element);
        const GumboVector& children = node->v.element.children;
        for (unsigned i = children.length; i > 0; --i)
            stack.push_back(static_cast<GumboNode*>(children.data[i - 1]));
    }
}

// Counts "<" followed by a letter: the start tags a parser would open elements for.
int startTagCount(const QByteArray& html)
{
    int count = 0;
    for (qsizetype i = 0; i + 1 < html.size(); ++i)
        if (html[i] == '<' && std::isalpha(static_cast<unsigned char>(html[i + 1])))
            ++count;
    return count;
}

QString resolved(const QUrl& base, const char* reference)
{
    return base.resolved(QUrl(QString::fromUtf8(reference).trimmed())).toString();
}
} // namespace

std::optional<HtmlDocument> HtmlDocument::parse(const QByteArray& html, const QUrl& pageUrl, int maxItems)
{
    // Tag soup beyond this many tags is no result page; gumbo's tree for deeply nested hostile
    // markup grows without bound, so such a document is refused before parsing.
    if (startTagCount(html) > kMaxTags)
        return std::nullopt;
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 100;
    GumboOutput* output = gumbo_parse_with_options(&options, html.constData(), size_t(html.size()));
    QUrl base = pageUrl;
    bool baseSeen = false;
    forEachElement(output->root, [&](const GumboElement& e) {
        if (e.tag == GUMBO_TAG_BASE && !baseSeen)
            if (const char* href = attribute(e, "href")) {
                base = pageUrl.resolved(QUrl(QString::fromUtf8(href).trimmed()));
                baseSeen = true;
            }
    });
    HtmlDocument doc;
    bool overLimit = false;
    forEachElement(output->root, [&](const GumboElement& e) {
        if (overLimit)
            return;
        if (e.tag == GUMBO_TAG_A || e.tag == GUMBO_TAG_AREA) {
            if (const char* href = attribute(e, "href"))
                doc.m_links << resolved(base, href);
        } else if (e.tag == GUMBO_TAG_IMG) {
            if (const char* src = attribute(e, "src"))
                doc.m_images << resolved(base, src);
        }
        overLimit = doc.m_links.size() > maxItems || doc.m_images.size() > maxItems;
    });
    gumbo_destroy_output(&options, output);
    if (overLimit)
        return std::nullopt;
    return doc;
}
