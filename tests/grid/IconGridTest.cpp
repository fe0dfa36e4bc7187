#include "grid/IconGrid.h"

#include "grid/IconsOLE.h"
#include "grid/ThumbnailLoader.h"
#include "platform/Shell.h"

#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {
constexpr QRgb kLine = qRgb(230, 230, 230);
constexpr QRgb kWhite = qRgb(255, 255, 255);

// Thumbnail files in a temporary folder: square pictures of a distinct colour per size.
class Thumbs {
public:
    QString picture(int w, int h, QRgb colour)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(colour);
        const QString path = m_dir.filePath(QStringLiteral("t%1.png").arg(m_count++));
        EXPECT_TRUE(img.save(path));
        return path;
    }
    QString garbage()
    {
        const QString path = m_dir.filePath(QStringLiteral("bad%1.png").arg(m_count++));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\x89PNG not really");
        return path;
    }

private:
    QTemporaryDir m_dir;
    int m_count = 0;
};

bool waitFor(const std::function<bool()>& condition)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

bool waitForDeleted(const QPointer<IconsOLE>& tile)
{
    QElapsedTimer timer;
    timer.start();
    while (tile && timer.elapsed() < 5000) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return tile.isNull();
}

// Places results one at a time, as the page load does.
void placeAll(IconGrid& grid, const QStringList& paths, std::vector<IconRecord>& records,
              float gridWidth, QStringList& resultList)
{
    for (const QString& p : paths) {
        resultList << p;
        grid.PlaceNextTile(resultList, records, gridWidth);
    }
}
} // namespace

TEST(ThumbnailLoader, RefusesOversizedAndUnreadableFiles)
{
    Thumbs thumbs;
    EXPECT_EQ(ThumbnailLoader::load(thumbs.picture(4096, 2, kWhite)).size(), QSize(4096, 2));
    EXPECT_TRUE(ThumbnailLoader::load(thumbs.picture(4097, 2, kWhite)).isNull());
    EXPECT_TRUE(ThumbnailLoader::load(thumbs.picture(2, 4097, kWhite)).isNull());
    EXPECT_TRUE(ThumbnailLoader::load(thumbs.garbage()).isNull());
    EXPECT_TRUE(ThumbnailLoader::load(QStringLiteral("/nonexistent/x.png")).isNull());
}

