#include "catalogue/LinkPass.h"
#include "catalogue/RequestUrl.h"
#include "catalogue/ThumbnailCache.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{
const QString B = QStringLiteral("http://127.0.0.1:8123/");

// Runs the link pass from `count` on; returns the new records as "link title" ("~" for the base).
std::string pass(const QStringList& links, std::vector<IconRecord>& records, int& count)
{
    const int first = count;
    LinkPass::run(links, records, count, B);
    EXPECT_EQ(records.size(), size_t(count));
    QStringList out;
    for (int i = first; i < count; ++i)
        out << QString(records[size_t(i)].postLink).replace(B, "~") + " " + records[size_t(i)].title;
    return out.join(" | ").toStdString();
}
std::string pass(const QStringList& links)
{
    std::vector<IconRecord> records;
    int count = 0;
    return pass(links, records, count);
}
} // namespace

TEST(LinkPass, LinksWithAPostYearBecomeRecordsExceptConsecutiveDuplicates)
{
    const QString a = B + "2016/05/12/arrow-left-icon/", b = B + "2014/01/02/home/";
    // Thumbnail link + title link of a, then b twice, then a again.
    EXPECT_EQ(pass({a, a, b, b, a}),
              "~2016/05/12/arrow-left-icon/ arrow, left, icon | ~2014/01/02/home/ home | "
              "~2016/05/12/arrow-left-icon/ arrow, left, icon");
    // A link without a year between two identical post links does not break the pair; case counts.
    EXPECT_EQ(pass({b, B + "about/", b, B + "page/2", b.toUpper()}),
              "~2014/01/02/home/ home | HTTP://127.0.0.1:8123/2014/01/02/HOME/ HOME");
    // The years 2013 to 2017 count anywhere in the link; without date segments the title starts
    // right after the base.
    EXPECT_EQ(pass({B, B + "?s=arrow", B + "2012/01/01/old/", B + "2018/01/01/new/", B + "2013/01/01/a/",
                    B + "2017/12/31/b/", B + "tag/x-2015-y", B + "2020/01/01/icon-2016-pack/", "201 5"}),
              "~2013/01/01/a/ a | ~2017/12/31/b/ b | ~tag/x-2015-y tagx, 2015, y | "
              "~2020/01/01/icon-2016-pack/ icon, 2016, pack");
    // The title runs up to the last "/" when there is one after the name, else to the end; inner "/" go.
    EXPECT_EQ(LinkPass::titleFromLink(B + "2016/05/12/mail-open",
                                      LinkPass::titleStart(B + "2016/05/12/mail-open", B)),
              "mail, open");
    EXPECT_EQ(pass({B + "2016/05/12/a-b/c/"}), "~2016/05/12/a-b/c/ a, bc");
    // The thumbnail file name: the part after the last "/".
    EXPECT_EQ(fileNameFromUrl("http://h/wp/2016/05/201605arrow-150x150.png"), "201605arrow-150x150.png");
    EXPECT_EQ(fileNameFromUrl("plainname.png"), "plainname.png");
    EXPECT_EQ(fileNameFromUrl("http://h/dir/"), "");
}

TEST(LinkPass, TheNameStartsAfterTheDateSegmentsAndDateArchivesAreNoPosts)
{
    // Month-only permalinks lose nothing of the name; day links as before.
    EXPECT_EQ(pass({B + "2015/07/arrow-left/", B + "2015/07/09/arrow-left/"}),
              "~2015/07/arrow-left/ arrow, left | ~2015/07/09/arrow-left/ arrow, left");
    // Year, month and day archives and their pages name no post, before the list or after it; a
    // post named "page" or "404" does.
    EXPECT_EQ(pass({B + "2015/", B + "2015/07/", B + "2015/07/12/", B + "2016/05/?m=1", B + "2016/#top",
                    B + "2015/07/page/2/", B + "2014/page/3", "http://h/2016", B + "2015/07/page/",
                    B + "2015/07/404/", B + "2017/"}),
              "~2015/07/page/ page | ~2015/07/404/ 404");
    // A site under a folder, and post links on another host: the date segments are found in the
    // link itself, not at a fixed position.
    const QString blog = "https://icons.example/my/blog/";
    EXPECT_EQ(LinkPass::titleStart(blog + "2016/05/mail-open/", blog), int(blog.size()) + 9);
    EXPECT_EQ(LinkPass::titleStart("http://other:8080/x/2016/05/12/mail/", blog), 32);
    EXPECT_EQ(LinkPass::titleStart("http://other:8080/2016/05/123/", blog), 27);
    EXPECT_EQ(LinkPass::titleStart("no-scheme/2016/", blog), 16);
    EXPECT_TRUE(LinkPass::isDateArchive(blog + "2016/05/12/", blog));
    EXPECT_FALSE(LinkPass::isDateArchive(blog + "2016/05/12/mail/", blog));
}

