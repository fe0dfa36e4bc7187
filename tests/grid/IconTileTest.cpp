#include "grid/IconTile.h"
#include "platform/AppPaths.h"

#include <QTest>

#include <gtest/gtest.h>

namespace
{
constexpr QRgb kWhite = qRgb(255, 255, 255);

// An asymmetric picture: red left half, blue right half, a green top row.
QImage twoHalves(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, y == 0 ? qRgb(0, 255, 0) : x < w / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    return img;
}

// A thumbnail decoded at the fitted size (64 x 32) times two, carrying that ratio: a one-pixel
// checkerboard, which survives no scaling.
QImage decodedAtTwice()
{
    QImage decoded(128, 64, QImage::Format_RGB32);
    for (int y = 0; y < decoded.height(); ++y)
        for (int x = 0; x < decoded.width(); ++x)
            decoded.setPixel(x, y, (x + y) % 2 ? qRgb(200, 20, 0) : qRgb(0, 40, 220));
    decoded.setDevicePixelRatio(2.0);
    return decoded;
}
} // namespace

TEST(IconTile, DrawIconKeepsItsOwnCopyForReDrawInLogicalPixels)
{
    const AppPaths folders;
    IconTile tile(folders);
    tile.resize(219, 200);
    {
        QImage picture = twoHalves(20, 10);
        tile.drawIcon(picture, 2.5f, 3.5f, 40.f, 20.f); // 2.5 -> 2, 3.5 -> 4
        picture.fill(Qt::black);                        // the caller's image changes after the call
    }
    const QImage s = tile.surface();
    EXPECT_EQ(s.pixel(2, 4), qRgb(0, 255, 0));
    EXPECT_EQ(s.pixel(1, 10), kWhite);
    EXPECT_EQ(s.pixel(41, 23), qRgb(0, 0, 255)); // last pixel of 2 + 40, 4 + 20
    EXPECT_EQ(s.pixel(42, 15), kWhite);

    // redraw repaints the retained thumbnail and starts hiding the strip.
    tile.activate();
    tile.redraw();
    EXPECT_EQ(tile.surface(), s);
    EXPECT_TRUE(tile.strip().isHiding());
    // A new drawIcon clears the previous one; an absurd rectangle still draws what shows.
    tile.drawIcon(twoHalves(10, 10), 100, 100, 10, 10);
    EXPECT_EQ(tile.surface().pixel(5, 15), kWhite);
    EXPECT_EQ(tile.surface().pixel(101, 105), qRgb(255, 0, 0));
    tile.drawIcon(twoHalves(4, 4), -1e6f, -2e6f, 4e6f, 4e6f);
    EXPECT_EQ(tile.surface().pixel(210, 190), qRgb(255, 0, 0));

    // A thumbnail decoded for a finer screen fills its logical rectangle on this one.
    tile.drawIcon(decodedAtTwice(), 10, 20, 64, 32);
    EXPECT_EQ(std::pair(tile.retained().size(), tile.retained().devicePixelRatio()),
              std::pair(QSize(64, 32), 1.0));
    const QImage fitted = tile.surface();
    EXPECT_TRUE(fitted.pixel(10, 20) != kWhite && fitted.pixel(73, 51) != kWhite);
    EXPECT_TRUE(fitted.pixel(9, 20) == kWhite && fitted.pixel(74, 51) == kWhite);
}

TEST(IconTileHighDpi, ADecodedThumbnailAtTheScreensRatioIsShownPixelForPixel)
{
    const QImage decoded = decodedAtTwice();
    const AppPaths folders;
    IconTile tile(folders);
    tile.resize(219, 200);
    tile.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tile));
    ASSERT_EQ(tile.devicePixelRatioF(), 2.0) << "run on the scaled screen";
    tile.drawIcon(decoded, 10, 20, 64, 32);
    EXPECT_EQ(tile.retained().devicePixelRatio(), 2.0);
    EXPECT_EQ(tile.retained(), decoded) << "kept at the screen's resolution, unscaled";
    const QImage shows = tile.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shows.size(), QSize(438, 400));
    QImage shownPart = shows.copy(QRect(QPoint(20, 40), decoded.size()));
    shownPart.setDevicePixelRatio(2.0);
    EXPECT_EQ(shownPart, decoded);
    EXPECT_EQ(shows.pixel(19, 40), kWhite);
}

TEST(IconTile, ButtonsFollowTheStripAndTheLicenceOpensOnlyWebLinks)
{
    const AppPaths folders;
    IconTile tile(folders);
    QStringList opened;
    QObject::connect(&tile, &IconTile::licenseRequested, [&](const QString& a) { opened << a; });
    tile.resize(219, 200);
    tile.setIconLocal(QStringLiteral("thumb_7.png"));
    tile.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tile));
    tile.activate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tile.strip().isRevealing(); }, 5000));
    EXPECT_EQ(std::pair(tile.licenseButton()->pos(), tile.downloadButton()->pos()),
              std::pair(QPoint(198, 180), QPoint(177, 180)));

    // downloadClicked first, with the release's arguments, then the request for the thumbnail.
    QStringList order;
    QObject::connect(&tile, &IconTile::downloadClicked, [&](int b, int s, float x, float y) {
        order << QStringLiteral("click %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y);
    });
    QObject::connect(&tile, &IconTile::downloadRequested, [&](const QString& name) { order << name; });
    QTest::mouseClick(tile.downloadButton(), Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier,
                      QPoint(3, 5));
    EXPECT_EQ(order, (QStringList{"click 2 5 3 5", "thumb_7.png"}));

    // The licence button hands the tile's current link text to the host, whatever it holds (the
    // shell decides what it opens), with any button.
    QTest::mouseClick(tile.licenseButton(), Qt::LeftButton); // default text "License: "
    tile.setIconLicense(QStringLiteral("http://127.0.0.1:8123/icon/42"));
    QTest::mouseClick(tile.licenseButton(), Qt::MiddleButton);
    EXPECT_EQ(opened, (QStringList{"License: ", "http://127.0.0.1:8123/icon/42"}));
    EXPECT_EQ(order.size(), 2); // the licence button is not a download

    // Resized while shown: back under the new bottom edge, buttons follow the new width.
    tile.resize(206, 199);
    EXPECT_EQ(std::pair(tile.licenseButton()->pos(), tile.downloadButton()->pos()),
              std::pair(QPoint(185, 199), QPoint(164, 199)));
}