TEST(IconGrid, PlacesTilesInCellsWithFittedThumbnailsAndRecords)
{
    Thumbs thumbs;
    IconGrid grid;
    grid.resize(1100, 100);
    ASSERT_EQ(grid.tileCount(), 1);
    QSignalSpy heights(&grid, &IconGrid::surfaceHeightChanged);

    QStringList paths;
    for (int k = 0; k < 5; ++k)
        paths << thumbs.picture(150, 150, qRgb(200, 10 * k, 0));
    paths << thumbs.picture(48, 48, qRgb(0, 0, 200)) << thumbs.garbage();
    std::vector<IconRecord> records(3);
    records[0] = {QStringLiteral("First"), QStringLiteral("http://127.0.0.1/p/1"),
                  QStringLiteral("t0.png")};
    QStringList resultList;
    placeAll(grid, paths, records, 1100, resultList);

    ASSERT_EQ(grid.tileCount(), 7);
    ASSERT_EQ(records.size(), 7u);  // grown for the surplus thumbnails, texts empty
    EXPECT_TRUE(records[6].title.isEmpty() && records[6].postLink.isEmpty());
    EXPECT_EQ(grid.height(), 400);
    EXPECT_EQ(grid.cursorRow(), 1);
    EXPECT_EQ(grid.cursorColumn(), 2);
    QList<int> expectedHeights{200, 200, 200, 200, 200, 400, 400};
    ASSERT_EQ(heights.count(), 7);
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(heights.at(k).at(0).toInt(), expectedHeights.at(k)) << k;

    const int lefts[] = {1, 221, 441, 661, 881};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(grid.tile(k)->geometry(), QRect(lefts[k], 0, 219, 200)) << k;
        EXPECT_FALSE(grid.tile(k)->isHidden());
        EXPECT_EQ(records[std::size_t(k)].tileLeft, float(220 * k));
    }
    EXPECT_EQ(grid.tile(5)->geometry(), QRect(1, 201, 219, 199));
    EXPECT_EQ(grid.tile(6)->geometry(), QRect(221, 201, 219, 199));
    EXPECT_EQ(records[5].tileTop, 200.f);
    EXPECT_EQ(records[5].tileWidth, 220);
    EXPECT_EQ(records[5].tileHeight, 200);

    // Row 0: 150 x 150 scaled to 100 x 100 at (59, 50); row 1: 48 x 48 kept, centred.
    EXPECT_EQ(records[0].imageLeft, 59);
    EXPECT_EQ(records[0].imageTop, 50);
    EXPECT_EQ(records[0].imageWidth, 100);
    EXPECT_EQ(records[0].imageHeight, 100);
    const QImage s0 = grid.tile(2)->surface();
    EXPECT_EQ(s0.pixel(59, 50), qRgb(200, 20, 0));
    EXPECT_EQ(s0.pixel(158, 149), qRgb(200, 20, 0));
    EXPECT_EQ(s0.pixel(58, 50), kWhite);
    EXPECT_EQ(s0.pixel(159, 149), kWhite);
    EXPECT_EQ(records[5].imageLeft, 85);
    EXPECT_EQ(records[5].imageTop, 75);
    EXPECT_EQ(records[5].imageWidth, 48);
    EXPECT_EQ(grid.tile(5)->surface().pixel(85, 75), qRgb(0, 0, 200));
    EXPECT_EQ(grid.tile(5)->surface().pixel(85, 74), kWhite);

    // The unreadable thumbnail: placed, shown, empty, no longer "Loading...".
    EXPECT_FALSE(grid.tile(6)->isHidden());
    EXPECT_FALSE(grid.tile(6)->isLoadingShown());
    EXPECT_EQ(grid.tile(6)->surface().pixel(109, 100), kWhite);
    EXPECT_EQ(records[6].imageWidth, 0);

    // DrawIcon received the fitted rectangle.
    EXPECT_EQ(grid.tile(0)->imageRect(), QRectF(59, 50, 100, 100));

    // Grid lines of a two-row surface.
    const QImage lines = grid.surface();
    ASSERT_EQ(lines.size(), QSize(1100, 400));
    for (int x : {220, 440, 660, 880}) {
        EXPECT_EQ(lines.pixel(x, 10), kLine) << x;
        EXPECT_EQ(lines.pixel(x, 399), kLine) << x;
        EXPECT_EQ(lines.pixel(x + 1, 10), kWhite) << x;
    }
    EXPECT_EQ(lines.pixel(1099, 10), kWhite);
    EXPECT_EQ(lines.pixel(10, 200), kLine);
    EXPECT_EQ(lines.pixel(1099, 200), kLine);
    EXPECT_EQ(lines.pixel(10, 199), kWhite);
    EXPECT_EQ(lines.pixel(10, 0), kWhite);
}

TEST(IconGrid, WideGridAndUnusableWidth)
{
    Thumbs thumbs;
    IconGrid grid;
    grid.resize(1654, 10);
    std::vector<IconRecord> records;
    QStringList resultList;
    QStringList paths;
    for (int k = 0; k < 9; ++k)
        paths << thumbs.picture(16, 16, kWhite);
    placeAll(grid, paths, records, 1654, resultList);
    EXPECT_EQ(grid.gridGeometry().columns(), 8);
    EXPECT_EQ(grid.gridGeometry().cellStep(), 207);
    EXPECT_EQ(grid.tile(7)->geometry(), QRect(1450, 0, 206, 200));
    EXPECT_EQ(grid.tile(8)->geometry(), QRect(1, 201, 206, 199));
    EXPECT_EQ(grid.surface().pixel(207, 5), kLine);
    EXPECT_EQ(grid.surface().pixel(1449, 5), kLine);

    // Too narrow for a single column: nothing is placed and nothing breaks.
    IconGrid narrow;
    std::vector<IconRecord> none;
    EXPECT_EQ(narrow.PlaceNextTile(QStringList{paths.first()}, none, 150), narrow.height());
    EXPECT_TRUE(narrow.tile(0)->isHidden());
    EXPECT_TRUE(none.empty());
    // An empty result list does nothing either.
    EXPECT_EQ(narrow.PlaceNextTile({}, none, 1100), narrow.height());
}

