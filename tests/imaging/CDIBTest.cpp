#include "imaging/CDIB.h"
#include "imaging/DibPainter.h"
#include "imaging/PackedDib.h"

#include "DibFixtures.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace DibFixtures;

namespace {

QByteArray saved(const CDIB& dib)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(dib.Save(buffer));
    return buffer.data();
}

void expectSameSection(const CDIB& a, const CDIB& b)
{
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    ASSERT_EQ(a.BPP(), b.BPP());
    ASSERT_EQ(a.Size(), b.Size());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(a.lpBits()), a.Size()),
              QByteArray(reinterpret_cast<const char*>(b.lpBits()), b.Size()));
    QByteArray pa, pb;
    a.GetPalette(pa);
    b.GetPalette(pb);
    EXPECT_EQ(pa, pb);
}

} // namespace

TEST(CDIB, CreateGivesAlignedStridesSizesAndTables)
{
    CDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, 24));
    EXPECT_EQ(dib.BytesPerScanLine(), 12);
    EXPECT_EQ(dib.Size(), 24);
    EXPECT_NE(dib.hDIB(), 0u);

    ASSERT_TRUE(dib.Create(3, 2, 1));
    EXPECT_EQ(dib.BytesPerScanLine(), 4);
    EXPECT_EQ(dib.Size(), 8);

    struct Case {
        int w, h, bpp, stride, paletteBytes;
    };
    for (const Case c : {Case{33, 1, 1, 8, 8}, Case{9, 3, 4, 8, 64}, Case{5, 2, 8, 8, 1024}, Case{5, 2, 32, 20, 0},
                         Case{1, 1, 24, 4, 0}}) {
        ASSERT_TRUE(dib.Create(c.w, c.h, c.bpp)) << c.w << "x" << c.h << "x" << c.bpp;
        EXPECT_EQ(dib.BytesPerScanLine(), c.stride);
        EXPECT_EQ(dib.Size(), c.stride * c.h);
        QByteArray palette;
        dib.GetPalette(palette);
        EXPECT_EQ(palette, QByteArray(c.paletteBytes, '\0'));
        EXPECT_EQ(dib.section().header().biSize, 40u);
        EXPECT_EQ(dib.section().header().biPlanes, 1);
    }

    // Unsupported depths and absurd or empty sizes leave the object empty.
    for (const Case c : {Case{3, 2, 16, 0, 0}, Case{3, 2, 2, 0, 0}, Case{0, 2, 24, 0, 0}, Case{3, -2, 24, 0, 0},
                         Case{40000, 1, 8, 0, 0}, Case{20000, 20000, 32, 0, 0}}) {
        EXPECT_FALSE(dib.Create(c.w, c.h, c.bpp)) << c.w << "x" << c.h << "x" << c.bpp;
        EXPECT_EQ(dib.hDIB(), 0u);
        EXPECT_EQ(dib.Width(), 0);
        EXPECT_EQ(dib.BPP(), 0);
        EXPECT_EQ(dib.Size(), 0);
    }
    // An empty object does nothing.
    QImage target(4, 4, QImage::Format_RGB32);
    QPainter painter(&target);
    EXPECT_EQ(dib.Paint(painter), 0);
    EXPECT_EQ(dib.LoadBlt(target), 0);
    EXPECT_EQ(dib.CopyToClipboard(), 0);
    EXPECT_FALSE(dib.Save(QDir::temp().filePath("never-written.bmp")));
    EXPECT_TRUE(dib.Image().isNull());
}

