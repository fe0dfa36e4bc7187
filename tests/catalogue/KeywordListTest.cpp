#include "catalogue/KeywordList.h"
#include "support/FullDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace
{
class KeywordFile : public ::testing::Test
{
protected:
    void write(const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    QByteArray read() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QByteArray lines(const char* prefix, int from, int to) // "<prefix><n>#1" CR LF, n = from..to
    {
        QByteArray text;
        for (int i = from; i <= to; ++i)
            text += prefix + QByteArray::number(i) + "#1\r\n";
        return text;
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("GoodLuck.txt");
    KeywordList list;
};
} // namespace

TEST_F(KeywordFile, LinesReadBackAsWrittenWithCrLfAndOddCountsAsOne)
{
    write("arrow#3\r\nno hash here\r\nflag#1\r\nbad#count\r\nc##1\r\nhome#2#extra\r\nbig#99999\r\narrow "
          "left#1\nlast#7\r\n\r\n");
    list.loadKeywords(path);
    list.loadKeywords(path); // reloading replaces, it does not append
    list.record("");         // the front-page search
    list.record("mail box");
    ASSERT_TRUE(list.saveKeywords(path));
    // A keyword is cut at its first "#"; a count that is no 16-bit number counts 1.
    EXPECT_EQ(read(),
              "arrow#3\r\nflag#1\r\nbad#1\r\nc#1\r\nhome#2\r\nbig#1\r\narrow left#1\r\nlast#7\r\n#1\r\n"
              "mail box#1\r\n");
    KeywordList again; // "#1" reads back as the empty search
    again.loadKeywords(path);
    EXPECT_TRUE(again.entries().size() == 10 && again.entries()[8].keyword.isEmpty());

    QFile::remove(path); // a missing file is an empty list and is never created
    list.loadKeywords(path);
    EXPECT_TRUE(list.entries().empty());
    list.record("arrow");
    EXPECT_FALSE(list.saveKeywords(path));
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(KeywordFile, TheRingOfTenKeepsTheNewestAcrossRestarts)
{
    write("");
    list.loadKeywords(path);
    for (int i = 1; i <= 23; ++i)
        list.record("k" + QString::number(i));
    ASSERT_TRUE(list.saveKeywords(path));
    EXPECT_EQ(read(), lines("k", 14, 23)); // oldest first
    for (int restart = 0; restart < 3; ++restart) {
        KeywordList next;
        next.loadKeywords(path);
        next.record("r" + QString::number(restart) + "a");
        next.record("r" + QString::number(restart) + "b");
        ASSERT_TRUE(next.saveKeywords(path));
    }
    EXPECT_EQ(read(), lines("k", 20, 23) + "r0a#1\r\nr0b#1\r\nr1a#1\r\nr1b#1\r\nr2a#1\r\nr2b#1\r\n");

    // A loaded list longer than ten writes back the ten newest after a recording.
    write(lines("w", 0, 11));
    list.loadKeywords(path);
    list.record("fresh");
    ASSERT_TRUE(list.saveKeywords(path));
    EXPECT_EQ(read(), lines("w", 1, 9) + "fresh#1\r\n");
}

TEST_F(KeywordFile, PickDrawsOnlyAmongEntriesWithAKeyword)
{
    EXPECT_TRUE(list.pickLuckyKeyword().isEmpty()); // empty list
    double r = 0.0;
    list.setRandomSource([&r] { return r; });
    list.record("");
    EXPECT_TRUE(list.pickLuckyKeyword().isEmpty()); // only an empty search recorded
    for (const QString k : {"first", "", "middle", "last", ""})
        list.record(k);
    // The draw times 2 rounded to the nearest of the three candidates: 0.48 -> 0, 0.52 -> 1, 1.98 -> 2.
    QStringList picks;
    for (double draw : {0.0, 0.24, 0.26, 0.5, 0.99}) {
        r = draw;
        picks << list.pickLuckyKeyword();
    }
    EXPECT_EQ(picks.join(' '), "first first middle middle last");
}

TEST_F(KeywordFile, OnlyTheWholeLinesOfTheLastPartOfAHugeFileAreRead)
{
    // 16-byte lines: the part read starts exactly at a line, which is kept; one byte later, that
    // line is cut and dropped.
    QByteArray text;
    for (int i = 0; i < 10000; ++i)
        text += "k" + QByteArray::number(i).rightJustified(11, '0') + "#1\r\n";
    const qsizetype lineBytes = 16, keptLines = KeywordList::kMaxReadBytes / lineBytes;
    ASSERT_EQ(text.size(), 10000 * lineBytes);
    // Both reads hold 4,096 entries: the last 4,096 lines, or the last 4,095 and "z".
    for (const auto& [extra, first] : {std::pair{QByteArray(), 10000 - keptLines},
                                       std::pair{QByteArray("z#1\r\n"), 10000 - keptLines + 1}}) {
        write(text + extra);
        list.loadKeywords(path);
        ASSERT_EQ(qsizetype(list.entries().size()), keptLines);
        EXPECT_EQ(list.entries().front().keyword, "k" + QString::number(first).rightJustified(11, '0'));
        EXPECT_EQ(list.entries().back().keyword, extra.isEmpty() ? "k00000009999" : "z");
    }
}

TEST_F(KeywordFile, ALinkIsReplacedNotWrittenThrough)
{
    const QString outside = dir.filePath("elsewhere.txt");
    {
        QFile f(outside);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("not yours#1\r\n") > 0);
    }
    ASSERT_TRUE(QFile::link(outside, path));
    list.loadKeywords(path); // reading through it is harmless
    list.record("arrow");
    ASSERT_TRUE(list.saveKeywords(path));
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_EQ(read(), "not yours#1\r\narrow#1\r\n");
    QFile f(outside);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "not yours#1\r\n");
}

TEST(KeywordFullDisk, TheOldListIsKeptAndTheFailureSaid)
{
    FULL_DISK_CASE(disk);
    const QString path = disk.filePath("GoodLuck.txt");
    ASSERT_TRUE(disk.writer().write({path}, "arrow#3\r\nflag#1\r\n"));
    KeywordList list;
    list.loadKeywords(path);
    list.record("cat");
    disk.fill();
    QString error;
    EXPECT_FALSE(list.saveKeywords(path, disk.writer(), &error));
    EXPECT_EQ(error, "Cannot write " + path + ": " + QString::fromLocal8Bit(std::strerror(ENOSPC)));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "arrow#3\r\nflag#1\r\n");
    EXPECT_EQ(QDir(disk.folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"GoodLuck.txt"});
    disk.free();
    EXPECT_TRUE(list.saveKeywords(path, disk.writer(), &error));
}
