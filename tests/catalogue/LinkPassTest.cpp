#include "catalogue/LinkPass.h"

#include <gtest/gtest.h>

namespace {
const QString B = QStringLiteral("http://127.0.0.1:8123/");
// "YYYY/MM/DD/" after the base: the name starts at character len(base) + 12.
const int kTitleStart = int(B.size()) + 12;

// Runs the link pass from `count` on; returns the new records as "link title" ("~" for the base).
std::string pass(const QStringList& links, std::vector<IconRecord>& records, int& count)
{
    const int first = count;
    LinkPass::run(links, records, count, kTitleStart);
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
    // The years 2013 to 2017 count anywhere in the link; a link shorter than the title start
    // still gives a record, with an empty title.
    EXPECT_EQ(pass({B, B + "?s=arrow", B + "2012/01/01/old/", B + "2018/01/01/new/", B + "2013/01/01/a/",
                    B + "2017/12/31/b/", B + "tag/x-2015-y", B + "2020/01/01/icon-2016-pack/", "http://h/2016",
                    "201 5"}),
              "~2013/01/01/a/ a | ~2017/12/31/b/ b | ~tag/x-2015-y y | ~2020/01/01/icon-2016-pack/ icon, 2016, pack | "
              "http://h/2016 ");
}

TEST(LinkPass, TitleRule)
{
    // Up to the last "/" when there is one after the name, to the end when there is none; inner "/" removed.
    EXPECT_EQ(LinkPass::titleFromLink(B + "2016/05/12/mail-open", kTitleStart), "mail, open");
    EXPECT_EQ(LinkPass::titleFromLink(B + "2016/05/12/a-b/c/", kTitleStart), "a, bc");
    EXPECT_EQ(LinkPass::titleFromLink(B + "2016/05/12/", kTitleStart), "");
}

TEST(LinkPass, LaterPagesAppendAndOverwriteSurplusRecords)
{
    std::vector<IconRecord> records;
    int count = 0;
    pass({B + "2016/01/01/one/", B + "2016/01/01/two/", B + "2016/01/01/three/"}, records, count);
    records[0].thumbFile = "one.png";
    EXPECT_EQ(pass({B + "2015/01/01/four/"}, records, count), "~2015/01/01/four/ four");
    EXPECT_EQ(records[0].thumbFile, "one.png");  // earlier records kept
    // Only 3 thumbnails were stored: the next page starts at index 3 and its records replace the
    // surplus ones entirely (no thumbnail name or geometry left over).
    records[3].thumbFile = "stale.png";
    records[3].imageWidth = 77;
    count = 3;
    EXPECT_EQ(pass({B + "2014/01/01/six/"}, records, count), "~2014/01/01/six/ six");
    EXPECT_TRUE(records[3].thumbFile.isEmpty());
    EXPECT_EQ(records[3].imageWidth, 0);
    EXPECT_EQ(pass({B, B + "page/3"}, records, count), "");  // nothing accepted: nothing changes
    EXPECT_EQ(count, 4);
}

TEST(LinkPass, FileNameFromUrl)
{
    const std::pair<QString, QString> cases[] = {
        {"http://h/wp-content/uploads/2016/05/201605arrow-150x150.png", "201605arrow-150x150.png"},
        {"plainname.png", "plainname.png"}, {"a/b/c", "c"}, {"http://h/dir/", ""}, {"/", ""}, {"", ""}};
    for (const auto& [url, name] : cases)
        EXPECT_EQ(FileNameFromUrl(url), name) << url.toStdString();
}
