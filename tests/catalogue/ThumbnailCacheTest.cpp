#include "catalogue/ThumbnailCache.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ThumbnailCache, SafeNamesStayInsideTheFolder)
{
    for (const QString& bad : {QString(), QString("."), QString(".."), QString("a/b"), QString("a\\b"),
                               QString("x") + QChar(0x01) + ".png", QString("nl\n.png"), QString("del") + QChar(0x7f),
                               QString(201, 'a'), QString(101, QChar(0xe9))})  // 101 x "é" is 202 UTF-8 bytes
        EXPECT_FALSE(ThumbnailCache::isSafeName(bad)) << bad.toStdString();
    for (const QString& good : {QString("201605arrow-150x150.png"), QString(200, 'a'), QString(100, QChar(0xe9)),
                                QString("...png"), QString(".hidden"), QString("a%2Fb.png"), QString("with space.png")})
        EXPECT_TRUE(ThumbnailCache::isSafeName(good)) << good.toStdString();
}

TEST(ThumbnailCache, StoreReplacesTheFileAndRefusesUnsafeOrEmpty)
{
    QTemporaryDir root;
    const QString folder = root.filePath("Icons");
    ASSERT_TRUE(QDir(root.path()).mkdir("Icons"));
    ThumbnailCache cache(folder);
    EXPECT_EQ(cache.store("a.png", "first content"), folder + "/a.png");
    EXPECT_EQ(cache.store("a.png", "2nd"), folder + "/a.png");
    QFile f(folder + "/a.png");
    EXPECT_TRUE(f.open(QIODevice::ReadOnly) && f.readAll() == "2nd");
    f.close();
    EXPECT_TRUE(cache.store("a.png", QByteArray()).isEmpty());  // an empty answer removes the old file
    EXPECT_TRUE(cache.store("../escape.png", "xx").isEmpty());
    EXPECT_TRUE(cache.store("..", "xx").isEmpty());
    EXPECT_TRUE(QDir(folder).isEmpty());
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Icons"});
    EXPECT_TRUE(ThumbnailCache(root.filePath("NoSuchFolder")).store("b.png", "xx").isEmpty());
}
