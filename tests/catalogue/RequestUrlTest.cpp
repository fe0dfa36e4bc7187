#include "catalogue/CategoryTable.h"
#include "catalogue/RequestUrl.h"

#include <gtest/gtest.h>

namespace {
const QString B = QStringLiteral("http://127.0.0.1:8123/");
}

TEST(RequestUrl, FrontPageAndKeywordPages)
{
    EXPECT_EQ(RequestUrl::build(B, 1, true, ""), B);
    EXPECT_EQ(RequestUrl::build(B, 2, true, ""), B + "page/2");
    EXPECT_EQ(RequestUrl::build(B, 26, true, ""), B + "page/26");
    EXPECT_EQ(RequestUrl::build(B, 1, false, "arrow"), B + "?s=arrow");
    EXPECT_EQ(RequestUrl::build(B, 3, false, "arrow"), B + "page/3/?s=arrow");
    EXPECT_EQ(RequestUrl::build(B, 10, false, "flag"), B + "page/10/?s=flag");
    // The front page ignores any keyword left over.
    EXPECT_EQ(RequestUrl::build(B, 1, true, "stale"), B);
    // An empty keyword on a keyword search (a box of spaces only) still asks the search.
    EXPECT_EQ(RequestUrl::build(B, 1, false, ""), B + "?s=");
}

TEST(RequestUrl, SpacesAreRemovedFromTheSearchText)
{
    EXPECT_EQ(RequestUrl::keywordFromSearchText("arrow left"), "arrowleft");
    EXPECT_EQ(RequestUrl::keywordFromSearchText("  a  b c "), "abc");
    EXPECT_EQ(RequestUrl::keywordFromSearchText("   "), "");
    // Only U+0020 is a space here; a tab survives (and is then percent-encoded).
    EXPECT_EQ(RequestUrl::keywordFromSearchText("a\tb"), "a\tb");
    EXPECT_EQ(RequestUrl::build(B, 1, false, RequestUrl::keywordFromSearchText("arrow left")), B + "?s=arrowleft");
}

TEST(RequestUrl, KeywordIsEncodedSoItCannotChangeTheAddress)
{
    EXPECT_EQ(RequestUrl::encodeKeyword("c#"), "c%23");
    EXPECT_EQ(RequestUrl::encodeKeyword("a&b"), "a%26b");
    EXPECT_EQ(RequestUrl::encodeKeyword("a+b"), "a%2Bb");
    EXPECT_EQ(RequestUrl::encodeKeyword("100%"), "100%25");
    EXPECT_EQ(RequestUrl::encodeKeyword("what?"), "what%3F");
    EXPECT_EQ(RequestUrl::encodeKeyword("a/b"), "a%2Fb");
    EXPECT_EQ(RequestUrl::encodeKeyword("k=v"), "k%3Dv");
    EXPECT_EQ(RequestUrl::encodeKeyword(QString("a") + QChar(0x01) + "\t\n" + QChar(0x7f)), "a%01%09%0A%7F");
    // Non-ASCII text goes out as UTF-8 bytes.
    EXPECT_EQ(RequestUrl::encodeKeyword(QString::fromUtf8("café")), "caf%C3%A9");
    EXPECT_EQ(RequestUrl::encodeKeyword(QString::fromUtf8("€")), "%E2%82%AC");
    // Ordinary keywords are unchanged.
    EXPECT_EQ(RequestUrl::encodeKeyword("Arrow-left_2.0"), "Arrow-left_2.0");
    EXPECT_EQ(RequestUrl::encodeKeyword("abcxyzABCXYZ0189"), "abcxyzABCXYZ0189");
    EXPECT_EQ(RequestUrl::build(B, 2, false, "c#&x"), B + "page/2/?s=c%23%26x");
}

TEST(CategoryTable, TwentyRowsInMenuOrder)
{
    ASSERT_EQ(CategoryTable::kCount, 20);
    const char* slugs[] = {"mobile", "medical", "shop", "security", "network", "music", "map",
                           "build", "holiday", "game", "food", "flag", "file", "electronic",
                           "education", "computer", "cloth", "business", "arrow", "animal"};
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(CategoryTable::slug(i), QString::fromLatin1(slugs[i])) << i;
        EXPECT_TRUE(CategoryTable::caption(i).endsWith(" Icons")) << i;
    }
    EXPECT_EQ(CategoryTable::caption(0), "Mobile Icons");
    EXPECT_EQ(CategoryTable::caption(2), "Shopping Icons");
    EXPECT_EQ(CategoryTable::caption(6), "Map & Navigation Icons");
    EXPECT_EQ(CategoryTable::caption(15), "Computer & Hardware Icons");
    EXPECT_EQ(CategoryTable::caption(16), "Clothes Icons");
    EXPECT_EQ(CategoryTable::caption(19), "Animal Icons");
    for (int bad : {-1, 20, 1000}) {
        EXPECT_FALSE(CategoryTable::isValidIndex(bad));
        EXPECT_TRUE(CategoryTable::slug(bad).isEmpty());
        EXPECT_TRUE(CategoryTable::caption(bad).isEmpty());
    }
}
