#include "grid/IconsOLE.h"

#include "platform/Shell.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {
// An asymmetric picture: red left half, blue right half, a green top row.
QImage twoHalves(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, y == 0 ? qRgb(0, 255, 0) : x < w / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    return img;
}

bool waitFor(const std::function<bool()>& condition, int ms = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

struct OpenerCapture {
    QStringList opened;
    OpenerCapture() { Shell::setOpener([this](const QString& a) { opened << a; }); }
    ~OpenerCapture() { Shell::setOpener({}); }
};
} // namespace

TEST(IconsOLE, DrawIconDrawsRoundedRectangleAndKeepsItsOwnCopy)
{
    IconsOLE tile;
    tile.resize(219, 200);
    EXPECT_TRUE(tile.isLoadingShown());
    EXPECT_EQ(tile.surface().pixel(0, 0), qRgb(255, 255, 255));

    {
        QImage picture = twoHalves(20, 10);
        // 2.5 -> 2, 3.5 -> 4: halves go to the even neighbour.
        tile.DrawIcon(picture, 2.5f, 3.5f, 40.f, 20.f);
        picture.fill(Qt::black);  // the caller's image changes (or goes) after the call
    }
    EXPECT_FALSE(tile.isLoadingShown());
    EXPECT_EQ(tile.imageRect(), QRectF(2.5, 3.5, 40, 20));
    const QImage s = tile.surface();
    EXPECT_EQ(s.pixel(1, 10), qRgb(255, 255, 255));
    EXPECT_EQ(s.pixel(2, 4), qRgb(0, 255, 0));      // top row of the picture at y 4
    EXPECT_EQ(s.pixel(2, 3), qRgb(255, 255, 255));
    EXPECT_EQ(s.pixel(5, 15), qRgb(255, 0, 0));
    EXPECT_EQ(s.pixel(38, 15), qRgb(0, 0, 255));
    EXPECT_EQ(s.pixel(41, 23), qRgb(0, 0, 255));    // last pixel of 2 + 40, 4 + 20
    EXPECT_EQ(s.pixel(42, 15), qRgb(255, 255, 255));
    EXPECT_EQ(s.pixel(20, 24), qRgb(255, 255, 255));

    // reDraw repaints the retained thumbnail, not an empty tile, and starts hiding the strip.
    tile.MouseActive();
    tile.reDraw();
    EXPECT_EQ(tile.surface(), s);
    EXPECT_FALSE(tile.strip().isActive());
    EXPECT_TRUE(tile.strip().isHiding());

    // A new DrawIcon clears the previous one.
    tile.DrawIcon(twoHalves(10, 10), 100, 100, 10, 10);
    EXPECT_EQ(tile.surface().pixel(5, 15), qRgb(255, 255, 255));
    EXPECT_EQ(tile.surface().pixel(101, 105), qRgb(255, 0, 0));
}