TEST(CDIB, RowsAreBottomUpWithColourBytesBlueGreenRed)
{
    CDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, 24));
    dib.Cls(0x00332211); // red 0x11, green 0x22, blue 0x33
    const uchar* bits = dib.lpBits();
    for (int row = 0; row < 2; ++row)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(bits[row * 12 + 3 * x], 0x33);
            EXPECT_EQ(bits[row * 12 + 3 * x + 1], 0x22);
            EXPECT_EQ(bits[row * 12 + 3 * x + 2], 0x11);
        }
    EXPECT_EQ(bits[9], 0) << "row padding is not pixel data";

    {
        DibPainter p(dib.section());
        p->fillRect(0, 0, 1, 1, QColor(255, 0, 0)); // top-left pixel
    }
    // The top row is the last row in memory.
    EXPECT_EQ(bits[12 + 0], 0);
    EXPECT_EQ(bits[12 + 2], 255);
    EXPECT_EQ(bits[0], 0x33) << "bottom row untouched";

    dib.Reset();
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bits), 24), QByteArray(24, '\0'));

    // 1 bit: leftmost pixel in the high bit; 4 bits: leftmost in the high nibble.
    ASSERT_TRUE(dib.Create(9, 1, 1));
    dib.section().setPixelIndex(0, 0, 1);
    dib.section().setPixelIndex(8, 0, 1);
    EXPECT_EQ(dib.lpBits()[0], 0x80);
    EXPECT_EQ(dib.lpBits()[1], 0x80);
    ASSERT_TRUE(dib.Create(3, 1, 4));
    dib.section().setPixelIndex(0, 0, 0xA);
    dib.section().setPixelIndex(1, 0, 0x5);
    dib.section().setPixelIndex(2, 0, 0xC);
    EXPECT_EQ(dib.lpBits()[0], 0xA5);
    EXPECT_EQ(dib.lpBits()[1], 0xC0);
}

TEST(CDIB, SaveWritesTheBmpLayoutThatAnIndependentDecoderReads)
{
    CDIB dib;
    ASSERT_TRUE(dib.Create(2, 2, 8));
    fillPattern(dib.section());
    const QByteArray file = saved(dib);
    ASSERT_EQ(file.size(), 1086);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(qFromLittleEndian<quint32>(file.constData() + 2), 1086u);
    EXPECT_EQ(qFromLittleEndian<quint32>(file.constData() + 6), 0u);
    EXPECT_EQ(qFromLittleEndian<quint32>(file.constData() + 10), 1078u);
    EXPECT_EQ(file.mid(14, 40), dib.section().header().toBytes());
    EXPECT_EQ(qFromLittleEndian<quint32>(file.constData() + 14 + 20), 8u) << "biSizeImage";
    EXPECT_EQ(file.mid(1078), QByteArray(reinterpret_cast<const char*>(dib.lpBits()), 8));

    // Odd sizes at every depth decode to the section's own pixels.
    for (int bpp : {1, 4, 8, 24, 32}) {
        ASSERT_TRUE(dib.Create(7, 5, bpp));
        fillPattern(dib.section());
        const QImage decoded = decode(saved(dib));
        ASSERT_EQ(decoded.size(), QSize(7, 5)) << bpp;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(decoded.pixel(x, y) | 0xFF000000u, dib.section().pixel(x, y))
                    << "bpp " << bpp << " at " << x << "," << y;
    }

    // Saving to a path replaces an existing file only as a whole.
    QTemporaryDir dir;
    const QString path = dir.filePath("out.bmp");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();
    ASSERT_TRUE(dib.Save(path));
    EXPECT_EQ(QFileInfo(path).size(), 14 + 40 + dib.Size());
    EXPECT_FALSE(dib.Save(dir.filePath("missing-folder/out.bmp")));
}

