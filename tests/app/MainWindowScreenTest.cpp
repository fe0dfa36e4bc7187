#include "MainWindowTest.h"

#include "controls/Scrollbar.h"
#include "grid/IconGrid.h"
#include "grid/IconTile.h"
#include "support/SiteProcess.h"
#include "support/WaitFor.h"

#include <QLineEdit>
#include <QScreen>

namespace
{
// The main window with a page of results, on a screen whose size and work area the test changes
// as xrandr and a panel would.
class MainWindowScreen : public MainWindowTest
{
protected:
    void SetUp() override { openOnFirstPage(site); }
    // The screen becomes `screen` with the work area `work`; the platform says so.
    void changeScreen(const QRect& screen, const QRect& work)
    {
        screens.overrideScreen(screen);
        screens.overrideWorkArea(work);
        Q_EMIT QGuiApplication::primaryScreen()->availableGeometryChanged(work);
    }
    QRect placed(QWidget* w) const { return QRect(w->mapTo(window.get(), QPoint(0, 0)), w->size()); }

    SiteProcess site{{"--synthetic", "400"}};
};
} // namespace

TEST_F(MainWindowScreen, TheWindowRefitsAndTheGridReflowsKeepingTheTopRowInView)
{
    IconGrid* grid = window->iconGrid();
    ASSERT_EQ(grid->gridGeometry().columns(), 6);
    // Scrolled down a row: tile 6 starts the top row.
    window->scrollbar()->setValue(200);
    ASSERT_EQ(grid->y(), -200);

    changeScreen(QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 728));
    WAIT_EQ(window->geometry(), QRect(0, 0, 1024, 728), kBoundMs);
    EXPECT_EQ(placed(window->captionButton(1)), QRect(989, 8, 17, 17)) << "the close button on screen";
    EXPECT_EQ(placed(window->scrollbar()), QRect(1007, 122, 17, 606));
    // 758 pixels of grid: three columns of 252.67, step 253; every tile in its new cell.
    const GridGeometry& geometry = grid->gridGeometry();
    ASSERT_EQ(std::pair(geometry.columns(), geometry.cellStep()), std::pair(3, 253));
    for (int k = 0; k < 30; ++k)
        EXPECT_EQ(grid->tile(k)->geometry(), geometry.tileRect(k / 3, k % 3)) << k;
    EXPECT_EQ(grid->height(), 2000);
    // Tile 6 is now in row 2, which is at the top of the viewport.
    EXPECT_EQ(std::pair(grid->y(), window->scrollbar()->value()), std::pair(-400, 400));
    // The lines follow the new columns, and a thumbnail stays centred in its wider tile.
    const QImage lines = grid->surface();
    EXPECT_EQ(lines.pixel(253, 10), IconGrid::kLineColour);
    EXPECT_EQ(lines.pixel(222, 10), qRgb(255, 255, 255));
    EXPECT_NEAR(grid->tile(0)->imageRect().center().x(), 252 / 2.0, 1.0);

    // Moving the panel (the work area) alone refits the height.
    changeScreen(QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 700));
    WAIT_EQ(window->geometry(), QRect(0, 0, 1024, 700), kBoundMs);
}

TEST_F(MainWindowScreen, OnASmallScreenEveryToolbarControlStaysInsideAndTheGridKeepsAColumn)
{
    // 1600 x 900 at twice the scale: 800 x 450 logical pixels, 20 of them for the panel.
    changeScreen(QRect(0, 0, 800, 450), QRect(0, 0, 800, 430));
    WAIT_EQ(window->geometry(), QRect(0, 0, 800, 430), kBoundMs);
    const QRect inside = window->rect().adjusted(249, 0, 0, 0);
    for (QWidget* control : {static_cast<QWidget*>(window->searchBar()), window->goodLuckButton(),
                             window->menuButton(), window->captionButton(1), window->captionButton(2)})
        EXPECT_TRUE(inside.contains(placed(control))) << control->metaObject()->className();
    EXPECT_FALSE(placed(window->goodLuckButton()).intersects(placed(window->menuButton())));
    EXPECT_EQ(window->iconGrid()->gridGeometry().columns(), 2);

    // Smaller than the window can be: it stops at its minimum, with a column of tiles.
    changeScreen(QRect(0, 0, 400, 300), QRect(0, 0, 400, 300));
    WAIT_EQ(window->size(), window->minimumSize(), kBoundMs);
    EXPECT_EQ(window->minimumSize(), QSize(640, 400));
    EXPECT_EQ(window->iconGrid()->gridGeometry().columns(), 1);
    EXPECT_EQ(window->iconGrid()->tile(29)->geometry(), window->iconGrid()->gridGeometry().tileRect(29, 0));
}
