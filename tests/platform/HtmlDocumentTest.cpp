#include "platform/HtmlDocument.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const QUrl kPage("http://127.0.0.1:8123/page/2/?s=arrow");

HtmlDocument parse(const QByteArray& html, int maxItems = 2000)
{
    auto doc = HtmlDocument::parse(html, kPage, maxItems);
    EXPECT_TRUE(doc.has_value());
    return doc.value_or(HtmlDocument());
}
} // namespace

TEST(HtmlDocument, LinksAndImagesInDocumentOrder)
{
    const HtmlDocument doc = parse(
        "<!DOCTYPE html><html><head><title>t</title><link href='style.css' rel=stylesheet></head><body>"
        "<a href='http://127.0.0.1:8123/2016/05/12/one/'><img src='http://127.0.0.1:8123/i/1.png'></a>"
        "<a>no address</a><img alt='no source'>"
        "<map><area href='/area-target' shape=rect coords='0,0,1,1'></map>"
        "<A HREF='  /trimmed  '>upper case</A>"
        "<div><p><a href='#frag'>x</a><img src='two.png'></p></div>"
        "<img src=''><a href=''>empty</a>"
        "</body></html>");
    EXPECT_EQ(doc.links(), (QStringList{"http://127.0.0.1:8123/2016/05/12/one/", "http://127.0.0.1:8123/area-target",
                                        "http://127.0.0.1:8123/trimmed", "http://127.0.0.1:8123/page/2/?s=arrow#frag",
                                        "http://127.0.0.1:8123/page/2/?s=arrow"}));
    EXPECT_EQ(doc.images(), (QStringList{"http://127.0.0.1:8123/i/1.png", "http://127.0.0.1:8123/page/2/two.png",
                                         "http://127.0.0.1:8123/page/2/?s=arrow"}));
}

TEST(HtmlDocument, RelativeAddressesFollowTheBaseElement)
{
    // The first <base href> counts, itself resolved against the page address; later ones are ignored.
    HtmlDocument doc = parse("<html><head><base href='../shop/'><base href='http://127.0.0.1:9/ignored/'></head>"
                             "<body><a href='x/'>x</a><img src='../up.png'><a href='//127.0.0.1:7/abs'>a</a></body>");
    EXPECT_EQ(doc.links(), (QStringList{"http://127.0.0.1:8123/page/shop/x/", "http://127.0.0.1:7/abs"}));
    EXPECT_EQ(doc.images(), (QStringList{"http://127.0.0.1:8123/page/up.png"}));

    // A base element after the links still applies (as a browser does).
    doc = parse("<body><a href='y'>y</a><base href='http://127.0.0.1:5000/root/'></body>");
    EXPECT_EQ(doc.links(), (QStringList{"http://127.0.0.1:5000/root/y"}));

    // A base without href does not count.
    doc = parse("<head><base target='_blank'></head><a href='z'>z</a>");
    EXPECT_EQ(doc.links(), (QStringList{"http://127.0.0.1:8123/page/2/z"}));
}

TEST(HtmlDocument, TooManyLinksOrImagesAreRefused)
{
    QByteArray links;
    for (int i = 0; i < 2000; ++i)
        links += "<a href='/l" + QByteArray::number(i) + "'>l</a>";
    auto atLimit = HtmlDocument::parse(links, kPage, 2000);
    ASSERT_TRUE(atLimit.has_value());
    EXPECT_EQ(atLimit->links().size(), 2000);
    EXPECT_EQ(atLimit->links().last(), "http://127.0.0.1:8123/l1999");
    EXPECT_FALSE(HtmlDocument::parse(links + "<a href='/one-more'>x</a>", kPage, 2000).has_value());

    QByteArray images;
    for (int i = 0; i < 11; ++i)
        images += "<img src='/i" + QByteArray::number(i) + ".png'>";
    EXPECT_FALSE(HtmlDocument::parse(images, kPage, 10).has_value());
    EXPECT_TRUE(HtmlDocument::parse(images, kPage, 11).has_value());
}

TEST(HtmlDocument, HostileMarkupDoesNotCrash)
{
    // Nesting deeper than any real page, still keeping the content after it.
    QByteArray deep;
    for (int i = 0; i < 1500; ++i)
        deep += "<div><span>";
    deep += "<a href='/deep/2016/01/01/x/'><img src='/deep.png'></a>";
    const HtmlDocument doc = parse(deep);
    EXPECT_EQ(doc.links(), (QStringList{"http://127.0.0.1:8123/deep/2016/01/01/x/"}));
    EXPECT_EQ(doc.images(), (QStringList{"http://127.0.0.1:8123/deep.png"}));

    // Unclosed, misnested and broken tags, stray bytes.
    const HtmlDocument broken = parse(QByteArray("<table><a href='/a1'><tr><td><b><i></b></i><a href='/a2'>"
                                                 "<img src='/i.png'<p <<>> &#xFFFFFFFF; \0\xff\xfe <a href=\"/a3",
                                                 100));
    EXPECT_GE(broken.links().size(), 2);
    EXPECT_EQ(broken.links().first(), "http://127.0.0.1:8123/a1");

    // Nothing at all, or only angle brackets.
    EXPECT_TRUE(parse("").links().isEmpty());
    EXPECT_TRUE(parse(QByteArray(100000, '<')).images().isEmpty());
}

namespace {
// Runs fn in a child process limited to `limitBytes` of address space; returns whether it exited
// normally with status 0 within the bound. Memory exhaustion or a crash shows as a failure here
// instead of taking the test machine down.
bool runsWithinMemory(const std::function<bool()>& fn, rlim_t limitBytes, int boundMs)
{
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit limit{limitBytes, limitBytes};
        setrlimit(RLIMIT_AS, &limit);
        _exit(fn() ? 0 : 1);
    }
    if (pid < 0)
        return false;
    QElapsedTimer clock;
    clock.start();
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (clock.elapsed() > boundMs) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return false;
        }
        QThread::usleep(2000);  // poll interval while the child works
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
} // namespace

TEST(HtmlDocument, DeepNestingStaysWithinMemory)
{
    // 550 KB of nested elements, far below the page size cap. Refusing it or parsing it are both
    // fine; exhausting memory or time is not.
    QByteArray deep;
    for (int i = 0; i < 50000; ++i)
        deep += "<div><span>";
    deep += "<a href='/x/2016/01/01/y/'>y</a>";
    const bool survived = runsWithinMemory(
        [&deep]() {
            const auto doc = HtmlDocument::parse(deep, kPage, 2000);
            return !doc || doc->links().size() <= 1;
        },
        rlim_t(2) << 30, 60000);
    EXPECT_TRUE(survived);
}
