#include "catalogue/RequestUrl.h"

#include <gtest/gtest.h>

namespace {
const QString B = QStringLiteral("http://127.0.0.1:8123/");
}

TEST(RequestUrl, FrontPageAndKeywordPages)
{
    // The client's tests run these through StartQuery and Load More; here the rest of the table.
    EXPECT_EQ(RequestUrl::build(B, 1, true, "stale"), B);  // the front page ignores a keyword left over
    EXPECT_EQ(RequestUrl::build(B, 26, true, ""), B + "page/26");
    EXPECT_EQ(RequestUrl::build(B, 10, false, "c#&x"), B + "page/10/?s=c%23%26x");
}

TEST(RequestUrl, SpacesAreRemovedAndTheKeywordIsEncodedSoItCannotChangeTheAddress)
{
    EXPECT_EQ(RequestUrl::keywordFromSearchText("  a  b c "), "abc");
    EXPECT_EQ(RequestUrl::keywordFromSearchText("a\tb"), "a\tb");  // only U+0020 is a space here
    const std::pair<QString, QString> cases[] = {
        {"c#", "c%23"}, {"a&b", "a%26b"}, {"a+b", "a%2Bb"}, {"100%", "100%25"}, {"what?", "what%3F"},
        {"a/b", "a%2Fb"}, {"k=v", "k%3Dv"}, {QString("a") + QChar(0x01) + "\t\n" + QChar(0x7f), "a%01%09%0A%7F"},
        {QString::fromUtf8("café"), "caf%C3%A9"}, {QString::fromUtf8("€"), "%E2%82%AC"},
        {"Arrow-left_2.0", "Arrow-left_2.0"}, {"abcxyzABCXYZ0189", "abcxyzABCXYZ0189"}};
    for (const auto& [keyword, encoded] : cases)
        EXPECT_EQ(RequestUrl::encodeKeyword(keyword), encoded) << keyword.toStdString();
}
