#include "imaging/DibBitmap.h"
#include "imaging/PackedDib.h"

#include "DibFixtures.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace DibFixtures;

namespace
{

QByteArray bits(const DibBitmap& dib)
{
    return QByteArray(reinterpret_cast<const char*>(dib.bits()), dib.size());
}

QByteArray palette(const DibBitmap& dib)
{
    QByteArray table;
    dib.readPalette(table);
    return table;
}

void expectSameSection(const DibBitmap& a, const DibBitmap& b)
{
    ASSERT_EQ(QList<int>({a.width(), a.height(), a.bpp()}), QList<int>({b.width(), b.height(), b.bpp()}));
    EXPECT_EQ(bits(a), bits(b));
    EXPECT_EQ(palette(a), palette(b));
}

} // namespace

// DibBitmap and DibCanvas share the section underneath: what they have in common is tested here, once.
TEST(DibBitmap, CreateGivesAlignedStridesSizesAndTables)
{
    DibBitmap dib;
    struct Case {
        int w, h, bpp, stride, paletteBytes;
    };
    for (const Case c : {Case{3, 2, 24, 12, 0}, Case{3, 2, 1, 4, 8}, Case{33, 1, 1, 8, 8},
                         Case{9, 3, 4, 8, 64}, Case{5, 2, 8, 8, 1024}, Case{5, 2, 32, 20, 0}}) {
        ASSERT_TRUE(dib.create(c.w, c.h, c.bpp)) << c.w << "x" << c.h << "x" << c.bpp;
        EXPECT_EQ(QList<int>({dib.bytesPerScanLine(), dib.size()}), QList<int>({c.stride, c.stride * c.h}));
        EXPECT_EQ(palette(dib), QByteArray(c.paletteBytes, '\0'));
    }
    // Unsupported depths and absurd or empty sizes leave the object empty, and it then does nothing.
    for (const Case c : {Case{3, 2, 16, 0, 0}, Case{3, 2, 2, 0, 0}, Case{0, 2, 24, 0, 0},
                         Case{3, -2, 24, 0, 0}, Case{20000, 20000, 32, 0, 0}}) {
        EXPECT_FALSE(dib.create(c.w, c.h, c.bpp)) << c.w << "x" << c.h << "x" << c.bpp;
        EXPECT_EQ(dib.bitsAddress() + dib.size() + dib.width() + dib.bpp(), 0u);
    }
    EXPECT_EQ(dib.copyFrom(QImage(4, 4, QImage::Format_RGB32)) + dib.copyToClipboard(), 0);
}

TEST(DibBitmap, SavedFilesAndClonesGiveTheSectionBack)
{
    // Odd sizes at every depth decode to the section's own pixels; rows are stored bottom-up.
    QTemporaryDir dir;
    DibBitmap dib, loaded, clone, empty;
    for (int bpp : {1, 4, 8, 24, 32}) {
        ASSERT_TRUE(dib.create(7, 5, bpp));
        fillPattern(dib.section());
        QBuffer file;
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && dib.save(file));
        EXPECT_EQ(qFromLittleEndian<quint32>(file.data().constData() + 2), quint32(file.size())) << bpp;
        const QImage decoded = QImage::fromData(file.data());
        ASSERT_EQ(decoded.size(), QSize(7, 5)) << bpp;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(decoded.pixel(x, y) | 0xFF000000u, dib.section().pixel(x, y))
                    << bpp << " " << x << "," << y;

        // Read back from a file, and cloned: the same depth, pixels and colour table.
        const QString path = dir.filePath(QString("d%1.bmp").arg(bpp));
        ASSERT_TRUE(dib.save(path));
        EXPECT_EQ(loaded.createFromBitmapFile(path), bpp);
        expectSameSection(dib, loaded);
        EXPECT_EQ(dib.cloneTo(clone), bpp);
        expectSameSection(dib, clone);
    }
    EXPECT_EQ(empty.cloneTo(clone), 0);
    EXPECT_EQ(clone.bpp(), 32) << "an empty source leaves the target alone";
    EXPECT_FALSE(dib.save(dir.filePath("missing-folder/out.bmp")));
    // A missing file leaves the object as it was.
    EXPECT_EQ(loaded.createFromBitmapFile(dir.filePath("missing.bmp")), 0);
    EXPECT_EQ(loaded.bpp(), 32);
}

