#include "export/DIBsave.h"
#include "export/modDither.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// Packs (r, g, b) pixels into the quantiser's layout: blue, green, red, rows padded to 4 bytes.
struct Pixels {
    int width = 0;
    int rows = 0;
    int stride = 0;
    std::vector<quint8> bytes;
};

Pixels pack(const std::vector<QRgb>& colors, int width)
{
    Pixels p;
    p.width = width;
    p.rows = int(colors.size()) / width;
    p.stride = (3 * width + 3) / 4 * 4;
    p.bytes.assign(size_t(p.stride) * p.rows, 0xEE);  // padding bytes must not be read as pixels
    for (size_t i = 0; i < colors.size(); ++i) {
        quint8* at = p.bytes.data() + (i / width) * p.stride + 3 * (i % width);
        at[0] = quint8(qBlue(colors[i]));
        at[1] = quint8(qGreen(colors[i]));
        at[2] = quint8(qRed(colors[i]));
    }
    return p;
}

void build(const Pixels& p, int maxColors = 256)
{
    modDither::BuildOctreePalette(p.stride, p.rows, p.stride - 3 * p.width, p.bytes.data(), maxColors, 8);
}

QRgb paletteColor(int i)
{
    quint8 b = 0, g = 0, r = 0;
    modDither::GetPaletteColor(i, b, g, r);
    return qRgb(r, g, b);
}

int indexOf(QRgb c)
{
    return modDither::GetPaletteIndex(quint8(qBlue(c)), quint8(qGreen(c)), quint8(qRed(c)));
}

std::vector<QRgb> distinctColors(int n)
{
    std::vector<QRgb> colors;
    for (int i = 0; i < n; ++i)
        colors.push_back(qRgb((i * 37) % 256, (i * 91 + 13) % 256, (i * 53 + i / 7) % 256));
    return colors;
}

} // namespace

TEST(ModDitherTest, FewColoursMapToThemselves)
{
    const std::vector<QRgb> colors = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 255, 0),
                                      qRgb(0, 0, 255), qRgb(12, 34, 56), qRgb(200, 100, 50), qRgb(1, 2, 3),
                                      qRgb(128, 128, 128), qRgb(129, 128, 128), qRgb(64, 0, 64), qRgb(7, 250, 9),
                                      qRgb(99, 99, 98), qRgb(250, 250, 1), qRgb(3, 180, 180), qRgb(77, 1, 200)};
    std::vector<QRgb> image;
    for (int repeat = 0; repeat < 3; ++repeat)
        image.insert(image.end(), colors.begin(), colors.end());
    build(pack(image, 8));
    EXPECT_EQ(modDither::PaletteSize(), 16);
    EXPECT_EQ(modDither::LastPaletteIndex(), 15);
    std::set<int> used;
    for (QRgb c : colors) {
        const int i = indexOf(c);
        EXPECT_EQ(paletteColor(i), c) << "colour " << std::hex << c;
        used.insert(i);
    }
    EXPECT_EQ(used.size(), colors.size());

    // Entries follow the octants of the tree, so black comes first and white last.
    EXPECT_EQ(indexOf(qRgb(0, 0, 0)), 0);
    EXPECT_EQ(indexOf(qRgb(255, 255, 255)), 15);
}

TEST(ModDitherTest, ManyColoursFoldToAtMost256)
{
    const std::vector<QRgb> colors = distinctColors(300);
    ASSERT_EQ(std::set<QRgb>(colors.begin(), colors.end()).size(), 300u);
    build(pack(colors, 20));
    EXPECT_EQ(modDither::PaletteSize(), 256);
    const int last = modDither::LastPaletteIndex();
    EXPECT_LE(last, 255);
    EXPECT_GT(last, 16);
    for (int i = last + 1; i < 256; ++i)
        EXPECT_EQ(paletteColor(i), qRgb(0, 0, 0)) << "slot " << i;
    std::vector<int> first;
    for (QRgb c : colors) {
        const int i = indexOf(c);
        ASSERT_LE(i, last);
        // A folded colour lands on a leaf whose average is near it (folding keeps the top bits).
        EXPECT_LE(std::abs(qRed(paletteColor(i)) - qRed(c)), 64);
        first.push_back(i);
    }

    // Same input, same palette and indices.
    build(pack(colors, 20));
    EXPECT_EQ(modDither::LastPaletteIndex(), last);
    for (size_t k = 0; k < colors.size(); ++k)
        EXPECT_EQ(indexOf(colors[k]), first[k]);
}

