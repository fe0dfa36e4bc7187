// The window on a full disk: thumbnails still make their tiles, the window says once that they are
// not cached, and the keyword list written at closing keeps its earlier content.
#include "MainWindowTest.h"

#include "grid/IconGrid.h"
#include "platform/BusyPointer.h"
#include "platform/UserSettings.h"
#include "support/FullDisk.h"
#include "support/RecordingShell.h"
#include "support/ScriptedDialogs.h"
#include "support/SiteProcess.h"
#include "support/WaitFor.h"

#include <QLabel>

#include <cstring>

TEST(MainWindowFullDisk, TilesComeFromMemoryTheWindowSaysSoOnceAndTheKeywordsStay)
{
    FULL_DISK_CASE(disk);
    SiteProcess site({"--synthetic", "400"});
    ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
    SiteAddress address;
    ASSERT_TRUE(address.setBase(site.baseUrl()));
    const AppPaths paths(disk.filePath("home"));
    paths.ensureLayout();
    const QByteArray keywords = "flag#2\r\n";
    ASSERT_TRUE(disk.writer().write({paths.goodLuck()}, keywords));
    ScreenInfo screens;
    const UserSettings settings(disk.filePath("pictomine.conf"));
    screens.overrideWorkArea(QRect(0, 0, 1600, 860));
    disk.fill();

    ScriptedDialogs dialogs;
    RecordingShell shell(dialogs);
    BusyPointer pointer;
    RecordingClipboard clipboard;
    auto window = std::make_unique<MainWindow>(
        WindowServices{paths, address, shell, pointer, clipboard, dialogs, screens, settings, disk.writer()});
    window->show();
    WAIT_UNTIL(window->client().resultList().size() == 30 && !window->client().isLoading(), kBoundMs);
    EXPECT_EQ(window->iconGrid()->tileCount(), 30);
    QLabel* notice = window->cacheNotice();
    ASSERT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), "Thumbnails are shown but not kept in the cache: " +
                                  QString::fromLocal8Bit(std::strerror(ENOSPC)) + ".");
    // A strip across the top of the grid, in front of the tiles, in its warning colour.
    EXPECT_EQ(notice->geometry(), QRect(0, 0, window->gridViewport()->width(), notice->height()));
    const QImage shown =
        window->grab(QRect(notice->mapTo(window.get(), QPoint(2, 2)), QSize(1, 1))).toImage();
    EXPECT_EQ(shown.pixelColor(0, 0).rgb(), qRgb(255, 243, 205));
    EXPECT_TRUE(QDir(window->client().cache().folder()).entryList({"*.png"}, QDir::Files).isEmpty());

    // With room again, the next search takes the notice away and its thumbnails are cached.
    disk.free();
    window->startQuery();
    EXPECT_FALSE(notice->isVisible());
    WAIT_UNTIL(!window->client().isLoading() && window->client().resultList().size() == 30, kBoundMs);
    EXPECT_FALSE(notice->isVisible());
    EXPECT_EQ(QDir(window->client().cache().folder()).entryList({"*.png"}, QDir::Files).size(), 30);

    // Closing on a full disk keeps the earlier keyword list byte for byte.
    disk.fill();
    window.reset();
    QFile file(paths.goodLuck());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), keywords);
}
