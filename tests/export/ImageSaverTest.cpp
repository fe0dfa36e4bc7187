#include "export/ImageSaver.h"
#include "ExportTestUtil.h"
#include "export/OctreeQuantiser.h"

#include <QDir>
#include <QTemporaryDir>

using ExportTestUtil::readGif;

TEST(OctreeQuantiserTest, FoldsTheNewestNodeOfTheDeepestLevelFirst)
{
    OctreeQuantiser tree;
    // Two pairs, each pair differing only in its lowest blue bit (one depth-7 node per pair).
    // Pixels are filed from the last one, so the (20, 20, 20) pair is filed first; with room for
    // three colours the newer pair (200, 200, 200) folds. Folding the older one would give
    // (20, 20, 20), (200, 200, 200) and (201, 200, 200) instead.
    const quint8 pixels[12] = {201, 200, 200, 200, 200, 200, 21, 20, 20, 20, 20, 20};
    tree.buildOctreePalette(12, 1, 0, pixels, 3, 8);
    ASSERT_EQ(tree.lastPaletteIndex(), 2);
    QList<QRgb> palette;
    for (int i = 0; i < 3; ++i) {
        quint8 b = 0, g = 0, r = 0;
        tree.paletteColor(i, b, g, r);
        palette << qRgb(r, g, b);
    }
    EXPECT_EQ(palette, (QList<QRgb>{qRgb(20, 20, 20), qRgb(20, 20, 21), qRgb(200, 200, 200)}));
    EXPECT_EQ(tree.paletteIndexOf(201, 200, 200), 2);
}

TEST(OctreeQuantiserTest, PoolGrowsBy1024AndReusesFreedNodesFirst)
{
    OctreeQuantiser tree;
    tree.initTree();
    EXPECT_EQ(tree.poolCapacity(), 1024);
    const int a = tree.newNode();
    const int b = tree.newNode();
    EXPECT_EQ(std::pair(a, b), std::pair(2, 3));
    // Freed nodes come back last freed first, before any fresh one.
    tree.freeNode(a);
    tree.freeNode(b);
    EXPECT_EQ(tree.nodeCount(), 1);
    EXPECT_EQ(tree.newNode(), b);
    EXPECT_EQ(tree.newNode(), a);
    EXPECT_EQ(tree.newNode(), 4);
    // The pool grows when the count of nodes in use reaches a multiple of 1024, and not before.
    while (tree.nodeCount() < 1023)
        tree.newNode();
    EXPECT_EQ(tree.poolCapacity(), 1024);
    EXPECT_EQ(tree.newNode(), 1024);
    EXPECT_EQ(tree.poolCapacity(), 2048);

    // Folding recycles: a quarter of a million distinct colours never need more than a few
    // thousand nodes at once.
    std::vector<quint8> noise(3 * 512 * 512);
    quint32 seed = 1;
    for (quint8& v : noise) {
        seed = seed * 1664525u + 1013904223u;
        v = quint8(seed >> 24);
    }
    tree.buildOctreePalette(3 * 512, 512, 0, noise.data(), 256, 8);
    EXPECT_LE(tree.poolCapacity(), 4096);
}

TEST(OctreeQuantiserTest, LookUpOfAnUnfiledColourTakesTheNextChildWithOneCounter)
{
    OctreeQuantiser tree;
    // Two colours below one depth-7 node, at octants 1 and 5 of depth 8; both start in octant 3.
    const quint8 pixels[6] = {129, 128, 0, 129, 128, 1}; // blue, green, red
    tree.buildOctreePalette(6, 1, 0, pixels, 256, 8);
    ASSERT_EQ(tree.lastPaletteIndex(), 1);
    EXPECT_EQ(tree.paletteIndexOf(129, 128, 0), 0);
    EXPECT_EQ(tree.paletteIndexOf(129, 128, 1), 1);
    // Black: octant 0 is missing at depth 1, so the scan passes 0 to 3 and continues at 4; at
    // depth 8 octant 0 is missing again and the scan goes on from 4, reaching octant 5 (entry
    // 1), not octant 1 as a fresh scan would.
    EXPECT_EQ(tree.paletteIndexOf(0, 0, 0), 1);
    // (64, 64, 64) misses at depths 1 and 2; the second scan runs out at 8 and gives 0.
    EXPECT_EQ(tree.paletteIndexOf(64, 64, 64), 0);
}

TEST(OctreeQuantiserTest, SumsHoldPastTwoToThe31)
{
    // 3000 x 3000 white pixels sum to 2.3e9 per channel: the palette must still say white.
    ImageSaver dib;
    dib.createBlank(3000, 3000);
    dib.image()->fill(Qt::white);
    QTemporaryDir dir;
    ASSERT_TRUE(dib.save(dir.filePath("white.gif"), FileType::GIF, false));
    const auto gif = readGif(dir.filePath("white.gif"));
    ASSERT_EQ(gif.indices.size(), 3000 * 3000);
    EXPECT_EQ(gif.colorAt(2999, 2999), qRgb(255, 255, 255));
}

TEST(ImageSaverTest, RefusedOrFailedSavesLeaveNoFile)
{
    QTemporaryDir dir;
    ImageSaver dib;
    dib.createBlank(1, 65536);
    ASSERT_FALSE(dib.image()->isNull());
    EXPECT_FALSE(dib.save(dir.filePath("wide.gif"), FileType::GIF, true));
    EXPECT_TRUE(dib.lastError().contains("65536 x 1")) << dib.lastError().toStdString();
    EXPECT_TRUE(dib.lastError().contains("65,535")) << dib.lastError().toStdString();
    // A failing write (the target is a folder) leaves no temporary file behind.
    dib.createBlank(4, 4);
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.png"));
    EXPECT_FALSE(dib.save(dir.filePath("taken.png"), FileType::PNG));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}
