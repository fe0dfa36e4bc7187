#include "catalogue/KeywordList.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList keywordsOf(const KeywordList& list)
{
    QStringList out;
    for (const KeywordEntry& e : list.entries())
        out << e.keyword;
    return out;
}
} // namespace

TEST(KeywordList, LoadsGoodLinesAndSkipsBadOnes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("GoodLuck.txt");
    writeFile(path, "arrow#3\r\nno hash here\r\nflag#1\r\nbad#count\r\nmail#\r\nhome#2#extra\r\n"
                    "big#99999\r\narrow left#1\nlast#7");
    KeywordList list;
    list.LoadKeywords(path);
    ASSERT_EQ(keywordsOf(list), (QStringList{"arrow", "flag", "home", "arrow left", "last"}));
    EXPECT_EQ(list.entries()[0].count, 3);
    EXPECT_EQ(list.entries()[2].count, 2);
    EXPECT_EQ(list.entries()[4].count, 7);
    EXPECT_EQ(list.saveCount(), 5);

    // Reloading replaces, it does not append.
    list.LoadKeywords(path);
    EXPECT_EQ(list.entries().size(), 5u);
}

TEST(KeywordList, MissingFileIsAnEmptyListAndIsNeverCreated)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("GoodLuck.txt");
    KeywordList list;
    list.LoadKeywords(path);
    EXPECT_TRUE(list.entries().empty());
    EXPECT_EQ(list.saveCount(), 0);
    list.record("arrow");
    EXPECT_FALSE(list.SaveKeywords(path));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(KeywordList, RecordAndSaveWritesCrLfLinesIncludingTheEmptySearch)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("GoodLuck.txt");
    writeFile(path, "arrow#3\r\n");
    KeywordList list;
    list.LoadKeywords(path);
    list.record("");            // front-page query
    list.record("arrow left");  // spaces kept
    EXPECT_EQ(list.saveCount(), 3);
    EXPECT_EQ(list.entries()[1].count, 1);
    ASSERT_TRUE(list.SaveKeywords(path));
    EXPECT_EQ(readFile(path), QByteArray("arrow#3\r\n#1\r\narrow left#1\r\n"));

    // What was written reads back the same.
    KeywordList again;
    again.LoadKeywords(path);
    EXPECT_EQ(keywordsOf(again), (QStringList{"arrow", "", "arrow left"}));
}

TEST(KeywordList, RingKeepsTenEntriesOverwritingTheOldest)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("GoodLuck.txt");
    writeFile(path, "");
    KeywordList list;
    list.LoadKeywords(path);
    for (int i = 1; i <= 10; ++i)
        list.record("k" + QString::number(i));
    EXPECT_EQ(list.saveCount(), 10);
    list.record("k11");  // overwrites k1
    list.record("k12");  // overwrites k2
    EXPECT_EQ(list.saveCount(), 10);
    ASSERT_EQ(list.entries().size(), 10u);
    EXPECT_EQ(list.entries()[0].keyword, "k11");
    EXPECT_EQ(list.entries()[1].keyword, "k12");
    EXPECT_EQ(list.entries()[2].keyword, "k3");
    EXPECT_EQ(list.entries()[9].keyword, "k10");
    for (int i = 13; i <= 30; ++i)
        list.record("k" + QString::number(i));
    ASSERT_TRUE(list.SaveKeywords(path));
    const QList<QByteArray> lines = readFile(path).split('\n');
    // Ten lines plus the empty text after the final line break.
    EXPECT_EQ(lines.size(), 11);
    // The ten newest recordings survive.
    QStringList kept = keywordsOf(list);
    kept.sort();
    QStringList expected;
    for (int i = 21; i <= 30; ++i)
        expected << "k" + QString::number(i);
    expected.sort();
    EXPECT_EQ(kept, expected);
}

TEST(KeywordList, LoadedFullListWritesAtMostTenAfterRecording)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("GoodLuck.txt");
    QByteArray text;
    for (int i = 0; i < 12; ++i)
        text += "w" + QByteArray::number(i) + "#1\r\n";
    writeFile(path, text);
    KeywordList list;
    list.LoadKeywords(path);
    list.record("fresh");
    EXPECT_EQ(list.saveCount(), 10);
    ASSERT_TRUE(list.SaveKeywords(path));
    const QByteArray written = readFile(path);
    EXPECT_EQ(written.count('\n'), 10);
    EXPECT_TRUE(written.contains("fresh#1\r\n"));
}

TEST(KeywordList, PickDrawsOnlyAmongEntriesWithAKeyword)
{
    KeywordList list;
    EXPECT_TRUE(list.PickLuckyKeyword().isEmpty());  // empty list

    double r = 0.0;
    list.setRandomSource([&r]() { return r; });
    list.record("");
    EXPECT_TRUE(list.PickLuckyKeyword().isEmpty());  // only an empty search recorded

    list.record("first");
    list.record("");
    list.record("middle");
    list.record("last");
    list.record("");
    r = 0.0;
    EXPECT_EQ(list.PickLuckyKeyword(), "first");
    r = 0.99;
    EXPECT_EQ(list.PickLuckyKeyword(), "last");
    r = 0.5;  // 0.5 * 2 = 1 -> the middle candidate
    EXPECT_EQ(list.PickLuckyKeyword(), "middle");
    r = 0.24;  // 0.48 rounds to 0
    EXPECT_EQ(list.PickLuckyKeyword(), "first");
    r = 0.26;  // 0.52 rounds to 1
    EXPECT_EQ(list.PickLuckyKeyword(), "middle");

    // The default source draws from the list too.
    KeywordList plain;
    plain.record("only");
    EXPECT_EQ(plain.PickLuckyKeyword(), "only");
}