TEST(CDIB, CreateFromBitmapFileKeepsDepthPixelsAndPalette)
{
    QTemporaryDir dir;
    CDIB source, loaded;
    for (int bpp : {1, 4, 8, 24, 32}) {
        ASSERT_TRUE(source.Create(6, 3, bpp));
        fillPattern(source.section());
        const QString path = dir.filePath(QString("d%1.bmp").arg(bpp));
        ASSERT_TRUE(source.Save(path));
        EXPECT_EQ(loaded.CreateFromBitmapFile(path), bpp);
        expectSameSection(source, loaded);
    }

    // A BMP written by another encoder (24-bit rows) loads with the same colours.
    QImage picture(5, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            picture.setPixel(x, y, patternColor(x, y));
    const QString foreign = dir.filePath("foreign.bmp");
    ASSERT_TRUE(QImageWriter(foreign, "bmp").write(picture));
    ASSERT_GT(loaded.CreateFromBitmapFile(foreign), 8);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(loaded.section().pixel(x, y), patternColor(x, y));

    // A missing or empty file leaves the object as it was.
    EXPECT_EQ(loaded.CreateFromBitmapFile(dir.filePath("missing.bmp")), 0);
    QFile empty(dir.filePath("empty.bmp"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_EQ(loaded.CreateFromBitmapFile(empty.fileName()), 0);
    EXPECT_EQ(loaded.Width(), 5);

    // Resource bitmaps by number from a folder standing in for the module.
    ASSERT_TRUE(QFile::copy(dir.filePath("d4.bmp"), dir.filePath("7.bmp")));
    EXPECT_EQ(loaded.CreateFromResourceBitmap(dir.path(), 7), 4);
    EXPECT_EQ(loaded.Width(), 6);
    EXPECT_EQ(loaded.CreateFromResourceBitmap(dir.path(), 8), 0);
    EXPECT_EQ(loaded.CreateFromResourceBitmap(dir.filePath("missing.rcc"), 7), 0);
}

TEST(CDIB, LoadBltCopiesFromTheSourceOriginToTheSectionOrigin)
{
    QImage src(7, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x)
            src.setPixel(x, y, patternColor(x, y));
    CDIB dib;
    ASSERT_TRUE(dib.Create(5, 3, 24));
    // Width and height 0 mean the section's own: the whole 5 x 3 section is filled.
    EXPECT_NE(dib.LoadBlt(src, 1, 1), 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(dib.section().pixel(x, y), patternColor(x + 1, y + 1)) << x << "," << y;

    // An explicit width copies only those columns.
    dib.Reset();
    EXPECT_NE(dib.LoadBlt(src, 0, 0, 2, 0), 0);
    EXPECT_EQ(dib.section().pixel(1, 2), patternColor(1, 2));
    EXPECT_EQ(dib.section().pixel(2, 0), qRgb(0, 0, 0));

    // The part of the rectangle beyond the source leaves the section alone.
    dib.Cls(0x00FFFFFF);
    dib.LoadBlt(src, 5, 2);
    EXPECT_EQ(dib.section().pixel(1, 1), patternColor(6, 3));
    EXPECT_EQ(dib.section().pixel(2, 0), qRgb(255, 255, 255));
    EXPECT_EQ(dib.section().pixel(0, 2), qRgb(255, 255, 255));

    // From another section's device context.
    CDIB other;
    ASSERT_TRUE(other.Create(5, 3, 32));
    other.LoadBlt(dib.hDC());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(other.section().pixel(x, y), dib.section().pixel(x, y));
}

TEST(CDIB, ClipboardRoundTripCarriesPackedBytesAndImage)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    CDIB dib, back;
    for (int bpp : {4, 8, 24}) {
        ASSERT_TRUE(dib.Create(5, 3, bpp));
        fillPattern(dib.section());
        const qsizetype handle = dib.CopyToClipboard();
        const int paletteBytes = bpp <= 8 ? 4 << bpp : 0;
        EXPECT_EQ(handle, 40 + paletteBytes + dib.Size());
        const QMimeData* data = clipboard->mimeData();
        ASSERT_NE(data, nullptr);
        const QByteArray block = data->data(CDIB::kClipboardDibFormat);
        ASSERT_EQ(block.size(), handle);
        EXPECT_EQ(block.left(40), dib.section().header().toBytes());
        EXPECT_EQ(block.right(dib.Size()), QByteArray(reinterpret_cast<const char*>(dib.lpBits()), dib.Size()));
        const QImage image = qvariant_cast<QImage>(data->imageData());
        ASSERT_EQ(image.size(), QSize(5, 3));
        EXPECT_EQ(image.pixel(4, 0) | 0xFF000000u, dib.section().pixel(4, 0));

        EXPECT_EQ(back.CreateFromClipboard(), bpp);
        expectSameSection(dib, back);
    }

    // Truncated or hostile DIB bytes are refused.
    QByteArray block = PackedDib::pack(dib.section());
    for (const QByteArray& bad :
         {block.left(block.size() - 1), block.left(39), QByteArray(),
          QByteArray(block).replace(4, 4, QByteArray("\xff\xff\xff\x7f", 4)),
          QByteArray(block).replace(14, 2, QByteArray("\x10\x00", 2))}) {
        auto* data = new QMimeData;
        data->setData(CDIB::kClipboardDibFormat, bad);
        clipboard->setMimeData(data);
        EXPECT_EQ(back.CreateFromClipboard(), 0);
        EXPECT_EQ(back.hDIB(), 0u);
    }

    // A top-down block (negative height) from another program is turned the right way up.
    QByteArray topDown = block;
    qToLittleEndian<qint32>(-3, topDown.data() + 8);
    auto* data = new QMimeData;
    data->setData(CDIB::kClipboardDibFormat, topDown);
    clipboard->setMimeData(data);
    ASSERT_EQ(back.CreateFromClipboard(), 24);
    EXPECT_EQ(back.section().pixel(2, 0), dib.section().pixel(2, 2));

    // An image without DIB bytes arrives at 32 bits; an empty clipboard gives 0.
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    clipboard->setImage(picture);
    EXPECT_EQ(back.CreateFromClipboard(), 32);
    EXPECT_EQ(back.section().pixel(2, 1), qRgb(10, 20, 30));
    clipboard->clear();
    EXPECT_EQ(back.CreateFromClipboard(), 0);
}

TEST(CDIB, CloneToCopiesPixelsAndPaletteOnlyWhenHeld)
{
    CDIB source, target;
    ASSERT_TRUE(source.Create(5, 3, 8));
    fillPattern(source.section());
    ASSERT_TRUE(target.Create(2, 2, 32));
    EXPECT_EQ(source.CloneTo(target), 8);
    expectSameSection(source, target);
    EXPECT_NE(target.lpBits(), source.lpBits());

    ASSERT_TRUE(source.Create(7, 2, 24));
    fillPattern(source.section());
    EXPECT_EQ(source.CloneTo(target), 24);
    expectSameSection(source, target);
    QByteArray palette("unchanged");
    target.GetPalette(palette);
    EXPECT_TRUE(palette.isEmpty());

    CDIB empty;
    EXPECT_EQ(empty.CloneTo(target), 0);
    EXPECT_EQ(target.Width(), 7) << "an empty source leaves the target alone";
}

TEST(CDIB, PaintAndStretchDrawOntoAPainter)
{
    CDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, 4));
    fillPattern(dib.section());
    QImage target(10, 8, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        EXPECT_NE(dib.Paint(painter, 2, 1), 0);
    }
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            ASSERT_EQ(target.pixel(x + 2, y + 1), dib.section().pixel(x, y));
    EXPECT_EQ(target.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(target.pixel(5, 1), qRgb(255, 255, 255));

    // Twice the size, colour on colour: each pixel becomes an exact 2 x 2 block.
    for (const bool use24 : {false, true}) {
        target.fill(Qt::white);
        {
            QPainter painter(&target);
            const int r = use24 ? dib.Stretch24(painter, 0, 0, 6, 4) : dib.Stretch(painter, 0, 0, 6, 4);
            EXPECT_NE(r, 0);
        }
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                ASSERT_EQ(target.pixel(x, y), dib.section().pixel(x / 2, y / 2)) << use24 << " " << x << "," << y;
    }

    // A source rectangle and an inverting raster operation on a white target.
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        EXPECT_NE(dib.Stretch(painter, 0, 0, 1, 1, 2, 1, 1, 1, RasterOperation::SRCINVERT), 0);
        EXPECT_EQ(dib.Stretch(painter, 0, 0, 1, 1, 0, 0, 0, 0, 0x12345678), 0) << "unknown raster operation";
        EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_SourceOver) << "painter state restored";
    }
    EXPECT_EQ(target.pixel(0, 0), dib.section().pixel(2, 1) ^ 0x00FFFFFFu);

    const QImage image = dib.Image().toImage();
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixel(2, 1) | 0xFF000000u, dib.section().pixel(2, 1));
}

