#include "catalogue/LinkPass.h"

#include <gtest/gtest.h>

namespace {
const QString B = QStringLiteral("http://127.0.0.1:8123/");
// "YYYY/MM/DD/" after the base: the name starts at character len(base) + 12.
const int kTitleStart = int(B.size()) + 12;

QString post(const QString& datedName)
{
    return B + datedName;
}

std::vector<IconRecord> pass(const QStringList& links, int& count)
{
    std::vector<IconRecord> records;
    LinkPass::run(links, records, count, kTitleStart);
    return records;
}
} // namespace

TEST(LinkPass, ConsecutiveDuplicatesMakeOneRecordAndRepeatsLaterMakeAnother)
{
    const QString a = post("2016/05/12/arrow-left-icon/");
    const QString b = post("2014/01/02/home/");
    int count = 0;
    // Thumbnail link + title link of a, then b twice, then a again.
    auto records = pass({a, a, b, b, a}, count);
    ASSERT_EQ(count, 3);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].postLink, a);
    EXPECT_EQ(records[1].postLink, b);
    EXPECT_EQ(records[2].postLink, a);

    // A link without a year between two identical post links does not break the pair.
    count = 0;
    records = pass({a, B + "about/", a, B + "page/2"}, count);
    EXPECT_EQ(count, 1);
    ASSERT_EQ(records.size(), 1u);

    // The comparison is case-sensitive.
    count = 0;
    records = pass({a, a.toUpper()}, count);
    EXPECT_EQ(count, 2);
}

TEST(LinkPass, OnlyLinksWithAPostYearAreAccepted)
{
    int count = 0;
    const QStringList links{
        B, B + "page/2", B + "?s=arrow", B + "2012/01/01/old/", B + "2018/01/01/new/",
        B + "2013/01/01/a/", B + "2017/12/31/b/", B + "tag/x-2015-y",  // year anywhere
        B + "2020/01/01/icon-2016-pack/",                                // year in the name part only
    };
    auto records = pass(links, count);
    ASSERT_EQ(count, 4);
    EXPECT_EQ(records[0].postLink, B + "2013/01/01/a/");
    EXPECT_EQ(records[1].postLink, B + "2017/12/31/b/");
    EXPECT_EQ(records[2].postLink, B + "tag/x-2015-y");
    EXPECT_EQ(records[3].title, "icon, 2016, pack");
    EXPECT_TRUE(LinkPass::isPostLink("x2014x"));
    EXPECT_FALSE(LinkPass::isPostLink("201 5"));
}

TEST(LinkPass, TitleRule)
{
    EXPECT_EQ(LinkPass::titleFromLink(post("2016/05/12/arrow-left-icon/"), kTitleStart), "arrow, left, icon");
    EXPECT_EQ(LinkPass::titleFromLink(post("2016/05/12/home/"), kTitleStart), "home");
    // Without the closing "/" the name is still taken up to the end.
    EXPECT_EQ(LinkPass::titleFromLink(post("2016/05/12/mail-open"), kTitleStart), "mail, open");
    // Slashes inside the tail are removed.
    EXPECT_EQ(LinkPass::titleFromLink(post("2016/05/12/a-b/c/"), kTitleStart), "a, bc");
    // A link shorter than the title start gives an empty title but still a record.
    int count = 0;
    auto records = pass({"http://h/2016"}, count);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(records[0].title, "");
    EXPECT_EQ(records[0].postLink, "http://h/2016");
    // A link exactly as long as the date prefix has no name.
    EXPECT_EQ(LinkPass::titleFromLink(B + "2016/05/12/", kTitleStart), "");
}

TEST(LinkPass, LaterPagesAppendAndOverwriteSurplusRecords)
{
    int count = 0;
    std::vector<IconRecord> records;
    LinkPass::run({post("2016/01/01/one/"), post("2016/01/01/two/"), post("2016/01/01/three/")}, records, count,
                  kTitleStart);
    ASSERT_EQ(count, 3);
    records[0].thumbFile = "one.png";

    LinkPass::run({post("2015/01/01/four/"), post("2015/01/01/five/")}, records, count, kTitleStart);
    ASSERT_EQ(count, 5);
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0].thumbFile, "one.png");  // earlier records kept
    EXPECT_EQ(records[3].title, "four");
    EXPECT_EQ(records[4].title, "five");

    // Only 3 thumbnails were stored: the next page starts at index 3 and its records replace the
    // surplus ones entirely (no thumbnail name or geometry left over).
    records[3].thumbFile = "stale.png";
    records[3].imageWidth = 77;
    records[4].thumbFile = "stale2.png";
    count = 3;
    LinkPass::run({post("2014/01/01/six/")}, records, count, kTitleStart);
    EXPECT_EQ(count, 4);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[3].title, "six");
    EXPECT_TRUE(records[3].thumbFile.isEmpty());
    EXPECT_EQ(records[3].imageWidth, 0);

    // A page without accepted links leaves everything as it was.
    LinkPass::run({B, B + "page/3"}, records, count, kTitleStart);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(records.size(), 4u);
}

TEST(LinkPass, FileNameFromUrl)
{
    EXPECT_EQ(FileNameFromUrl("http://h/wp-content/uploads/2016/05/201605arrow-150x150.png"),
              "201605arrow-150x150.png");
    EXPECT_EQ(FileNameFromUrl("plainname.png"), "plainname.png");
    EXPECT_EQ(FileNameFromUrl("http://h/dir/"), "");
    EXPECT_EQ(FileNameFromUrl(""), "");
    EXPECT_EQ(FileNameFromUrl("/"), "");
    EXPECT_EQ(FileNameFromUrl("a/b/c"), "c");
}
