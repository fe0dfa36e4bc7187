#include "app/Form1.h"
#include "app/Form2.h"
#include "controls/ucScrollbar.h"
#include "export/IconDownloadFlow.h"
#include "grid/IconGrid.h"
#include "grid/IconsOLE.h"
#include "platform/AppPaths.h"
#include "platform/SiteAddress.h"
#include "support/ScriptedDialogs.h"
#include "support/SiteProcess.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {
constexpr int kBoundMs = 30000;

int cachedThumbnails()
{
    return int(QDir(AppPaths::icons()).entryList({"*.png"}, QDir::Files).size());
}

void turnWheel(QWidget* over, int delta)
{
    const QPointF at(over->width() / 2.0, over->height() / 2.0);
    QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &wheel);
}

void click(QWidget* w, QPoint at)
{
    QTest::mousePress(w, Qt::LeftButton, {}, at);
    QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}

// The main window against the stand-in catalogue, after its first page has come in.
class Form1Site : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
        ASSERT_TRUE(home.isValid());
        AppPaths::setRoot(home.path());
        AppPaths::ensureLayout();
        QFile keywords(AppPaths::goodLuck());
        ASSERT_TRUE(keywords.open(QIODevice::WriteOnly));
        keywords.write("flag#2\r\n");
        keywords.close();
        ASSERT_TRUE(SiteAddress::setBase(site.baseUrl()));
        window = std::make_unique<Form1>();
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(window->client().resultList().size() == 30 && !window->client().isLoading(),
                                 kBoundMs);
    }
    void TearDown() override
    {
        window.reset();
        AppPaths::setRoot(QString());
    }

    SiteProcess site{{"--synthetic", "400"}};
    ScriptedDialogs dialogs;
    QTemporaryDir home;
    std::unique_ptr<Form1> window;
};
} // namespace

TEST_F(Form1Site, WheelScrollsByRowsLoadMoreAppendsAPageAndCloseWritesTheKeywords)
{
    IconGrid* grid = window->iconGrid();
    ucScrollbar* bar = window->scrollbar();
    ASSERT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->Max(), grid->height() - window->gridViewport()->height());
    EXPECT_EQ(cachedThumbnails(), 30);

    // Away from the user at the top: nothing moves. Toward the user: one row per notch, any delta.
    turnWheel(grid, 120);
    EXPECT_EQ(bar->Value(), 0);
    turnWheel(grid, -120);
    EXPECT_EQ(bar->Value(), 200);
    EXPECT_EQ(grid->y(), -200);
    turnWheel(grid->tile(3), -15);
    EXPECT_EQ(grid->y(), -qMin(400, bar->Max()));
    turnWheel(grid, 120);
    turnWheel(grid, 120);
    EXPECT_EQ(grid->y(), 0);

    // The Load More panel slides in flush with the viewport's bottom edge.
    QWidget* panel = window->loadMorePanel();
    const int restingTop = window->gridViewport()->height() - panel->height();
    QTRY_COMPARE_WITH_TIMEOUT(panel->y(), restingTop, kBoundMs);
    click(window->loadMoreCaption(), QPoint(10, 8));
    EXPECT_TRUE(window->client().lastRequestUrl().endsWith("page/2"));
    QTRY_VERIFY_WITH_TIMEOUT(window->client().resultList().size() == 60 && !window->client().isLoading(),
                             kBoundMs);
    EXPECT_EQ(cachedThumbnails(), 60);
    QTRY_COMPARE_WITH_TIMEOUT(panel->y(), restingTop, kBoundMs);

    window->close();
    QFile keywords(AppPaths::goodLuck());
    ASSERT_TRUE(keywords.open(QIODevice::ReadOnly));
    EXPECT_EQ(keywords.readAll(), QByteArray("flag#2\r\n#1\r\n"));
}

TEST_F(Form1Site, HoverRaisesOneStripAndTheDownloadButtonSavesTheFullSizeIcon)
{
    IconGrid* grid = window->iconGrid();
    IconsOLE* third = grid->tile(3);
    IconsOLE* fifth = grid->tile(5);
    QTest::mouseMove(third, QPoint(20, 20));
    QTRY_COMPARE_WITH_TIMEOUT(grid->lastHovered(), 3, kBoundMs);
    QTest::mouseMove(fifth, QPoint(20, 20));
    QTRY_COMPARE_WITH_TIMEOUT(grid->lastHovered(), 5, kBoundMs);
    QTRY_VERIFY_WITH_TIMEOUT(fifth->strip().isActive() && !third->strip().isActive(), kBoundMs);

    const QString target = home.filePath("saved.gif");
    dialogs.saveAnswer = target;
    QWidget* download = fifth->downloadButton();
    QTRY_VERIFY_WITH_TIMEOUT(download->isVisible(), kBoundMs);
    click(download, QPoint(8, 8));
    EXPECT_TRUE(window->busyWindow()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(target), kBoundMs);
    EXPECT_FALSE(window->busyWindow()->isVisible());
    EXPECT_TRUE(fifth->iconDownloaded());
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked.first().startsWith("save:Open File..."));
    // The full-size icon came into Downloads and went out as a GIF of its size.
    EXPECT_TRUE(QFile::exists(window->downloadFlow()->downloadPath()));
    EXPECT_EQ(QImageReader(target).format(), "gif");
    EXPECT_EQ(QImageReader(target).size(), QSize(512, 512));
}
