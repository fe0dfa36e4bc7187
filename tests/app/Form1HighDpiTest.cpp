// Run on a screen scaled twice (1600 x 900 logical pixels at a device pixel ratio of 2); see
// pictomine_test's HIGH_DPI.
#include "MainWindowTest.h"

#include "app/Form2.h"
#include "app/PictureBox.h"
#include "controls/CtlLayers.h"
#include "support/WaitFor.h"

#include <QLabel>

namespace
{
// Aligned 2 x 2 blocks whose four pixels are not all the same. A picture drawn at 1x and doubled
// has none; one drawn afresh at 2x has them along every slanted edge and glyph stem.
int finerThanDoubled(const QImage& image, const QRect& area)
{
    int blocks = 0;
    for (int y = area.top() & ~1; y + 1 <= area.bottom(); y += 2)
        for (int x = area.left() & ~1; x + 1 <= area.right(); x += 2) {
            const QRgb a = image.pixel(x, y);
            blocks +=
                a != image.pixel(x + 1, y) || a != image.pixel(x, y + 1) || a != image.pixel(x + 1, y + 1);
        }
    return blocks;
}

QImage doubled(const QImage& image)
{
    return image.scaled(image.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage physical(QWidget* w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class Form1HighDpi : public MainWindowTest
{
protected:
    void SetUp() override
    {
        open("http://127.0.0.1:9/", "arrow#1\r\n");
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_EQ(window->devicePixelRatioF(), 2.0) << "run on the scaled screen";
        WAIT_UNTIL(window->client().lastRequestUrl() == SiteAddress::base(), kBoundMs);
    }
};
} // namespace

TEST_F(Form1HighDpi, SurfacesAreDrawnAtTheRatioInLogicalGeometry)
{
    // The same logical layout as at 1x.
    EXPECT_EQ(window->geometry(), QRect(0, 0, 1600, 860));
    EXPECT_EQ(window->menuPanel()->geometry(), QRect(0, 105, 249, 755));
    EXPECT_EQ(window->gridViewport()->geometry(), QRect(249, 122, 1334, 738));

    // Every backing image holds twice the logical pixels and says so.
    PictureBox* search = window->searchButton();
    EXPECT_EQ(std::pair(search->surface().size(), search->surface().devicePixelRatio()),
              std::pair(QSize(130, 82), 2.0));
    CtlLayers* list = window->menuPanel();
    EXPECT_EQ(std::pair(list->surface().size(), list->surface().devicePixelRatio()),
              std::pair(QSize(498, 1510), 2.0));
    EXPECT_EQ(std::pair(list->backBuffer().size(), list->backBuffer().devicePixelRatio()),
              std::pair(QSize(600, 1204), 2.0));
    Form2* busy = window->busyWindow();
    busy->drawNextFrame();
    EXPECT_EQ(std::pair(busy->surface().size(), busy->surface().devicePixelRatio()),
              std::pair(busy->size() * 2, 2.0));
}

TEST_F(Form1HighDpi, TheLogoAndTheCategoryCaptionsAreDrawnAfreshNotPixelDoubled)
{
    // The top rows of the list: "Animal Icons", "Arrow Icons", "Business Icons".
    const QImage list = physical(window->menuPanel());
    ASSERT_EQ(list.size(), QSize(498, 1510));
    const QRect captions(80, 0, 300, 180);
    EXPECT_GT(finerThanDoubled(list, captions), 200);
    // The measure sees through a doubled picture: the same captions at 1x, doubled, have none.
    const QImage oneX = list.scaled(list.size() / 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_EQ(finerThanDoubled(doubled(oneX), captions), 0);

    const QImage logo = physical(window->logo());
    ASSERT_EQ(logo.size(), QSize(100, 100));
    EXPECT_GT(finerThanDoubled(logo, logo.rect()), 50);

    const QImage loadMore = physical(window->loadMorePanel());
    EXPECT_GT(finerThanDoubled(loadMore, loadMore.rect()), 50) << "the Load More caption";
}
