// Run on a screen scaled twice (1600 x 900 logical pixels at a device pixel ratio of 2); see
// pictomine_test's HIGH_DPI.
#include "MainWindowTest.h"

#include "app/BusyWindow.h"
#include "app/PictureBox.h"
#include "controls/LayerListWidget.h"
#include "controls/Scrollbar.h"
#include "support/WaitFor.h"

#include <QFileInfo>
#include <QLabel>
#include <QPainter>

namespace
{
// Aligned 2 x 2 blocks whose four pixels are not all the same. A picture drawn at 1x and doubled
// has none; one drawn afresh at 2x has them along every slanted edge and glyph stem.
int finerThanDoubled(const QImage& image)
{
    int blocks = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb a = image.pixel(x, y);
            blocks +=
                a != image.pixel(x + 1, y) || a != image.pixel(x, y + 1) || a != image.pixel(x + 1, y + 1);
        }
    return blocks;
}

class MainWindowHighDpi : public MainWindowTest
{
protected:
    void SetUp() override
    {
        open("http://127.0.0.1:9/", "arrow#1\r\n");
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_EQ(window->devicePixelRatioF(), 2.0) << "run on the scaled screen";
        WAIT_UNTIL(window->client().lastRequestUrl() == address.base(), kBoundMs);
    }
};
} // namespace

TEST_F(MainWindowHighDpi, SurfacesAreDrawnAtTheRatioInLogicalGeometry)
{
    // The same logical layout as at 1x.
    EXPECT_EQ(window->geometry(), QRect(0, 0, 1600, 860));
    EXPECT_EQ(window->gridViewport()->geometry(), QRect(249, 122, 1334, 738));

    // Every backing image holds twice the logical pixels and says so.
    PictureBox* search = window->searchButton();
    EXPECT_EQ(std::pair(search->surface().size(), search->surface().devicePixelRatio()),
              std::pair(QSize(130, 82), 2.0));
    // (The category list's surface and back buffer show in its captions below.)
    BusyWindow* busy = window->busyWindow();
    busy->drawNextFrame();
    EXPECT_EQ(std::pair(busy->surface().size(), busy->surface().devicePixelRatio()),
              std::pair(busy->size() * 2, 2.0));
}

TEST_F(MainWindowHighDpi, TheLogoAndTheCategoryCaptionsAreDrawnAfreshNotPixelDoubled)
{
    // The top rows of the list: "Animal Icons", "Arrow Icons", "Business Icons".
    const QImage list = shown(window->menuPanel());
    ASSERT_EQ(list.size(), QSize(498, 1510));
    EXPECT_GT(finerThanDoubled(list.copy(80, 0, 300, 180)), 200);
    const QImage logo = shown(window->logo());
    ASSERT_EQ(logo.size(), QSize(100, 100));
    EXPECT_GT(finerThanDoubled(logo), 50);
    EXPECT_GT(finerThanDoubled(shown(window->loadMorePanel())), 50) << "the Load More caption";
}

TEST_F(MainWindowHighDpi, TheSpinnerFramesAndTheScrollbarArrowsAreDrawnAtTheRatio)
{
    // The frames drawn at twice the size, as shipped beside the program.
    const QString shipped = QFileInfo(PICTOMINE_BIN).absolutePath();
    ASSERT_TRUE(QFileInfo::exists(shipped + "/Images/load1@2x.png"));
    BusyWindow* busy = window->busyWindow();
    busy->show();
    busy->drawNextFrame();
    const int drawn = (busy->frames().index() + SpinnerFrames::kFrames - 1) % SpinnerFrames::kFrames;
    QImage expected(64, 64, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    QImage frame(shipped + "/Images/load" + QString::number(drawn + 1) + "@2x.png");
    frame.setDevicePixelRatio(1.0); // pixel for pixel
    painter.drawImage(0, 0, frame);
    painter.end();
    const QImage surface = busy->surface().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int top = (busy->height() - BusyWindow::kSpinnerSize) / 2 * 2;
    QImage spinner = surface.copy(BusyWindow::kSpinnerLeft * 2, top, 64, 64);
    spinner.setDevicePixelRatio(1.0);
    int differing = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            differing += spinner.pixel(x, y) != expected.pixel(x, y);
    EXPECT_EQ(differing, 0) << "frame " << drawn + 1;
    busy->hide();

    // The arrow glyphs of the results scrollbar have steps of one screen pixel.
    const QImage bar = shown(window->scrollbar());
    EXPECT_GT(finerThanDoubled(bar.copy(0, 0, 34, 34)), 4) << "the up arrow";
    EXPECT_GT(finerThanDoubled(bar.copy(0, bar.height() - 34, 34, 34)), 4) << "the down arrow";
}
