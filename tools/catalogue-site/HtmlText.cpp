#include "catalogue-site/HtmlText.h"

QString HtmlText::escape(const QString& text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                out += QStringLiteral("&#x%1;").arg(c.unicode(), 2, 16, QChar('0'));
            else
                out += c;
        }
    }
    return out;
}