TEST(CDIB, CreateFromStdPictureKeepsOrForcesTheDepth)
{
    QImage indexed(4, 3, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(200, 100, 50), qRgb(9, 8, 7)});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            indexed.setPixel(x, y, uint((x + y) % 3));
    CDIB dib;
    EXPECT_EQ(dib.CreateFromStdPicture(indexed), 8);
    EXPECT_EQ(dib.section().pixelIndex(3, 1), 1u);
    EXPECT_EQ(dib.section().pixel(3, 1), qRgb(200, 100, 50));

    EXPECT_EQ(dib.CreateFromStdPicture(indexed, true), 32);
    EXPECT_EQ(dib.section().pixel(3, 1), qRgb(200, 100, 50));

    EXPECT_EQ(dib.CreateFromStdPicture(indexed.convertToFormat(QImage::Format_Mono)), 1);
    EXPECT_EQ(dib.CreateFromStdPicture(indexed.convertToFormat(QImage::Format_RGB888)), 24);
    EXPECT_EQ(dib.section().pixel(1, 0), qRgb(200, 100, 50));

    QImage argb(2, 2, QImage::Format_ARGB32);
    argb.fill(qRgba(10, 20, 30, 128));
    EXPECT_EQ(dib.CreateFromStdPicture(QPixmap::fromImage(argb)), 32);
    EXPECT_EQ(dib.lpBits()[0], 30);
    EXPECT_EQ(dib.lpBits()[3], 128) << "a block copy keeps the fourth byte";

    EXPECT_EQ(dib.CreateFromStdPicture(QImage()), 0);
}

