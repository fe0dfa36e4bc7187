#include "platform/PageCharset.h"

#include <QString>

#include <gtest/gtest.h>

TEST(PageCharset, ByteOrderMarkThenHeaderThenMetaThenUtf8)
{
    const QByteArray latinMeta = "<meta charset=\"iso-8859-1\"><p>caf\xE9</p>";
    const QByteArray plain = "<p>caf\xC3\xA9</p>";
    const QByteArray bomUtf8 = "\xEF\xBB\xBF" + plain;
    const QByteArray bomUtf16Be = QByteArray("\xFE\xFF\0<\0p\0>\0c\0a\0f\0\xE9", 16);
    struct Case {
        const char* what;
        QByteArray page;
        QByteArray contentType;
        QByteArray charset;
    } cases[] = {
        {"nothing said", plain, "text/html", "UTF-8"},
        {"meta", latinMeta, "text/html", "iso-8859-1"},
        {"http-equiv meta", "<META HTTP-EQUIV='Content-Type' CONTENT='text/html; charset=windows-1252'>", "",
         "windows-1252"},
        {"header beats meta", latinMeta, "text/html; charset=UTF-8", "UTF-8"},
        {"mark beats header", bomUtf16Be, "text/html; charset=iso-8859-1", "UTF-16BE"},
        {"mark beats meta", "\xEF\xBB\xBF" + latinMeta, "", "UTF-8"},
        {"unknown header name", latinMeta, "text/html; charset=no-such-set", "iso-8859-1"},
        {"meta naming UTF-16 in ASCII bytes", "<meta charset=utf-16><p>x</p>", "", "UTF-8"},
        {"meta past the first 1024 bytes", QByteArray(1100, ' ') + latinMeta, "", "UTF-8"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PageCharset::detect(c.page, c.contentType).toLower(), c.charset.toLower()) << c.what;

    // What the parser gets: UTF-8 without the mark.
    EXPECT_EQ(PageCharset::toUtf8(latinMeta, "text/html"), "<meta charset=\"iso-8859-1\"><p>caf\xC3\xA9</p>");
    EXPECT_EQ(PageCharset::toUtf8(bomUtf8, ""), plain);
    EXPECT_EQ(PageCharset::toUtf8(bomUtf16Be, ""), "<p>caf\xC3\xA9");
    EXPECT_EQ(PageCharset::toUtf8(plain, ""), plain);
}
