// Exports on a full disk: every format fails, says why and leaves the file it was to replace.
#include "export/ExportCommand.h"
#include "export/IconDownloadFlow.h"
#include "platform/AppPaths.h"
#include "platform/BusyPointer.h"
#include "platform/HeldHttpServer.h"
#include "platform/SiteAddress.h"
#include "platform/UserSettings.h"
#include "support/FullDisk.h"
#include "support/ScriptedDialogs.h"
#include "support/WaitFor.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cstring>

namespace
{

constexpr int kWaitMs = 60000;
const char* const kFormats[] = {"png", "jpg", "bmp", "tif", "gif", "ico"};

// Noise, so that every format's file is far larger than the room left on the disk.
QImage noise(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000u);
    return image;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

struct Outcome {
    int status = -1;
    QString errors;
};

// The real program on a real full disk; on injected failures, the same command in this process.
Outcome exportTo(FullDisk& disk, const QString& home, const QString& source, const QString& destination)
{
    if (disk.mode() == FullDisk::Mode::Tmpfs) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PICTOMINE_HOME", home);
        process.setProcessEnvironment(env);
        process.start(PICTOMINE_BIN, {"--export", source, destination});
        if (!process.waitForFinished(kWaitMs))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    }
    QString text;
    QTextStream errors(&text);
    const int status = ExportCommand::run(source, destination, AppPaths(home), errors, disk.writer());
    return {status, text};
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

TEST(ExportFullDisk, EveryFormatFailsSaysWhyAndKeepsTheEarlierFile)
{
    FULL_DISK_CASE(disk);
    const QString home = disk.filePath("home"), source = disk.filePath("source.png");
    ASSERT_TRUE(QDir().mkpath(home + "/Sizes") && QFile(home + "/GoodLuck.txt").open(QIODevice::WriteOnly));
    ASSERT_TRUE(noise(300, 260).save(source));
    ASSERT_TRUE(QFile(home + "/Sizes/temp256.png").open(QIODevice::WriteOnly));
    for (const char* format : kFormats) {
        QFile earlier(disk.filePath(QStringLiteral("dest.%1").arg(format)));
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly) && earlier.write(QByteArray("earlier ") + format) > 0);
    }
    const QStringList before = entries(disk.folder());
    const QString reason = QString::fromLocal8Bit(std::strerror(ENOSPC));
    // No room at all, and room for the start of each file only.
    for (qint64 room : {qint64(0), qint64(64 * 1024)}) {
        disk.fill(room);
        for (const char* format : kFormats) {
            const QString destination = disk.filePath(QStringLiteral("dest.%1").arg(format));
            const Outcome outcome = exportTo(disk, home, source, destination);
            EXPECT_EQ(outcome.status, 1) << format << " with room " << room;
            // The image libraries may have their say first; the program's own line ends it.
            EXPECT_EQ(outcome.errors.trimmed().split('\n').last().toStdString(),
                      ("pictomine: Cannot write " + destination + ": " + reason).toStdString());
            EXPECT_EQ(contents(destination), QByteArray("earlier ") + format);
            EXPECT_EQ(entries(disk.folder()), before) << "no temporary file is left";
        }
        // A Sizes file is the earlier one or a complete new one, never a cut one.
        EXPECT_EQ(contents(home + "/Sizes/temp256.png"), "");
        for (const QString& name : entries(home + "/Sizes"))
            EXPECT_TRUE(name == "temp256.png" || !QImage(home + "/Sizes/" + name).isNull())
                << name.toStdString();
        disk.free();
    }
    // With room again, every format is written: the failures above came from the full disk.
    for (const char* format : kFormats) {
        const QString destination = disk.filePath(QStringLiteral("dest.%1").arg(format));
        EXPECT_EQ(exportTo(disk, home, source, destination).status, 0) << format;
        EXPECT_FALSE(QImage(destination).isNull()) << format;
    }
}

// A tile's download and save on a full disk: each failure is a message, and no file is left cut.
TEST(ExportFullDisk, TheDownloadAndTheSaveFlowSayTheDiskIsFull)
{
    FULL_DISK_CASE(disk);
    const AppPaths paths(disk.filePath("app"));
    paths.ensureLayout();
    HeldHttpServer server;
    SiteAddress site;
    ASSERT_TRUE(site.setBase(server.url("/")));
    QByteArray icon;
    QBuffer buffer(&icon);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && noise(200, 200).save(&buffer, "PNG"));
    server.autoAnswer = [icon](const QByteArray&) { return std::pair{200, icon}; };
    ScriptedDialogs dialogs;
    BusyPointer pointer;
    const UserSettings settings(disk.filePath("pictomine.conf"));
    IconDownloadFlow flow{dialogs, pointer, disk.writer(), paths, site, settings, nullptr};
    const QString reason = QString::fromLocal8Bit(std::strerror(ENOSPC));

    // The download cannot be stored: a message, no file, no save dialog.
    disk.fill();
    flow.start("201511ab-150x150.png");
    WAIT_EQ(dialogs.asked.size(), 1, kWaitMs);
    EXPECT_TRUE(dialogs.asked[0].startsWith("inform:Pictomine|The icon could not be stored.") &&
                dialogs.asked[0].endsWith(reason + "."))
        << dialogs.asked[0].toStdString();
    EXPECT_TRUE(entries(paths.downloads()).isEmpty());
    EXPECT_FALSE(flow.isPolling());

    // Stored with room (the save dialog cancelled), then saved over an earlier file on a full disk.
    disk.free();
    flow.start("201511ab-150x150.png");
    WAIT_EQ(dialogs.asked.size(), 2, kWaitMs);
    ASSERT_EQ(contents(flow.downloadPath()), icon);
    const QString destination = disk.filePath("saved.png");
    ASSERT_TRUE(QFile(destination).open(QIODevice::WriteOnly));
    dialogs.saveAnswer = destination;
    dialogs.confirmAnswer = true;
    disk.fill();
    flow.start("201511ab-150x150.png");
    WAIT_EQ(dialogs.asked.size(), 5, kWaitMs);
    EXPECT_EQ(dialogs.asked[4], "inform:Pictomine|Cannot write " + destination + ": " + reason);
    EXPECT_EQ(contents(destination), "");
    EXPECT_EQ(entries(disk.folder()), QStringList({"app", "saved.png"}));
}
