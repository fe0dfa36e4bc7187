#include "platform/HtmlDocument.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>

namespace
{
const QUrl kPage("http://127.0.0.1:8123/page/2/?s=arrow");
const QString h = "http://127.0.0.1:8123/";

HtmlDocument::Reading read(const QByteArray& html, HtmlDocument::Limits limits = {})
{
    return HtmlDocument::read(html, kPage, limits);
}
HtmlDocument parse(const QByteArray& html)
{
    HtmlDocument::Reading reading = read(html);
    EXPECT_EQ(reading.outcome, HtmlDocument::Outcome::Read);
    return reading.document;
}
HtmlDocument::Outcome outcome(const QByteArray& html, HtmlDocument::Limits limits = {})
{
    return read(html, limits).outcome;
}
QByteArray repeat(const QByteArray& element, int n)
{
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += QByteArray(element).replace("#", QByteArray::number(i));
    return out;
}
QByteArray tagWithAttributes(int n)
{
    return "<a href='/2016/x/'" + repeat(" d#='v'", n) + ">x</a>";
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
    EXPECT_EQ(doc.links(), (QStringList{h + "2016/05/12/one/", h + "area", h + "trimmed",
                                        kPage.toString() + "#frag", kPage.toString()}));
    EXPECT_EQ(doc.images(), (QStringList{h + "i/1.png", h + "page/2/two.png", kPage.toString()}));

    // The first <base href> counts, itself resolved against the page address.
    doc =
        parse("<head><base target='_blank'><base href='../shop/'><base href='http://127.0.0.1:9/no/'></head>"
              "<body><a href='x/'>x</a><img src='../up.png'><a href='//127.0.0.1:7/abs'>a</a></body>");
    EXPECT_EQ(doc.links(), (QStringList{h + "page/shop/x/", "http://127.0.0.1:7/abs"}));
    EXPECT_EQ(doc.images(), (QStringList{h + "page/up.png"}));
}

TEST(HtmlDocument, AddressesKeepTheirEscapesAndAreEncodedAsABrowserReportsThem)
{
    const HtmlDocument doc =
        parse("<a href='/2016/06/a%20b-icon/'>x</a><a href='/2016/x y/caf\xc3\xa9/'>y</a>"
              "<img src='g%20h.png'><img src='/w/100%.png'>");
    EXPECT_EQ(doc.links(), (QStringList{h + "2016/06/a%20b-icon/", h + "2016/x%20y/caf%C3%A9/"}));
    EXPECT_EQ(doc.images(), (QStringList{h + "page/2/g%20h.png", h + "w/100%25.png"}));
}

TEST(HtmlDocument, WhatTheParserBuildsIsBoundedAndBrokenMarkupIsRead)
{
    using O = HtmlDocument::Outcome;
    const QByteArray links = repeat("<a href='/l#'>l</a>", 2000);
    EXPECT_EQ(parse(links).links().last(), h + "l1999");
    EXPECT_EQ(outcome(links + "<a href='/one-more'>x</a>"), O::TooManyItems);
    HtmlDocument::Limits ten;
    ten.maxItems = 10;
    EXPECT_EQ(outcome(repeat("<img src='/i#.png'>", 11), ten), O::TooManyItems);

    // Attributes: a few hundred on one tag, or tens of thousands in all, are no result page.
    EXPECT_EQ(outcome(tagWithAttributes(200)), O::Read);
    EXPECT_EQ(outcome(tagWithAttributes(50000)), O::TooComplex);
    EXPECT_EQ(outcome(repeat("<i a='1' b='2' c='3' d='4' e='5'></i>", 11000)), O::TooComplex);

    // Elements, also those the parser implies: every stray </p> makes an empty paragraph.
    const QByteArray deep = "<a href='/deep/'><img src='/deep.png'></a>";
    EXPECT_EQ(parse(repeat("<div><span>", 1500) + deep).images(), QStringList{h + "deep.png"});
    EXPECT_EQ(outcome(repeat("<div><span>", 50000) + deep), O::TooComplex);
    EXPECT_EQ(outcome(repeat("<b></b>", 25000)), O::TooComplex);
    EXPECT_EQ(outcome("<div>" + QByteArray(25000 * 4, ' ').replace("    ", "</p>")), O::TooComplex);

    // Memory and time.
    HtmlDocument::Limits small;
    small.parser.maxBytes = 1 << 20;
    EXPECT_EQ(outcome("<p title='" + QByteArray(2 << 20, 'x') + "'>", small), O::TooComplex);
    EXPECT_EQ(outcome("<p>" + QByteArray(100 << 10, 'x'), small), O::Read);
    HtmlDocument::Limits noTime;
    noTime.parser.budgetMs = 0;
    EXPECT_EQ(outcome(repeat("<p>#</p>", 100), noTime), O::TooComplex);

    // Unclosed, misnested and broken tags, stray bytes, or nothing at all.
    const char broken[] = "<table><a href='/a1'><tr><td><b><i></b></i><a href='/a2'><img src='/i.png'<p <<>> "
                          "&#xFFFFFFFF; \0\xff\xfe <a href=\"/a3";
    EXPECT_EQ(parse(QByteArray(broken, sizeof(broken) - 1)).links().mid(0, 2),
              (QStringList{h + "a1", h + "a2"}));
    EXPECT_TRUE(parse("").links().isEmpty() && parse(QByteArray(100000, '<')).images().isEmpty());
}

namespace
{
// Parses a page needing far more memory than the process may still take; exits 0 when the parse
// was abandoned as refused memory.
[[noreturn]] void parseWithLittleAddressSpaceLeft()
{
    const QByteArray html = QByteArray("<p>x").repeated(500000);
    GumboGuard::Limits unbounded;
    unbounded.maxNodes = unbounded.maxAttributes = 1 << 30;
    unbounded.maxBytes = std::size_t(1) << 40;
    unbounded.budgetMs = 600000;
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        std::_Exit(2);
    const rlim_t used =
        rlim_t(statm.readAll().split(' ').first().toLongLong()) * rlim_t(sysconf(_SC_PAGESIZE));
    const rlimit limit{used + (32u << 20), used + (32u << 20)};
    if (setrlimit(RLIMIT_AS, &limit) != 0)
        std::_Exit(3);
    GumboGuard guard(unbounded);
    const bool refused = guard.parse(html) == nullptr && guard.stop() == GumboGuard::Stop::Memory;
    std::_Exit(refused ? 0 : 1);
}
} // namespace

TEST(GumboGuard, MemoryTheSystemRefusesAbandonsTheParseInsteadOfThrowingThroughIt)
{
    // Run apart, in a fresh process whose address space is capped: an exception thrown through
    // the parser's C frames would end it with a signal instead.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    // AddressSanitizer reserves its own address space and ends the process on a refused
    // allocation, so a capped address space tells nothing there.
    GTEST_SKIP() << "needs the allocator of a build without AddressSanitizer";
#endif
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(parseWithLittleAddressSpaceLeft(), ::testing::ExitedWithCode(0), "");
}
