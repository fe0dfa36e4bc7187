#include "catalogue/ThumbnailCache.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ThumbnailCache, SafeNamesStayInsideTheFolder)
{
    for (const QString& bad : {QString(), QString("."), QString(".."), QString("a/b"), QString("a\\b"),
                               QString("../x.png"), QString("x") + QChar(0x01) + ".png", QString("tab\t.png"),
                               QString("nl\n.png"), QString("del") + QChar(0x7f), QString(201, 'a')})
        EXPECT_FALSE(ThumbnailCache::isSafeName(bad)) << bad.toStdString();
    // Multi-byte characters count as their UTF-8 bytes: 101 x "é" is 202 bytes.
    EXPECT_FALSE(ThumbnailCache::isSafeName(QString(101, QChar(0xe9))));
    EXPECT_TRUE(ThumbnailCache::isSafeName(QString(100, QChar(0xe9))));
    for (const QString& good : {QString("201605arrow-150x150.png"), QString(200, 'a'), QString("...png"),
                                QString(".hidden"), QString("a%2Fb.png"), QString("with space.png")})
        EXPECT_TRUE(ThumbnailCache::isSafeName(good)) << good.toStdString();
}

TEST(ThumbnailCache, StoreReplacesTheFileAndRefusesUnsafeOrEmpty)
{
    QTemporaryDir root;
    QDir(root.path()).mkdir("Icons");
    const QString folder = root.filePath("Icons");
    ThumbnailCache cache(folder);

    const QString path = cache.store("a.png", "first content");
    EXPECT_EQ(path, folder + "/a.png");
    EXPECT_EQ(cache.store("a.png", "2nd"), path);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("2nd"));
    f.close();

    // An empty answer removes the old file and stores nothing.
    EXPECT_TRUE(cache.store("a.png", QByteArray()).isEmpty());
    EXPECT_FALSE(QFile::exists(path));

    EXPECT_TRUE(cache.store("../escape.png", "xx").isEmpty());
    EXPECT_TRUE(cache.store("..", "xx").isEmpty());
    EXPECT_FALSE(QFile::exists(root.filePath("escape.png")));
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Icons"});

    // A missing folder: nothing stored, no crash.
    ThumbnailCache missing(root.filePath("NoSuchFolder"));
    EXPECT_TRUE(missing.store("b.png", "xx").isEmpty());
}

TEST(ThumbnailCache, DeletePngsKeepsOtherFiles)
{
    QTemporaryDir root;
    const QString folder = root.path();
    ThumbnailCache cache(folder);
    for (const char* name : {"a.png", "b.png", "keep.jpg", "keep.png.txt", "notes", "png"})
        ASSERT_FALSE(cache.store(QString::fromLatin1(name), "data").isEmpty());
    QDir(folder).mkdir("sub.png");  // a folder is not a cached thumbnail
    cache.deletePngs();
    QStringList left = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    left.sort();
    EXPECT_EQ(left, (QStringList{"keep.jpg", "keep.png.txt", "notes", "png", "sub.png"}));
    cache.deletePngs();  // nothing to delete is fine
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 5);
}