TEST(IconGrid, ResetGridStartsAFreshResultSet)
{
    Thumbs thumbs;
    IconGrid grid;
    grid.resize(1100, 10);
    std::vector<IconRecord> records;
    QStringList resultList;
    placeAll(grid, {thumbs.picture(40, 40, qRgb(255, 0, 0)), thumbs.picture(40, 40, kWhite),
                    thumbs.picture(40, 40, kWhite)},
             records, 1100, resultList);
    grid.hoverTile(2);
    QPointer<IconsOLE> gone = grid.tile(1);
    QSignalSpy heights(&grid, &IconGrid::surfaceHeightChanged);

    grid.resetGrid();
    EXPECT_EQ(grid.tileCount(), 1);
    EXPECT_EQ(grid.height(), 0);
    ASSERT_EQ(heights.count(), 1);
    EXPECT_EQ(heights.at(0).at(0).toInt(), 0);
    EXPECT_EQ(grid.cursorRow(), 0);
    EXPECT_EQ(grid.cursorColumn(), 0);
    EXPECT_EQ(grid.lastHovered(), 0);
    EXPECT_FALSE(grid.gridGeometry().isUsable());
    // Tile 0 shows nothing of the previous result set.
    IconsOLE* first = grid.tile(0);
    EXPECT_TRUE(first->isHidden());
    EXPECT_TRUE(first->isLoadingShown());
    EXPECT_EQ(first->surface().pixel(first->width() / 2, 100), kWhite);
    EXPECT_TRUE(waitForDeleted(gone));

    // The next set starts at the first cell, with no lines left from the old one.
    grid.resize(1100, 10);
    resultList = {thumbs.picture(40, 40, qRgb(0, 255, 0))};
    records.clear();
    grid.PlaceNextTile(resultList, records, 1100);
    EXPECT_EQ(grid.tile(0)->geometry(), QRect(1, 0, 219, 200));
    EXPECT_EQ(grid.tile(0)->surface().pixel(109, 100), qRgb(0, 255, 0));
    EXPECT_EQ(grid.cursorColumn(), 1);
    EXPECT_EQ(grid.surface().pixel(10, 199), kWhite);
}

