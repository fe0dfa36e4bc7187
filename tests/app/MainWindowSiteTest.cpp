#include "MainWindowTest.h"

#include "app/BusyWindow.h"
#include "controls/LayerListWidget.h"
#include "controls/Scrollbar.h"
#include "grid/IconGrid.h"
#include "grid/IconTile.h"
#include "support/SiteProcess.h"
#include "support/WaitFor.h"

#include <QImageReader>
#include <QLineEdit>
#include <QPointer>

namespace
{
// The main window against the stand-in catalogue, after its first page has come in.
class MainWindowSite : public MainWindowTest
{
protected:
    void SetUp() override { openOnFirstPage(site); }

    SiteProcess site{{"--synthetic", "400"}};
};
} // namespace

TEST_F(MainWindowSite, KeysAndTheWheelScrollByRowsAndLoadMoreKeepsThePosition)
{
    IconGrid* grid = window->iconGrid();
    Scrollbar* bar = window->scrollbar();
    const int max = bar->maximum();
    // With the Load More panel up, the last row can scroll clear of it.
    QWidget* panel = window->loadMorePanel();
    EXPECT_EQ(max, grid->height() + panel->height() - window->gridViewport()->height());
    ASSERT_GT(max, 200); // 30 results are more than one row taller than any viewport here

    // The search box has the focus and no use for these keys: they scroll the grid, a page by the
    // whole rows the viewport holds.
    QLineEdit* search = window->searchBar();
    ASSERT_EQ(window->focusWidget(), search);
    const int page = window->gridViewport()->height() / 200 * 200;
    ASSERT_GE(page, 400);
    QTest::keyClick(search, Qt::Key_PageDown);
    EXPECT_EQ(grid->y(), -std::min(page, max));
    QTest::keyClick(search, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->y(), -max);
    QTest::keyClick(search, Qt::Key_PageUp);
    EXPECT_EQ(grid->y(), -std::max(max - page, 0));
    QTest::keyClick(search, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid->y(), 0);

    // The wheel: away from the user at the top nothing moves; only vertical movement scrolls (a
    // sideways wheel or tilt leaves the grid where it is); toward the user one row per notch.
    turnWheel(grid, 120);
    for (const QPoint sideways : {QPoint(-120, 0), QPoint(120, 0), QPoint(-15, 0)})
        turnWheel(grid->tile(2), sideways);
    EXPECT_EQ(grid->y(), 0);
    turnWheel(grid, QPoint(-120, -120)); // diagonal: its vertical part counts
    EXPECT_EQ(grid->y(), -200);
    turnWheel(grid->tile(3), -15); // any delta
    EXPECT_EQ(grid->y(), -qMin(400, max));
    // At the bottom the last notch stops at the end of the range, and further ones change nothing.
    for (int notch = 0; notch * 200 <= max + 200; ++notch)
        turnWheel(grid, -120);
    EXPECT_EQ(std::pair(grid->y(), bar->value()), std::pair(-max, max));

    // The Load More panel slides in flush with the viewport's bottom edge, and the last row lies
    // above it, where the pointer reaches its tiles.
    const int restingTop = window->gridViewport()->height() - panel->height();
    WAIT_UNTIL(panel->y() == restingTop, kBoundMs);
    for (int k = 24; k < 30; ++k) {
        IconTile* tile = grid->tile(k);
        EXPECT_LT(tile->mapTo(window->gridViewport(), QPoint(0, tile->height() - 1)).y(), restingTop) << k;
        const QPoint strip = tile->mapTo(window.get(), QPoint(tile->width() / 2, tile->height() - 5));
        EXPECT_TRUE(tile->isAncestorOf(window->childAt(strip)) || window->childAt(strip) == tile) << k;
    }
    click(window->loadMoreCaption(), QPoint(10, 8));
    EXPECT_TRUE(window->client().lastRequestUrl().endsWith("page/2"));
    WAIT_UNTIL(window->client().resultList().size() == 60, kBoundMs);
    WAIT_UNTIL(!window->client().isLoading(), kBoundMs);
    // The appended rows come below; the rows the user was looking at stay where they were.
    EXPECT_EQ(std::pair(bar->value(), grid->y()), std::pair(max, -max));
    EXPECT_GT(bar->maximum(), max);
    WAIT_UNTIL(panel->y() == restingTop, kBoundMs);

    // Keys the search box uses stay its own.
    QTest::keyClicks(search, "ab");
    QTest::keyClick(search, Qt::Key_PageDown);
    QTest::keyClick(search, Qt::Key_Home);
    QTest::keyClick(search, Qt::Key_X);
    EXPECT_EQ(std::pair(search->text(), grid->y()),
              std::pair(QString("xab"), -std::min(max + page, bar->maximum())));
}

TEST_F(MainWindowSite, HoverRaisesAStripAndTheDownloadButtonSavesTheFullSizeIcon)
{
    IconTile* fifth = window->iconGrid()->tile(5);
    QTest::mouseMove(fifth, QPoint(20, 20));
    WAIT_UNTIL(fifth->strip().isActive(), kBoundMs);
    // A release on a tile is the tile's own, not the grid background's (which hides the list).
    click(fifth, QPoint(30, 30));
    EXPECT_TRUE(window->menuPanel()->isVisible());

    const QString target = home.filePath("saved.gif");
    dialogs.saveAnswer = target;
    click(fifth->downloadButton(), QPoint(8, 8));
    // The busy window shows at once, owned by the main window and not modal.
    EXPECT_TRUE(window->busyWindow()->isVisible());
    EXPECT_EQ(window->busyWindow()->parentWidget(), window.get());
    EXPECT_FALSE(window->busyWindow()->isModal());
    WAIT_UNTIL(QFile::exists(target), kBoundMs);
    EXPECT_FALSE(window->busyWindow()->isVisible());
    EXPECT_TRUE(fifth->iconDownloaded());
    // The full-size icon went out as a GIF of its size.
    EXPECT_EQ(QImageReader(target).format(), "gif");
    EXPECT_EQ(QImageReader(target).size(), QSize(512, 512));
    WAIT_EQ(pointer.shape(), BusyPointer::Shape::Default, kBoundMs);

    // The licence button hands the tile's post link to the window's shell.
    QTest::mouseMove(fifth, QPoint(20, 20));
    WAIT_UNTIL(!fifth->strip().isRevealing(), kBoundMs);
    click(fifth->licenseButton(), QPoint(8, 8));
    EXPECT_EQ(shell.opened, QStringList{window->client().records().at(5).postLink});
}

TEST_F(MainWindowSite, ChildWidgetsAreTornDownWhileTheWindowsMembersStillLive)
{
    // Every child's connections reach the window's members (the client, the scroll model): each
    // child must be gone before them.
    QPointer<CatalogueClient> client(&window->client());
    int children = 0, withClient = 0;
    for (QObject* child : window->children())
        QObject::connect(child, &QObject::destroyed, [&] {
            ++children;
            withClient += !client.isNull();
        });
    const qsizetype before = window->children().size();
    window.reset();
    EXPECT_EQ(std::pair(qsizetype(children), qsizetype(withClient)), std::pair(before, before));
    EXPECT_GE(before, 8);
    EXPECT_TRUE(client.isNull());
}
