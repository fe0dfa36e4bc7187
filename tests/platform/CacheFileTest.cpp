#include "platform/CacheFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(CacheFile, ReplacesWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("temp16.png");
    QString error;
    ASSERT_TRUE(CacheFile::write(path, "first", &error)) << error.toStdString();
    // A reader holding the old file keeps reading it whole: the new one is renamed into place.
    QFile held(path);
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    ASSERT_TRUE(CacheFile::write(path, QByteArray(100000, 'x'), &error)) << error.toStdString();
    EXPECT_EQ(held.readAll(), "first");
    QFile now(path);
    ASSERT_TRUE(now.open(QIODevice::ReadOnly));
    EXPECT_EQ(now.readAll(), QByteArray(100000, 'x'));
    // A new file gets the usual mode for the umask, not a temporary file's 0600.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    struct stat info {
    };
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);

    // Failures say why and leave nothing behind: a folder in the way, a missing folder.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.png"));
    EXPECT_FALSE(CacheFile::write(dir.filePath("taken.png"), "x", &error));
    EXPECT_TRUE(error.contains("taken.png")) << error.toStdString();
    EXPECT_FALSE(CacheFile::write(dir.filePath("missing/temp16.png"), "x", &error));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"taken.png", "temp16.png"}));
}
