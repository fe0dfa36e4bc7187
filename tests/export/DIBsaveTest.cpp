#include "export/DIBsave.h"
#include "ExportTestUtil.h"
#include "export/modDither.h"

#include <QDir>
#include <QTemporaryDir>

using ExportTestUtil::readGif;

namespace
{

// Reduces a w x h image whose pixel i has colour colors[i % size] (odd widths pad the rows) and
// checks that each pixel's entry lies within `tolerance` of its colour in every channel.
QImage reduced(const QList<QRgb>& colors, int w, int h, bool transparent = false, int tolerance = 0)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int i = 0; i < w * h; ++i)
        image.setPixel(i % w, i / w, colors[i % colors.size()]);
    DIBsave::PaletteImageGIF(image, transparent);
    for (int i = 0; i < w * h; ++i) {
        const QRgb got = image.color(image.pixelIndex(i % w, i / w)), want = colors[i % colors.size()];
        EXPECT_LE(std::max({std::abs(qRed(got) - qRed(want)), std::abs(qGreen(got) - qGreen(want)),
                            std::abs(qBlue(got) - qBlue(want))}),
                  tolerance)
            << i;
    }
    return image;
}

} // namespace

TEST(ModDitherTest, SixteenColoursOrFewerMapToThemselves)
{
    const QList<QRgb> colors = {0xFF000000, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF0C2238,
                                0xFFC86432, 0xFF010203, 0xFF808080, 0xFF818080, 0xFF400040, 0xFF07FA09,
                                0xFF636362, 0xFFFAFA01, 0xFF03B4B4, 0xFF4D01C8};
    const QImage image = reduced(colors, 7, 7);
    EXPECT_EQ(image.colorCount(), 16);
    // Entries follow the octants of the tree: black first, white last.
    EXPECT_EQ(image.pixelIndex(0, 0), 0);
    EXPECT_EQ(image.pixelIndex(1, 0), 15);

    // Keyed, the first entry below 5 in every channel is the transparent one: black, not (1, 2, 3).
    const QImage keyed = reduced(colors, 7, 7, true);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(qAlpha(keyed.color(keyed.pixelIndex(i % 7, i / 7))), i == 0 ? 0 : 255) << i;

    // One colour: one entry (the others are black), so every index is 0.
    EXPECT_EQ(reduced({qRgb(40, 50, 60)}, 7, 3).colorCount(), 16);
    EXPECT_EQ(modDither::LastPaletteIndex(), 0);
}

TEST(ModDitherTest, ManyColoursFoldToAtMost256TheSameWayEveryTime)
{
    QList<QRgb> colors;
    for (int i = 0; i < 300; ++i)
        colors << qRgb((i * 37) % 256, (i * 91 + 13) % 256, (i * 53 + i / 7) % 256);
    // A folded colour lands on a leaf whose average is near it (folding keeps the top bits).
    const QImage image = reduced(colors, 20, 15, false, 64);
    EXPECT_EQ(image.colorCount(), 256);
    EXPECT_GT(modDither::LastPaletteIndex(), 16);
    EXPECT_EQ(reduced(colors, 20, 15, false, 64), image);

    // Averages truncate: with room for one colour, blue 1 and 2 fold into one leaf of blue 1.
    const quint8 pixels[8] = {1, 0, 0, 2, 0, 0, 0xEE, 0xEE};
    modDither::BuildOctreePalette(8, 1, 2, pixels, 1, 8);
    EXPECT_EQ(modDither::LastPaletteIndex(), 0);
    quint8 b = 0, g = 9, r = 9;
    modDither::GetPaletteColor(0, b, g, r);
    EXPECT_EQ(qRgb(r, g, b), qRgb(0, 0, 1));
    EXPECT_EQ(modDither::GetPaletteIndex(2, 0, 0), 0);
}

TEST(DIBsaveTest, AFailedWriteLeavesNoFile)
{
    QTemporaryDir dir;
    DIBsave dib;
    dib.CreateBlankMemory(4, 4);
    // A failing write (the target is a folder) leaves no temporary file behind.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.png"));
    EXPECT_FALSE(dib.Save(dir.filePath("taken.png"), FileType::PNG));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

TEST(DIBsaveTest, GifKeyAndVisiblePixelsNeverShareAnEntry)
{
    // Thousands of colours force folding high up the tree, where the key black shares a leaf with
    // the dark visible colours; the saved file must still hide exactly the keyed pixels.
    QTemporaryDir dir;
    DIBsave dib;
    dib.CreateBlankMemory(128, 128);
    quint32 seed = 7;
    for (int i = 0; i < 128 * 128; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int v = int(seed >> 8), x = i % 128, y = i / 128;
        QRgb c = qRgba(v & 255, (v >> 8) & 255, (v >> 16) & 255, 255);
        if ((x + y) % 5 == 0)
            c = qRgba(v % 9, (v >> 4) % 9, (v >> 8) % 9, 255); // dark but visible
        if (x < 16)
            c = qRgba(v & 255, 0, 0, (v >> 8) % 130); // keyed: alpha below 130
        dib.Img->setPixel(x, y, c);
    }
    const QString gif = dir.filePath("dark.gif");
    ASSERT_TRUE(dib.Save(gif, FileType::GIF, true, 90, 0, true, 24, 6, 130));
    const auto back = readGif(gif);
    ASSERT_GE(back.transparentIndex, 0);
    int wrong = 0;
    for (int i = 0; i < 128 * 128; ++i)
        wrong += (i % 128 < 16) != (back.indexAt(i % 128, i / 128) == back.transparentIndex);
    EXPECT_EQ(wrong, 0);
}
