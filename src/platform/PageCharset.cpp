#include "platform/PageCharset.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace
{
// How far into the page a <meta> naming the charset is looked for, as browsers do.
constexpr int kPrescanBytes = 1024;

QByteArray charsetParameter(const QByteArray& text)
{
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*[\"']?\\s*([A-Za-z0-9_.:-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = charset.match(QString::fromLatin1(text));
    return match.hasMatch() ? match.captured(1).toLatin1() : QByteArray();
}
} // namespace

QByteArray PageCharset::fromByteOrderMark(const QByteArray& page)
{
    if (page.startsWith("\xEF\xBB\xBF"))
        return "UTF-8";
    if (page.startsWith("\xFF\xFE"))
        return "UTF-16LE";
    if (page.startsWith("\xFE\xFF"))
        return "UTF-16BE";
    return {};
}

QByteArray PageCharset::fromContentType(const QByteArray& contentType)
{
    const QByteArray name = charsetParameter(contentType);
    return isKnown(name) ? name : QByteArray();
}

// A <meta> is read from bytes taken as ASCII, so a page whose meta names UTF-16 cannot be UTF-16:
// browsers read it as UTF-8, and so does this.
QByteArray PageCharset::fromMeta(const QByteArray& page)
{
    static const QRegularExpression meta(QStringLiteral("<meta\\s[^>]*>"),
                                         QRegularExpression::CaseInsensitiveOption);
    auto matches = meta.globalMatch(QString::fromLatin1(page.left(kPrescanBytes)));
    while (matches.hasNext()) {
        QByteArray name = charsetParameter(matches.next().captured(0).toLatin1());
        if (name.toUpper().startsWith("UTF-16"))
            name = "UTF-8";
        if (isKnown(name))
            return name;
    }
    return {};
}

bool PageCharset::isKnown(const QByteArray& name)
{
    return !name.isEmpty() && QStringDecoder(name.constData()).isValid();
}

QByteArray PageCharset::detect(const QByteArray& page, const QByteArray& contentType)
{
    for (const QByteArray& found : {fromByteOrderMark(page), fromContentType(contentType), fromMeta(page)})
        if (!found.isEmpty())
            return found;
    return "UTF-8";
}

QByteArray PageCharset::toUtf8(const QByteArray& page, const QByteArray& contentType)
{
    const QByteArray name = detect(page, contentType);
    if (name.toUpper() == "UTF-8" && !page.startsWith("\xEF\xBB\xBF"))
        return page; // already what the parser reads
    // The decoder drops a leading byte-order mark.
    QStringDecoder decoder(name.constData(), QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(page);
    return text.toUtf8();
}
