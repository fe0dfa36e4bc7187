#include "platform/FileWriter.h"
#include "platform/AtomicFile.h"
#include "support/FullDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace
{

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
}

// A writer whose one step fails, as a disk reporting an error late (at the sync or the close)
// or a rename refused.
class StepFailure : public FileWriter
{
public:
    enum Step { None, Write, Sync, Close, Rename } failing = None;
    int calls[5] = {};
    ssize_t writeAt(int fd, const char* data, size_t size, off_t offset) override
    {
        return fails(Write) ? -1 : FileWriter::writeAt(fd, data, size, offset);
    }
    int syncFile(int fd) override { return fails(Sync) ? -1 : FileWriter::syncFile(fd); }
    int closeFile(int fd) override
    {
        // The descriptor goes whatever close() says.
        const int closed = FileWriter::closeFile(fd);
        return fails(Close) ? -1 : closed;
    }
    int renameFile(const char* from, const char* to) override
    {
        return fails(Rename) ? -1 : FileWriter::renameFile(from, to);
    }

private:
    bool fails(Step step)
    {
        ++calls[step];
        errno = EIO;
        return failing == step;
    }
};

} // namespace

TEST(FileWriter, ReplacesWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("temp16.png");
    FileWriter& files = FileWriter::system();
    QString error;
    ASSERT_TRUE(files.write({path, FileWriter::Sync::Cached}, "first", &error)) << error.toStdString();
    // A reader holding the old file keeps reading it whole: the new one is renamed into place.
    QFile held(path);
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    ASSERT_TRUE(files.write({path}, QByteArray(100000, 'x'), &error)) << error.toStdString();
    EXPECT_EQ(held.readAll(), "first");
    EXPECT_EQ(contents(path), QByteArray(100000, 'x'));
    // A new file gets the usual mode for the umask; a replaced one keeps its own.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    struct stat info {
    };
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(files.write({path}, "again"));
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    // A streamed file is random access (encoders seek back to fill in sizes) and replaces the
    // target only at its commit.
    const auto file = files.create({path});
    ASSERT_TRUE(file->begin());
    ASSERT_EQ(file->write("abcdef"), 6);
    ASSERT_TRUE(file->seek(2) && file->write("XY") == 2 && file->seek(0));
    EXPECT_EQ(file->read(3), "abX");
    EXPECT_EQ(file->size(), 6);
    EXPECT_EQ(contents(path), "again");
    ASSERT_TRUE(file->commit());
    EXPECT_EQ(contents(path), "abXYef");

    // Failures say why and leave nothing behind: a folder in the way, a missing folder.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.png"));
    EXPECT_FALSE(files.write({dir.filePath("taken.png")}, "x", &error));
    EXPECT_TRUE(error.startsWith("Cannot write " + dir.filePath("taken.png") + ": ")) << error.toStdString();
    EXPECT_FALSE(files.write({dir.filePath("missing/temp16.png")}, "x", &error));
    EXPECT_EQ(entries(dir.path()), QStringList({"taken.png", "temp16.png"}));
}

TEST(FileWriter, AFailedStepKeepsTheOldFileByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("GoodLuck.txt");
    ASSERT_TRUE(FileWriter::system().write({path}, "arrow#1\r\n"));
    StepFailure files;
    for (auto step : {StepFailure::Write, StepFailure::Sync, StepFailure::Close, StepFailure::Rename}) {
        files.failing = step;
        QString error;
        EXPECT_FALSE(files.write({path}, "flag#1\r\n", &error)) << step;
        EXPECT_EQ(error, "Cannot write " + path + ": " + QString::fromLocal8Bit(std::strerror(EIO))) << step;
        EXPECT_EQ(contents(path), "arrow#1\r\n") << step;
        EXPECT_EQ(entries(dir.path()), QStringList{"GoodLuck.txt"}) << step;
    }
    // A cache file skips the sync; a cancelled or abandoned one leaves nothing.
    files.failing = StepFailure::None;
    const int syncs = files.calls[StepFailure::Sync];
    ASSERT_TRUE(files.write({path, FileWriter::Sync::Cached}, "flag#1\r\n"));
    EXPECT_EQ(files.calls[StepFailure::Sync], syncs);
    {
        const auto file = files.create({path});
        ASSERT_TRUE(file->begin() && file->write("x") == 1);
        file->cancel();
        const auto abandoned = files.create({path});
        ASSERT_TRUE(abandoned->begin() && abandoned->write("y") == 1);
    }
    EXPECT_EQ(contents(path), "flag#1\r\n");
    EXPECT_EQ(entries(dir.path()), QStringList{"GoodLuck.txt"});
}

