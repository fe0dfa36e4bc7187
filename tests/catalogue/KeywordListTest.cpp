#include "catalogue/KeywordList.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

TEST_F(KeywordFile, BadLinesSkippedRecordingsWrittenBackWithCrLfInARingOfTen)
{
    write("arrow#3\r\nno hash here\r\nflag#1\r\nbad#count\r\nmail#\r\nhome#2#extra\r\nbig#99999\r\narrow "
          "left#1\nlast#7");
    list.LoadKeywords(path);
    list.LoadKeywords(path); // reloading replaces, it does not append
    list.record("");         // the front-page search
    list.record("mail box");
    ASSERT_TRUE(list.SaveKeywords(path));
    EXPECT_EQ(read(), "arrow#3\r\nflag#1\r\nhome#2\r\narrow left#1\r\nlast#7\r\n#1\r\nmail box#1\r\n");
    KeywordList again; // "#1" reads back as the empty search
    again.LoadKeywords(path);
    EXPECT_TRUE(again.entries().size() == 7 && again.entries()[5].keyword.isEmpty());

    QFile::remove(path); // a missing file is an empty list and is never created
    list.LoadKeywords(path);
    EXPECT_TRUE(list.entries().empty());
    list.record("arrow");
    EXPECT_FALSE(list.SaveKeywords(path));
    EXPECT_FALSE(QFile::exists(path));

    // Once full, a ring of ten overwrites the oldest.
    write("");
    list.LoadKeywords(path);
    for (int i = 1; i <= 30; ++i)
        list.record("k" + QString::number(i));
    ASSERT_TRUE(list.SaveKeywords(path));
    EXPECT_EQ(read(), lines("k", 21, 30));

    // A loaded list longer than ten writes back at most ten lines after a recording.
    write(lines("w", 0, 11));
    list.LoadKeywords(path);
    list.record("fresh");
    ASSERT_TRUE(list.SaveKeywords(path));
    EXPECT_EQ(read(), "fresh#1\r\n" + lines("w", 1, 9));
}

TEST_F(KeywordFile, PickDrawsOnlyAmongEntriesWithAKeyword)
{
    EXPECT_TRUE(list.PickLuckyKeyword().isEmpty()); // empty list
    double r = 0.0;
    list.setRandomSource([&r] { return r; });
    list.record("");
    EXPECT_TRUE(list.PickLuckyKeyword().isEmpty()); // only an empty search recorded
    for (const QString k : {"first", "", "middle", "last", ""})
        list.record(k);
    // The draw times 2 rounded to the nearest of the three candidates: 0.48 -> 0, 0.52 -> 1, 1.98 -> 2.
    QStringList picks;
    for (double draw : {0.0, 0.24, 0.26, 0.5, 0.99}) {
        r = draw;
        picks << list.PickLuckyKeyword();
    }
    EXPECT_EQ(picks.join(' '), "first first middle middle last");
}
