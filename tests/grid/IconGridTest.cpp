#include "grid/IconGrid.h"

#include "catalogue/ThumbnailDecoder.h"
#include "grid/IconTile.h"
#include "platform/AppPaths.h"

#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace
{
constexpr QRgb kLine = qRgb(230, 230, 230);
constexpr QRgb kWhite = qRgb(255, 255, 255);

// The grid with its result list and records, fed thumbnail files from a temporary folder one
// result at a time, decoded for 219-pixel tiles as the page load does.
struct Results {
    QTemporaryDir dir;
    const AppPaths folders{dir.path()};
    IconGrid grid{folders};
    std::vector<IconRecord> records;
    QStringList list;

    QString picture(int w, int h, QRgb colour = kWhite)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(colour);
        const QString path = dir.filePath(QStringLiteral("t%1_%2x%3.png").arg(colour).arg(w).arg(h));
        EXPECT_TRUE(img.save(path));
        return path;
    }
    void place(const QStringList& paths)
    {
        for (const QString& p : paths) {
            list << p;
            QFile file(p);
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            grid.placeNextTile(list, records, 1100, ThumbnailDecoder::decode(bytes, QSize(219, 100), 1.0));
        }
    }
};
} // namespace

TEST(IconGrid, PlacesTilesInTheirCellsWithFittedThumbnailsRecordsAndLines)
{
    Results r;
    r.grid.resize(1100, 100);
    QSignalSpy heights(&r.grid, &IconGrid::surfaceHeightChanged);
    QStringList paths(5, r.picture(150, 150, qRgb(200, 20, 0)));
    paths << r.picture(48, 48, qRgb(0, 0, 200)) << r.dir.filePath("missing.png");
    r.records.resize(3);
    r.records[0].postLink = QStringLiteral("https://127.0.0.1/post/first");
    r.place(paths);

    ASSERT_EQ(r.grid.tileCount(), 7);
    ASSERT_EQ(r.records.size(), 7u); // grown for the surplus thumbnails
    ASSERT_EQ(heights.count(), 7);   // one row for the first five, two from the sixth on
    EXPECT_EQ(std::pair(heights.at(4).at(0).toInt(), heights.at(5).at(0).toInt()), std::pair(200, 400));
    // Inside the grid lines of 220-pixel cells; below row 0 one pixel under the top line.
    for (int k = 0; k < 7; ++k) {
        const QRect expected =
            k < 5 ? QRect(1 + 220 * k, 0, 219, 200) : QRect(1 + 220 * (k - 5), 201, 219, 199);
        EXPECT_TRUE(r.grid.tile(k)->geometry() == expected && !r.grid.tile(k)->isHidden()) << k;
    }

    // Row 0: 150 x 150 drawn at 100 x 100 from (59, 50); row 1: 48 x 48 kept at (85, 75).
    EXPECT_EQ(r.grid.tile(2)->imageRect(), QRectF(59, 50, 100, 100));
    EXPECT_EQ(r.grid.tile(2)->surface().pixel(158, 149), qRgb(200, 20, 0));
    EXPECT_EQ(r.grid.tile(5)->imageRect(), QRectF(85, 75, 48, 48));
    // The unreadable thumbnail: placed, no longer "Loading...", and the missing-picture sign drawn
    // in its picture area, centred as a 64 x 64 picture would be.
    EXPECT_FALSE(r.grid.tile(6)->isLoadingShown());
    const QRectF sign = r.grid.tile(6)->imageRect();
    EXPECT_EQ(sign, QRectF(77, 67, 64, 64));
    const QImage missing = r.grid.tile(6)->surface();
    int drawn = 0;
    for (int y = 0; y < missing.height(); ++y)
        for (int x = 0; x < missing.width(); ++x)
            drawn += missing.pixel(x, y) != kWhite ? (sign.contains(x, y) ? 1 : -1000) : 0;
    EXPECT_GT(drawn, 64 * 64 / 3);
    // The record's post link is the tile's licence link.
    QSignalSpy opened(&r.grid, &IconGrid::licenseRequested);
    QTest::mouseClick(r.grid.tile(0)->licenseButton(), Qt::LeftButton);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened.at(0).at(0).toString(), "https://127.0.0.1/post/first");

    const QImage lines = r.grid.surface();
    ASSERT_EQ(lines.size(), QSize(1100, 400));
    for (int x : {220, 440, 660, 880})
        EXPECT_TRUE(lines.pixel(x, 399) == kLine && lines.pixel(x + 1, 10) == kWhite) << x;
    EXPECT_TRUE(lines.pixel(10, 200) == kLine && lines.pixel(1099, 200) == kLine);
    EXPECT_TRUE(lines.pixel(10, 199) == kWhite && lines.pixel(1099, 10) == kWhite) << "no edge lines";

    // Too narrow for a column: nothing is placed.
    IconGrid narrow(r.folders);
    std::vector<IconRecord> none;
    narrow.placeNextTile(QStringList{paths.first()}, none, 150, {});
    EXPECT_TRUE(narrow.tile(0)->isHidden() && none.empty());
}

TEST(IconGrid, HoverRuleMovesTheStripAndResetStartsAFreshSet)
{
    Results r;
    r.grid.resize(1100, 10);
    r.place(QStringList(6, r.picture(20, 20, qRgb(255, 0, 0))));
    auto hover = [&](int k) { Q_EMIT r.grid.tile(k)->tileMouseMoved(0, 0, 5.f, 5.f); };
    // Strip states: U revealing, D hiding, S shown, - at rest below the edge.
    auto state = [&](int k) -> char {
        const TileStrip& s = r.grid.tile(k)->strip();
        return s.isRevealing() ? 'U' : s.isHiding() ? 'D' : s.isActive() ? 'S' : '-';
    };
    auto states = [&](int a, int b) { return QString(state(a)) + state(b); };

    // The first hover hides tile 0's strip (the last hovered), though it never rose.
    hover(3);
    EXPECT_EQ(states(3, 0), "UD");
    ASSERT_TRUE(QTest::qWaitFor([&] { return states(3, 1) == "S-"; }, 5000));
    hover(3); // moves over the shown strip start nothing
    EXPECT_EQ(states(3, 1), "S-");
    hover(5);
    EXPECT_EQ(states(3, 5), "DU");
    hover(3);
    EXPECT_EQ(states(3, 5), "UD");
    EXPECT_EQ(states(1, 2), "--");

    QPointer<IconTile> gone = r.grid.tile(1);
    QSignalSpy heights(&r.grid, &IconGrid::surfaceHeightChanged);
    r.grid.resetGrid();
    EXPECT_EQ(std::tuple(r.grid.tileCount(), int(heights.count()), r.grid.height(), r.grid.lastHovered()),
              std::tuple(1, 1, 0, 0));
    EXPECT_TRUE(r.grid.tile(0)->isHidden() && r.grid.tile(0)->isLoadingShown());
    EXPECT_EQ(r.grid.tile(0)->surface().pixel(109, 100), kWhite);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gone.isNull(); }, 5000));

    // The next set starts at the first cell, with no lines left from the old one.
    r.list.clear();
    r.place({r.picture(40, 40, qRgb(0, 255, 0))});
    EXPECT_EQ(r.grid.tile(0)->geometry(), QRect(1, 0, 219, 200));
    EXPECT_EQ(r.grid.surface().pixel(10, 199), kWhite);
}
