#include "platform/HtmlDocument.h"

#include <gtest/gtest.h>

namespace
{
const QUrl kPage("http://127.0.0.1:8123/page/2/?s=arrow");
const QString H = "http://127.0.0.1:8123/";

HtmlDocument parse(const QByteArray& html, int maxItems = 2000)
{
    auto doc = HtmlDocument::parse(html, kPage, maxItems);
    EXPECT_TRUE(doc.has_value());
    return doc.value_or(HtmlDocument());
}
QByteArray repeat(const QByteArray& element, int n)
{
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += QByteArray(element).replace("#", QByteArray::number(i));
    return out;
}
} // namespace

TEST(HtmlDocument, LinksAndImagesInDocumentOrderResolvedAgainstThePageAndTheFirstBase)
{
    HtmlDocument doc =
        parse("<html><head><link href='style.css' rel=stylesheet></head><body>"
              "<a href='http://127.0.0.1:8123/2016/05/12/one/'><img src='/i/1.png'></a>"
              "<a>no address</a><img alt='no source'><map><area href='/area' coords='0,0,1,1'></map>"
              "<A HREF='  /trimmed  '>upper case</A><div><p><a href='#frag'>x</a><img src='two.png'></p>"
              "</div><img src=''><a href=''>empty</a></body></html>");
    EXPECT_EQ(doc.links(), (QStringList{H + "2016/05/12/one/", H + "area", H + "trimmed",
                                        kPage.toString() + "#frag", kPage.toString()}));
    EXPECT_EQ(doc.images(), (QStringList{H + "i/1.png", H + "page/2/two.png", kPage.toString()}));

    // The first <base href> counts, itself resolved against the page address.
    doc =
        parse("<head><base target='_blank'><base href='../shop/'><base href='http://127.0.0.1:9/no/'></head>"
              "<body><a href='x/'>x</a><img src='../up.png'><a href='//127.0.0.1:7/abs'>a</a></body>");
    EXPECT_EQ(doc.links(), (QStringList{H + "page/shop/x/", "http://127.0.0.1:7/abs"}));
    EXPECT_EQ(doc.images(), (QStringList{H + "page/up.png"}));
}

TEST(HtmlDocument, TooManyLinksImagesOrTagsAreRefusedAndBrokenMarkupIsRead)
{
    const QByteArray links = repeat("<a href='/l#'>l</a>", 2000);
    EXPECT_EQ(parse(links).links().last(), H + "l1999");
    EXPECT_FALSE(HtmlDocument::parse(links + "<a href='/one-more'>x</a>", kPage, 2000));
    EXPECT_FALSE(HtmlDocument::parse(repeat("<img src='/i#.png'>", 11), kPage, 10));
    // Nesting far deeper than any real page: read when moderate, refused past the tag limit.
    const QByteArray deep = "<a href='/deep/'><img src='/deep.png'></a>";
    EXPECT_EQ(parse(repeat("<div><span>", 1500) + deep).images(), QStringList{H + "deep.png"});
    EXPECT_FALSE(HtmlDocument::parse(repeat("<div><span>", 50000) + deep, kPage, 2000));
    EXPECT_FALSE(HtmlDocument::parse(repeat("<b>", HtmlDocument::kMaxTags + 1), kPage, 2000));

    // Unclosed, misnested and broken tags, stray bytes, or nothing at all.
    const char broken[] = "<table><a href='/a1'><tr><td><b><i></b></i><a href='/a2'><img src='/i.png'<p <<>> "
                          "&#xFFFFFFFF; \0\xff\xfe <a href=\"/a3";
    EXPECT_EQ(parse(QByteArray(broken, sizeof(broken) - 1)).links().mid(0, 2),
              (QStringList{H + "a1", H + "a2"}));
    EXPECT_TRUE(parse("").links().isEmpty() && parse(QByteArray(100000, '<')).images().isEmpty());
}
