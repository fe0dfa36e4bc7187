#include "export/TransparentKey.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// An indexed image where index i is used at pixel i, and a source whose first `keyed` pixels are
// below the threshold.
struct Case {
    QImage indexed;
    QImage source;
};

Case makeCase(int entries, int tableSize, int keyed, int shared)
{
    Case c{QImage(entries + 1, 1, QImage::Format_Indexed8), QImage(entries + 1, 1, QImage::Format_ARGB32)};
    QList<QRgb> table(tableSize, qRgba(0, 0, 0, 255));
    for (int i = 0; i < entries; ++i)
        table[i] = qRgba(i, 100, 100, 255);
    table[0] = qRgba(2, 2, 2, 0);  // the quantiser's transparent entry
    c.indexed.setColorTable(table);
    for (int x = 0; x < entries; ++x) {
        c.indexed.setPixel(x, 0, uint(x));
        c.source.setPixel(x, 0, qRgba(50, 50, 50, x < keyed ? 10 : 255));
    }
    // The extra last pixel is visible but was filed into the transparent entry's leaf.
    c.indexed.setPixel(entries, 0, uint(shared));
    c.source.setPixel(entries, 0, qRgba(6, 6, 6, 255));
    return c;
}

} // namespace

TEST(TransparentKeyTest, SharedKeyGetsItsOwnSlotOrTheVisiblePixelsMove)
{
    // Key used only by keyed pixels: nothing changes.
    Case exact = makeCase(10, 16, 1, 5);
    const QImage before = exact.indexed;
    TransparentKey::apply(exact.indexed, exact.source, 130);
    EXPECT_EQ(exact.indexed, before);

    // A full 16-entry table with a shared key grows to 32 with a separate transparent slot.
    Case room = makeCase(16, 16, 1, 0);
    TransparentKey::apply(room.indexed, room.source, 130);
    ASSERT_EQ(room.indexed.colorCount(), 32);
    EXPECT_EQ(room.indexed.pixelIndex(0, 0), 16);
    EXPECT_EQ(qAlpha(room.indexed.color(16)), 0);
    EXPECT_EQ(room.indexed.pixelIndex(16, 0), 0);
    EXPECT_EQ(room.indexed.color(0), qRgba(2, 2, 2, 255));

    // A full 256-entry palette: the key stays, its visible pixel takes the nearest other colour.
    Case full = makeCase(256, 256, 3, 0);
    TransparentKey::apply(full.indexed, full.source, 130);
    EXPECT_EQ(full.indexed.colorCount(), 256);
    EXPECT_EQ(full.indexed.pixelIndex(2, 0), 0);
    EXPECT_EQ(qAlpha(full.indexed.color(0)), 0);
    EXPECT_EQ(full.indexed.pixelIndex(256, 0), 2);  // (2, 100, 100) is nearest to (2, 2, 2)
    EXPECT_EQ(full.indexed.pixelIndex(255, 0), 255);

    // Keyed pixels filed elsewhere are moved onto the key.
    Case leak = makeCase(10, 16, 4, 5);
    TransparentKey::apply(leak.indexed, leak.source, 130);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(qAlpha(leak.indexed.color(leak.indexed.pixelIndex(x, 0))), 0) << x;
    EXPECT_EQ(qAlpha(leak.indexed.color(leak.indexed.pixelIndex(5, 0))), 255);
}