TEST(IconsOLE, EmptyOrInvalidDrawingLeavesWhiteSurfaceAndHidesLoading)
{
    IconsOLE tile;
    tile.DrawIcon(twoHalves(10, 10), 5, 5, 0, 0);
    EXPECT_FALSE(tile.isLoadingShown());
    QImage white(tile.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(tile.surface(), white);

    IconsOLE other;
    other.DrawIcon(QImage(), 0, 0, 50, 50);
    EXPECT_FALSE(other.isLoadingShown());
    EXPECT_EQ(other.surface(), white);
    // An absurd rectangle costs no memory beyond the tile and still draws what shows.
    QImage blue(4, 4, QImage::Format_RGB32);
    blue.fill(qRgb(0, 0, 255));
    other.DrawIcon(blue, -1e6f, -1e6f, 4e6f, 4e6f);
    EXPECT_EQ(other.surface().pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(other.surface().pixel(300, 180), qRgb(0, 0, 255));

    other.resetContent();
    EXPECT_TRUE(other.isLoadingShown());
    EXPECT_EQ(other.surface(), white);
}

TEST(IconsOLE, StripAnimatesWithItsTimers)
{
    IconsOLE tile;
    tile.resize(219, 200);
    tile.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tile));
    EXPECT_EQ(tile.stripTop(), 200);
    EXPECT_EQ(tile.licenseButton()->pos(), QPoint(198, 200));
    EXPECT_EQ(tile.downloadButton()->pos(), QPoint(177, 200));
    EXPECT_EQ(tile.licenseButton()->size(), QSize(17, 17));

    tile.MouseActive();
    ASSERT_TRUE(waitFor([&] { return !tile.strip().isRevealing(); }));
    EXPECT_EQ(tile.stripTop(), 180);
    EXPECT_EQ(tile.licenseButton()->pos(), QPoint(198, 180));
    EXPECT_EQ(tile.downloadButton()->pos(), QPoint(177, 180));
    tile.MouseActive();  // already active: nothing moves
    EXPECT_FALSE(tile.strip().isRevealing());
    EXPECT_EQ(tile.stripTop(), 180);

    tile.reDrawBlank();
    ASSERT_TRUE(waitFor([&] { return !tile.strip().isHiding(); }));
    EXPECT_EQ(tile.stripTop(), 201);
    EXPECT_EQ(tile.downloadButton()->y(), 201);

    // Hidden strip: the hide animation stops at its first tick.
    tile.reDrawBlank();
    ASSERT_TRUE(waitFor([&] { return !tile.strip().isHiding(); }));
    EXPECT_EQ(tile.stripTop(), 202);

    // Resize while shown: back under the new bottom edge, buttons follow the new width.
    tile.MouseActive();
    ASSERT_TRUE(waitFor([&] { return !tile.strip().isRevealing(); }));
    tile.resize(206, 199);
    EXPECT_EQ(tile.stripTop(), 199);
    EXPECT_EQ(tile.licenseButton()->pos(), QPoint(185, 199));
    EXPECT_EQ(tile.downloadButton()->pos(), QPoint(164, 199));
}

TEST(IconsOLE, PointerEventsButtonsAndLicenceLink)
{
    OpenerCapture opener;
    IconsOLE tile;
    tile.resize(219, 200);
    tile.setIconLocal(QStringLiteral("thumb_7.png"));
    tile.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tile));
    tile.MouseActive();
    ASSERT_TRUE(waitFor([&] { return !tile.strip().isRevealing(); }));

    EXPECT_EQ(tile.downloadButton()->toolTip(), QStringLiteral("Download"));
    EXPECT_EQ(tile.licenseButton()->toolTip(), QStringLiteral("License"));
    EXPECT_EQ(tile.downloadButton()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(tile.licenseButton()->cursor().shape(), Qt::PointingHandCursor);

    QSignalSpy moves(&tile, &IconsOLE::TileMouseMove);
    QTest::mouseMove(&tile, QPoint(30, 40));
    ASSERT_TRUE(waitFor([&] { return moves.count() >= 1; }));
    EXPECT_EQ(moves.last().at(2).toFloat(), 30.f);
    EXPECT_EQ(moves.last().at(3).toFloat(), 40.f);

    // Download: DownloadClick first, with the release's arguments, then the request.
    QStringList order;
    QObject::connect(&tile, &IconsOLE::DownloadClick, [&](int b, int s, float x, float y) {
        order << QStringLiteral("click %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y);
    });
    QObject::connect(&tile, &IconsOLE::downloadRequested,
                     [&](const QString& name) { order << "request " + name; });
    QTest::mouseClick(tile.downloadButton(), Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier,
                      QPoint(3, 5));
    EXPECT_EQ(order, (QStringList{"click 2 5 3 5", "request thumb_7.png"}));

    // Licence: opens http(s) post links only.
    QTest::mouseClick(tile.licenseButton(), Qt::LeftButton);  // default text "License: "
    EXPECT_TRUE(opener.opened.isEmpty());
    tile.setIconLicense(QStringLiteral("file:///etc/passwd"));
    QTest::mouseClick(tile.licenseButton(), Qt::LeftButton);
    EXPECT_TRUE(opener.opened.isEmpty());
    tile.setIconLicense(QStringLiteral("http://127.0.0.1:8123/icon/42"));
    QTest::mouseClick(tile.licenseButton(), Qt::MiddleButton);
    EXPECT_EQ(opener.opened, QStringList{"http://127.0.0.1:8123/icon/42"});
    EXPECT_EQ(order.size(), 2);  // the licence button is not a download
}
