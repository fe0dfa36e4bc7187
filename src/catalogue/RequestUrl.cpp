#include "catalogue/RequestUrl.h"

#include <QByteArray>
#include <QStringList>

namespace
{
bool isKeptAsTyped(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
    case '-':
    case '_':
    case '.':
    case '~':
    case '!':
    case '*':
    case '\'':
    case '(':
    case ')':
    case ',':
    case ';':
    case ':':
    case '@':
    case '$':
        return true;
    default:
        return false;
    }
}
} // namespace

QString RequestUrl::encodeKeyword(const QString& keyword)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    for (unsigned char c : keyword.toUtf8()) {
        if (isKeptAsTyped(c)) {
            out += QChar(c);
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += QChar(hex[c >> 4]);
            out += QChar(hex[c & 15]);
        }
    }
    return out;
}

QString RequestUrl::keywordFromSearchText(const QString& searchText)
{
    return searchText.split(QChar(' '), Qt::SkipEmptyParts).join(QChar(' '));
}

QString RequestUrl::build(const QString& base, int page, bool frontPage, const QString& keyword)
{
    const QString pagePart = "page/" + QString::number(page);
    if (frontPage)
        return page <= 1 ? base : base + pagePart;
    const QString query = "?s=" + encodeKeyword(keyword);
    return page <= 1 ? base + query : base + pagePart + "/" + query;
}
