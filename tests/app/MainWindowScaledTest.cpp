// Run at every common desktop scale (1.25, 1.5, 1.75 and 2) on a screen of 1600 x 900 logical
// pixels; see pictomine_test's HIGH_DPI.
#include "MainWindowTest.h"

#include "grid/IconGrid.h"
#include "support/SiteProcess.h"
#include "support/WaitFor.h"

#include <QScreen>

#include <cmath>

namespace
{
class MainWindowScaled : public MainWindowTest
{
protected:
    void SetUp() override
    {
        openOnFirstPage(site);
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_GT(window->devicePixelRatioF(), 1.0) << "run on a scaled screen";
    }
    SiteProcess site{{"--synthetic", "400"}};
};
} // namespace

TEST_F(MainWindowScaled, EveryColumnBoundaryIsDrawnBesideTheTiles)
{
    IconGrid* grid = window->iconGrid();
    const qreal ratio = window->devicePixelRatioF();
    const int step = grid->gridGeometry().cellStep();
    // What the screen got: the window's backing store, where the tiles were painted over the grid.
    window->repaint();
    const QWidget* viewport = window->gridViewport();
    const QRect area(viewport->mapTo(window.get(), QPoint(0, 0)), viewport->size());
    const QImage view =
        window->screen()
            ->grabWindow(window->winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32)
            .copy(QRectF(QRectF(area).topLeft() * ratio, QRectF(area).size() * ratio).toRect());
    ASSERT_NEAR(view.width(), viewport->width() * ratio, 1.0);
    const QRgb line = IconGrid::kLineColour & 0xFFFFFF;
    // The headless screen's grab holds the window's first width x height device pixels: the
    // columns left of that are looked at.
    const int grabbed = std::min(grid->width(), int(window->width() / ratio) - area.left());
    ASSERT_GT(grabbed, 2 * step);
    // Along a row of tiles, a little below the top of the first and of the second row.
    for (const int y : {20, 220}) {
        const int row = int(std::lround(y * ratio));
        for (int x = step; x < grabbed; x += step) {
            const int at = int(std::floor(x * ratio));
            bool drawn = false;
            for (int dx = -1; dx <= 1; ++dx)
                drawn = drawn || (view.pixel(at + dx, row) & 0xFFFFFF) == line;
            EXPECT_TRUE(drawn) << "boundary at x = " << x << ", y = " << y;
            // Between the boundaries the tiles are white.
            EXPECT_EQ(view.pixel(int((x - step / 2) * ratio), row), qRgb(255, 255, 255));
        }
    }
}
