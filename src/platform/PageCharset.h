#pragma once

#include <QByteArray>

// Reads a page's bytes in the character set it was written in, as browsers settle it: a
// byte-order mark first, then the charset of the answer's Content-Type header, then the page's
// own <meta charset> (or http-equiv Content-Type) within its first 1024 bytes, then UTF-8. The
// parser gets the page as UTF-8. A name no decoder knows counts as not given.
class PageCharset
{
public:
    // The encoding's name as found ("UTF-16LE", "ISO-8859-1", ...); "UTF-8" when nothing says.
    [[nodiscard]] static QByteArray detect(const QByteArray& page, const QByteArray& contentType);
    [[nodiscard]] static QByteArray toUtf8(const QByteArray& page, const QByteArray& contentType);

private:
    [[nodiscard]] static QByteArray fromByteOrderMark(const QByteArray& page);
    [[nodiscard]] static QByteArray fromContentType(const QByteArray& contentType);
    [[nodiscard]] static QByteArray fromMeta(const QByteArray& page);
    [[nodiscard]] static bool isKnown(const QByteArray& name);
};