TEST(DibBitmap, LoadBltCopiesFromTheSourceOriginToTheSectionOrigin)
{
    DibBitmap source, dib;
    ASSERT_TRUE(source.create(7, 4, 32) && dib.create(5, 3, 24));
    fillPattern(source.section());
    const QImage src = source.toImage();
    // width and height 0 mean the section's own: the whole 5 x 3 section is filled.
    EXPECT_NE(dib.copyFrom(src, 1, 1), 0);
    for (int i = 0; i < 15; ++i)
        ASSERT_EQ(dib.section().pixel(i % 5, i / 5), patternColor(i % 5 + 1, i / 5 + 1)) << i;

    // An explicit width copies only those columns; the part beyond the source is left alone.
    dib.clear(0x00FFFFFF);
    EXPECT_NE(dib.copyFrom(src, 5, 2, 1, 0), 0);
    for (int i = 0; i < 15; ++i)
        ASSERT_EQ(dib.section().pixel(i % 5, i / 5),
                  i % 5 == 0 && i < 10 ? patternColor(5, 2 + i / 5) : qRgb(255, 255, 255))
            << i;
}

TEST(DibBitmap, ClipboardRoundTripCarriesPackedBytesAndImage)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    DibBitmap dib, back;
    for (int bpp : {4, 8, 24}) {
        ASSERT_TRUE(dib.create(5, 3, bpp));
        fillPattern(dib.section());
        EXPECT_EQ(dib.copyToClipboard(), 40 + (bpp <= 8 ? 4 << bpp : 0) + dib.size());
        // Header, colour table, pixels.
        EXPECT_EQ(clipboard->mimeData()->data(DibBitmap::kClipboardDibFormat),
                  dib.section().header().toBytes() + palette(dib) + bits(dib));
        EXPECT_EQ(qvariant_cast<QImage>(clipboard->mimeData()->imageData()).pixel(4, 0) | 0xFF000000u,
                  dib.section().pixel(4, 0));
        EXPECT_EQ(back.createFromClipboard(), bpp);
        expectSameSection(dib, back);
    }

    // Truncated or hostile DIB bytes are refused; a top-down block is turned the right way up.
    const QByteArray block = PackedDib::pack(dib.section());
    QByteArray topDown = block;
    qToLittleEndian<qint32>(-3, topDown.data() + 8);
    for (const QByteArray& bytes : {block.left(block.size() - 1), block.left(39), QByteArray(),
                                    QByteArray(block).replace(4, 4, QByteArray("\xff\xff\xff\x7f", 4)),
                                    QByteArray(block).replace(14, 2, QByteArray("\x10\x00", 2)), topDown}) {
        auto* data = new QMimeData;
        data->setData(DibBitmap::kClipboardDibFormat, bytes);
        clipboard->setMimeData(data);
        EXPECT_EQ(back.createFromClipboard(), bytes == topDown ? 24 : 0);
        EXPECT_EQ(back.bitsAddress() == 0, bytes != topDown);
    }
    EXPECT_EQ(back.section().pixel(2, 0), dib.section().pixel(2, 2));

    // An image without DIB bytes arrives at 32 bits; an empty clipboard gives 0.
    clipboard->setImage(dib.toImage());
    EXPECT_EQ(back.createFromClipboard(), 32);
    EXPECT_EQ(back.section().pixel(4, 2), patternColor(4, 2));
    clipboard->clear();
    EXPECT_EQ(back.createFromClipboard(), 0);
}