TEST(CDIB, DrawingIntoPaletteSectionsMatchesTableEntries)
{
    CDIB dib;
    ASSERT_TRUE(dib.Create(4, 2, 8));
    QByteArray table(1024, '\0');
    table[4 * 2 + 2] = char(255); // entry 2 red
    table[4 * 3 + 1] = char(255); // entry 3 green
    dib.SetPalette(table);
    dib.section().setPixelIndex(3, 1, 1); // entry 1 is black too
    {
        DibPainter p(dib.section());
        p->fillRect(0, 0, 2, 1, QColor(250, 10, 0));
        p->fillRect(2, 0, 1, 1, QColor(0, 200, 30));
    }
    EXPECT_EQ(dib.section().pixelIndex(0, 0), 2u);
    EXPECT_EQ(dib.section().pixelIndex(1, 0), 2u);
    EXPECT_EQ(dib.section().pixelIndex(2, 0), 3u);
    EXPECT_EQ(dib.section().pixelIndex(3, 1), 1u) << "untouched pixels keep their index";

    dib.Cls(0x000000FF); // red
    EXPECT_EQ(dib.section().pixelIndex(3, 1), 2u);

    // SetPalette writes only what the table holds; entries beyond the array stay.
    dib.SetPalette(QByteArray("\x01\x02\x03\x04\x05", 5));
    QByteArray back;
    dib.GetPalette(back);
    EXPECT_EQ(back.left(8), QByteArray("\x01\x02\x03\x00\x00\x00\x00\x00", 8));
    EXPECT_EQ(back.mid(8, 4), QByteArray("\x00\x00\xff\x00", 4));
    EXPECT_EQ(back.size(), 1024);
}