TEST(LinkPass, LaterPagesAppendAndOverwriteSurplusRecords)
{
    std::vector<IconRecord> records;
    int count = 0;
    pass({B + "2016/01/01/one/", B + "2016/01/01/two/", B + "2016/01/01/three/"}, records, count);
    records[0].thumbFile = "one.png";
    EXPECT_EQ(pass({B + "2015/01/01/four/"}, records, count), "~2015/01/01/four/ four");
    EXPECT_EQ(records[0].thumbFile, "one.png"); // earlier records kept
    // Only 3 thumbnails were stored: the next page starts at index 3 and its records replace the
    // surplus ones entirely (no thumbnail name left over).
    records[3].thumbFile = "stale.png";
    count = 3;
    EXPECT_EQ(pass({B + "2014/01/01/six/"}, records, count), "~2014/01/01/six/ six");
    EXPECT_TRUE(records[3].thumbFile.isEmpty());
    EXPECT_EQ(pass({B, B + "page/3"}, records, count), ""); // nothing accepted: nothing changes
    EXPECT_EQ(count, 4);
}

TEST(RequestUrl, PagesAndKeywordsWordsJoinedByPlusAndEncodedSoTheyCannotChangeTheAddress)
{
    // The client's tests run these through startQuery and Load More; here the rest of the table.
    EXPECT_EQ(RequestUrl::build(B, 1, true, "stale"), B); // the front page ignores a keyword left over
    EXPECT_EQ(RequestUrl::build(B, 26, true, ""), B + "page/26");
    EXPECT_EQ(RequestUrl::build(B, 10, false, "c#&x"), B + "page/10/?s=c%23%26x");
    EXPECT_EQ(RequestUrl::keywordFromSearchText("  a  b c "), "a b c");
    EXPECT_EQ(RequestUrl::keywordFromSearchText("a\tb"), "a\tb"); // only U+0020 is a space here
    EXPECT_EQ(RequestUrl::build(B, 2, false, RequestUrl::keywordFromSearchText(" network  wireless ")),
              B + "page/2/?s=network+wireless");
    const std::pair<QString, QString> cases[] = {
        {"c#", "c%23"},
        {"a&b", "a%26b"},
        {"a+b", "a%2Bb"},
        {"a b+", "a+b%2B"},
        {"100%", "100%25"},
        {"what?", "what%3F"},
        {"a/b", "a%2Fb"},
        {"k=v", "k%3Dv"},
        {QString("a") + QChar(0x01) + "\t\n" + QChar(0x7f), "a%01%09%0A%7F"},
        {QString::fromUtf8("café"), "caf%C3%A9"},
        {QString::fromUtf8("€"), "%E2%82%AC"},
        {"Arrow-left_2.0", "Arrow-left_2.0"},
        {"abcxyzABCXYZ0189", "abcxyzABCXYZ0189"}};
    for (const auto& [keyword, encoded] : cases)
        EXPECT_EQ(RequestUrl::encodeKeyword(keyword), encoded) << keyword.toStdString();
}

TEST(ThumbnailCache, OnlySafeNamesAreStoredAndAStoreReplacesTheFile)
{
    for (const QString& bad :
         {QString(), QString("."), QString(".."), QString("a/b"), QString("a\\b"),
          QString("x") + QChar(0x01) + ".png", QString("nl\n.png"), QString("del") + QChar(0x7f),
          QString(201, 'a'), QString(101, QChar(0xe9))}) // 101 x "é" is 202 UTF-8 bytes
        EXPECT_FALSE(ThumbnailCache::isSafeName(bad)) << bad.toStdString();
    for (const QString& good :
         {QString("201605arrow-150x150.png"), QString(200, 'a'), QString(100, QChar(0xe9)), QString("...png"),
          QString(".hidden"), QString("a%2Fb.png"), QString("with space.png")})
        EXPECT_TRUE(ThumbnailCache::isSafeName(good)) << good.toStdString();
    QTemporaryDir root;
    ThumbnailCache cache(root.path());
    cache.clear();
    const QString a = root.filePath(ThumbnailCache::kFolderName + "/a.png");
    EXPECT_EQ(cache.store("a.png", "first content"), a);
    EXPECT_EQ(cache.store("a.png", "2nd"), a);
    QFile f(a);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly) && f.readAll() == "2nd");
    f.close();
    EXPECT_TRUE(cache.store("a.png", QByteArray()).isEmpty()); // an empty answer removes the old file
    QString error;
    for (const char* bad : {"../escape.png", "..", "CACHEDIR.TAG"}) { // the tag stays the client's
        EXPECT_TRUE(cache.store(bad, "xx", &error).isEmpty());
        EXPECT_EQ(error, QStringLiteral("\"%1\" is not a usable file name").arg(bad));
    }
    EXPECT_EQ(QDir(cache.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{ThumbnailCache::kTagName});
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{ThumbnailCache::kFolderName});
}