TEST(IconGrid, HoverRuleMovesTheStripBetweenTiles)
{
    Thumbs thumbs;
    IconGrid grid;
    grid.resize(1100, 10);
    std::vector<IconRecord> records;
    QStringList resultList;
    QStringList paths;
    for (int k = 0; k < 6; ++k)
        paths << thumbs.picture(20, 20, kWhite);
    placeAll(grid, paths, records, 1100, resultList);
    auto hover = [&](int k) { Q_EMIT grid.tile(k)->TileMouseMove(0, 0, 5.f, 5.f); };
    auto state = [&](int k) {
        const TileStrip& s = grid.tile(k)->strip();
        return s.isRevealing() ? 'U' : s.isHiding() ? 'D' : s.isActive() ? 'S' : '-';
    };

    // The first hover after start hides tile 0's strip (the last hovered), though it never rose.
    hover(3);
    EXPECT_EQ(state(3), 'U');
    EXPECT_EQ(state(0), 'D');
    EXPECT_EQ(grid.lastHovered(), 3);
    // Repeated moves over the shown strip start nothing.
    QElapsedTimer timer;
    timer.start();
    while (state(3) == 'U' && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(state(3), 'S');
    hover(3);
    EXPECT_EQ(state(3), 'S');
    EXPECT_EQ(grid.tile(3)->stripTop(), 180);
    hover(5);
    EXPECT_EQ(state(3), 'D');
    EXPECT_EQ(state(5), 'U');
    hover(3);
    EXPECT_EQ(state(3), 'U');
    EXPECT_EQ(state(5), 'D');
    EXPECT_EQ(state(1), '-');
    EXPECT_EQ(grid.lastHovered(), 3);

    // After a reset the first hover over tile 0 hides nothing.
    grid.resetGrid();
    resultList = {paths.first()};
    records.clear();
    grid.PlaceNextTile(resultList, records, 1100);
    hover(0);
    hover(0);
    EXPECT_EQ(state(0), 'U');
    EXPECT_EQ(grid.lastHovered(), 0);
}

TEST(IconGrid, BackgroundReleaseAndTileDownloadReachTheHost)
{
    Thumbs thumbs;
    IconGrid grid;
    grid.resize(1100, 10);
    std::vector<IconRecord> records(2);
    records[0].postLink = QStringLiteral("https://127.0.0.1/post/first");
    records[1].thumbFile = QStringLiteral("second.png");
    QStringList resultList;
    placeAll(grid, {thumbs.picture(20, 20, kWhite), thumbs.picture(20, 20, kWhite)}, records, 1100,
             resultList);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));

    QSignalSpy background(&grid, &IconGrid::backgroundReleased);
    QSignalSpy clicks(&grid, &IconGrid::DownloadClick);
    QSignalSpy requests(&grid, &IconGrid::downloadRequested);

    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, QPoint(220, 100));  // a grid line
    ASSERT_EQ(background.count(), 1);
    EXPECT_EQ(background.at(0).at(0).toInt(), 1);
    EXPECT_EQ(background.at(0).at(2).toFloat(), 220.f);

    QTest::mouseClick(grid.tile(1), Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    EXPECT_EQ(background.count(), 1);  // a release on a tile is the tile's own

    IconsOLE* second = grid.tile(1);
    second->MouseActive();
    QElapsedTimer timer;
    timer.start();
    while (second->strip().isRevealing() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QTest::mouseClick(second->downloadButton(), Qt::LeftButton, Qt::ControlModifier, QPoint(8, 8));
    EXPECT_EQ(background.count(), 1);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 1);  // tile index
    EXPECT_EQ(clicks.at(0).at(2).toInt(), 2);  // ctrl
    ASSERT_EQ(requests.count(), 1);
    EXPECT_EQ(requests.at(0).at(1).toString(), QStringLiteral("second.png"));

    // The record's post link reached tile 0: its licence button opens it.
    QStringList opened;
    Shell::setOpener([&](const QString& a) { opened << a; });
    QTest::mouseClick(grid.tile(0)->licenseButton(), Qt::LeftButton);
    Shell::setOpener({});
    EXPECT_EQ(opened, QStringList{"https://127.0.0.1/post/first"});
}

namespace {
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};
} // namespace

TEST(IconGrid, PlacingATileDoesNotRepaintTheOthers)
{
    Thumbs thumbs;
    QWidget viewport;
    viewport.resize(1100, 700);
    IconGrid grid(&viewport);
    grid.setGeometry(0, 0, 1100, 700);
    viewport.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewport));
    std::vector<IconRecord> records;
    QStringList resultList;
    const QString path = thumbs.picture(64, 64, qRgb(10, 20, 30));
    resultList << path;
    grid.PlaceNextTile(resultList, records, 1100);

    PaintCounter first;
    PaintCounter newest;
    grid.tile(0)->installEventFilter(&first);
    grid.tile(0)->update();  // the counter does see a repaint
    ASSERT_TRUE(waitFor([&] { return first.paints > 0; }));
    first.paints = 0;

    // Same row, then a new row: only the new tile (and the new rows' lines) get painted.
    for (int k = 0; k < 6; ++k) {
        resultList << path;
        grid.PlaceNextTile(resultList, records, 1100);
    }
    grid.tile(6)->installEventFilter(&newest);
    grid.tile(6)->update();
    ASSERT_TRUE(waitFor([&] { return newest.paints > 0; }));
    EXPECT_EQ(first.paints, 0);
    EXPECT_EQ(grid.surface().pixel(220, 399), kLine);
}