TEST(FileWriter, LinksAreReplacedInsideAndFollowedWhereTheUserChose)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("app/Downloads") && QDir(dir.path()).mkdir("elsewhere"));
    const QString outside = dir.filePath("elsewhere/precious.txt");
    ASSERT_TRUE(FileWriter::system().write({outside}, "keep me"));
    const QString link = dir.filePath("app/GoodLuck.txt");
    const QString dangling = dir.filePath("app/Downloads/icon.png");
    ASSERT_TRUE(QFile::link(outside, link));
    ASSERT_TRUE(QFile::link(dir.filePath("elsewhere/new.png"), dangling));

    // Replace: the link itself becomes the file; nothing is written where it led.
    ASSERT_TRUE(FileWriter::system().write({link}, "arrow#1\r\n"));
    ASSERT_TRUE(FileWriter::system().write({dangling}, "png"));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_FALSE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(contents(link), "arrow#1\r\n");
    EXPECT_EQ(contents(outside), "keep me");
    EXPECT_EQ(entries(dir.filePath("elsewhere")), QStringList{"precious.txt"});

    // Follow: a path the user chose leads where its links lead, through a chain and to a new file.
    const QString chosen = dir.filePath("chosen.png"), hop = dir.filePath("hop.png");
    ASSERT_TRUE(QFile::link(outside, hop) && QFile::link(hop, chosen));
    ASSERT_TRUE(
        FileWriter::system().write({chosen, FileWriter::Sync::Durable, FileWriter::Links::Follow}, "new"));
    EXPECT_TRUE(QFileInfo(chosen).isSymLink() && QFileInfo(hop).isSymLink());
    EXPECT_EQ(contents(outside), "new");
    const QString toNew = dir.filePath("to-new.png");
    ASSERT_TRUE(QFile::link(dir.filePath("elsewhere/made.png"), toNew));
    ASSERT_TRUE(
        FileWriter::system().write({toNew, FileWriter::Sync::Durable, FileWriter::Links::Follow}, "made"));
    EXPECT_EQ(contents(dir.filePath("elsewhere/made.png")), "made");
}

TEST(FileWriter, AFullDiskFailsTheWriteAndKeepsTheOldFile)
{
    FULL_DISK_CASE(disk);
    const QString path = disk.filePath("dest.bmp");
    FileWriter& files = disk.writer();
    ASSERT_TRUE(files.write({path}, "old contents"));
    for (qint64 room : {qint64(0), qint64(8192)}) {
        disk.fill(room);
        for (auto sync : {FileWriter::Sync::Durable, FileWriter::Sync::Cached}) {
            QString error;
            EXPECT_FALSE(files.write({path, sync}, QByteArray(256 * 1024, 'n'), &error)) << room;
            EXPECT_TRUE(error.endsWith(QString::fromLocal8Bit(std::strerror(ENOSPC)))) << error.toStdString();
            EXPECT_EQ(contents(path), "old contents");
            EXPECT_EQ(entries(disk.folder()), QStringList{"dest.bmp"});
        }
        disk.free();
    }
    ASSERT_TRUE(files.write({path}, QByteArray(256 * 1024, 'n')));
    EXPECT_EQ(contents(path), QByteArray(256 * 1024, 'n'));
}