TEST(ModDitherTest, OneColourAndTruncatedAverages)
{
    QImage single(7, 3, QImage::Format_RGB888);
    single.fill(QColor(40, 50, 60));
    DIBsave::PaletteImageGIF(single, false);
    ASSERT_EQ(single.format(), QImage::Format_Indexed8);
    EXPECT_EQ(modDither::LastPaletteIndex(), 0);
    EXPECT_EQ(single.colorTable().size(), 16);
    EXPECT_EQ(single.color(0), qRgb(40, 50, 60));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(single.pixelIndex(x, y), 0);

    // With room for one colour, (0, 0, 1) and (0, 0, 2) fold into one leaf of colour (0, 0, 1).
    build(pack({qRgb(0, 0, 1), qRgb(0, 0, 2)}, 2), 1);
    EXPECT_EQ(modDither::LastPaletteIndex(), 0);
    EXPECT_EQ(paletteColor(0), qRgb(0, 0, 1));
    EXPECT_EQ(indexOf(qRgb(0, 0, 2)), 0);
}

TEST(ModDitherTest, LookUpOfAColourNeverFiledFallsBackToAnExistingChild)
{
    build(pack({qRgb(0, 0, 0), qRgb(0, 0, 128)}, 2));
    ASSERT_EQ(modDither::LastPaletteIndex(), 1);
    EXPECT_EQ(indexOf(qRgb(0, 0, 128)), 1);
    // Blue 129 follows (0, 0, 128) down to the last level, then takes its first child slot.
    EXPECT_EQ(indexOf(qRgb(0, 0, 129)), 1);
    // White finds nothing on its way once the scan runs out of slots: entry 0.
    EXPECT_EQ(indexOf(qRgb(255, 255, 255)), 0);
}

TEST(ModDitherTest, PoolGrowsInStepsAndRecyclesFoldedNodes)
{
    modDither::InitTree();
    EXPECT_EQ(modDither::NodeCount(), 1);
    EXPECT_EQ(modDither::PoolCapacity(), modDither::kPoolStep);

    const std::vector<QRgb> colors = distinctColors(4000);
    build(pack(colors, 40), 4000);  // no folding: every colour keeps its path
    const int grown = modDither::PoolCapacity();
    EXPECT_GT(modDither::NodeCount(), modDither::kPoolStep);
    EXPECT_GE(grown, modDither::NodeCount());
    EXPECT_EQ(grown % modDither::kPoolStep, 0);

    build(pack(colors, 40), 256);
    // Folding frees nodes as it goes, so far fewer stay in use and the pool grows less.
    EXPECT_LT(modDither::NodeCount(), 2000);
    EXPECT_LE(modDither::PoolCapacity(), grown);
}

TEST(ModDitherTest, TransparentEntryIsTheFirstNearBlack)
{
    QImage image(4, 1, QImage::Format_RGB888);
    image.setPixelColor(0, 0, QColor(0, 0, 0));
    image.setPixelColor(1, 0, QColor(5, 5, 5));
    image.setPixelColor(2, 0, QColor(4, 4, 4));
    image.setPixelColor(3, 0, QColor(200, 0, 0));
    QImage keyed = image;
    DIBsave::PaletteImageGIF(keyed, true);
    const QList<QRgb> table = keyed.colorTable();
    EXPECT_EQ(qAlpha(table[keyed.pixelIndex(0, 0)]), 0);
    EXPECT_EQ(qAlpha(table[keyed.pixelIndex(1, 0)]), 255);
    EXPECT_EQ(qAlpha(table[keyed.pixelIndex(2, 0)]), 255);  // only the first entry below 5 is keyed
    EXPECT_EQ(qAlpha(table[keyed.pixelIndex(3, 0)]), 255);

    QImage plain = image;
    DIBsave::PaletteImageGIF(plain, false);
    for (QRgb c : plain.colorTable())
        EXPECT_EQ(qAlpha(c), 255);
}
