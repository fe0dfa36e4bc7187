#include "platform/HtmlDocument.h"

#include <gumbo.h>

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

QUrl reference(const char* text)
{
    return QUrl(QString::fromUtf8(text).trimmed());
}

// The resolved address as a browser reports it: escapes kept, nothing decoded.
QString resolved(const QUrl& base, const char* text)
{
    return base.resolved(reference(text)).toString(QUrl::FullyEncoded);
}

QUrl baseOf(GumboNode* root, const QUrl& pageUrl)
{
    QUrl base = pageUrl;
    bool seen = false;
    forEachElement(root, [&](const GumboElement& e) {
        if (seen || e.tag != GUMBO_TAG_BASE)
            return;
        if (const char* href = attribute(e, "href")) {
            base = pageUrl.resolved(reference(href));
            seen = true;
        }
    });
    return base;
}
} // namespace

HtmlDocument::Reading HtmlDocument::read(const QByteArray& html, const QUrl& pageUrl)
{
    return read(html, pageUrl, Limits());
}

HtmlDocument::Reading HtmlDocument::read(const QByteArray& html, const QUrl& pageUrl, const Limits& limits)
{
    GumboGuard guard(limits.parser);
    GumboOutput* output = guard.parse(html);
    if (!output)
        return {Outcome::TooComplex, {}};
    const QUrl base = baseOf(output->root, pageUrl);
    Reading reading;
    HtmlDocument& doc = reading.document;
    forEachElement(output->root, [&](const GumboElement& e) {
        if (reading.outcome != Outcome::Read)
            return;
        if (e.tag == GUMBO_TAG_A || e.tag == GUMBO_TAG_AREA) {
            if (const char* href = attribute(e, "href"))
                doc.m_links << resolved(base, href);
        } else if (e.tag == GUMBO_TAG_IMG) {
            if (const char* src = attribute(e, "src"))
                doc.m_images << resolved(base, src);
        }
        if (doc.m_links.size() > limits.maxItems || doc.m_images.size() > limits.maxItems)
            reading.outcome = Outcome::TooManyItems;
    });
    if (reading.outcome != Outcome::Read)
        reading.document = HtmlDocument();
    return reading;
}
