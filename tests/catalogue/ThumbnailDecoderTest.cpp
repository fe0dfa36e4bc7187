#include "catalogue/ThumbnailDecoder.h"
#include "catalogue/ThumbnailDecodeQueue.h"
#include "support/WaitFor.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

namespace
{
constexpr QRgb kRed = qRgb(200, 30, 10);
constexpr QSize kBox(219, 100);

// A 150 x 150 GIF (Qt writes no GIF) in the colours of picture(): red with a blue 30 x 30 corner.
const char kGif150[] =
    "R0lGODlhlgCWAPAAAMgeCgAA/yH5BAAAAAAALAAAAACWAJYAAAL+jI+pa+APo5y02ouz3qz7s4XiSJbchyrmyrZulMbgS9d2Jcv3z"
    "tN53AsKR7/U8IjEFT/JpnPJdEqHUM/02qt2sFybltENu74LsdlEVp3XoXSCDc+4EfG6ch6w62H4/P7f5/enFzi4V2hoh5gYt8jI5vh4"
    "FikpRlnZdYmJpbk51en51BdKWmp6ipqqusra6voKGys7S1tre4ubq7vL2+v7CxwsPExcbHyMnKy8zNzs/AwdLT1NXW19jZ2tvc3d7f"
    "0NHi4+Tl5ufo6err7O3u7+Dh8vP09fb3+Pn6+/z9/v/w8woMCBBAsaPIgwocKFDBs6fAgxosSJFCtavIgxo8YQjRw7evwIMqTIkSRL"
    "mhRWAAA7";

QByteArray encoded(const QImage& image, const char* format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(QImageWriter(&buffer, format).write(image)) << format;
    return buffer.data();
}
QByteArray picture(int w, int h, const char* format, QRgb colour = kRed)
{
    if (QByteArray(format) == "gif")
        return QByteArray::fromBase64(kGif150);
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    // A corner that tells a flipped or mirrored decode.
    for (int y = 0; y < h / 5; ++y)
        for (int x = 0; x < w / 5; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    return encoded(image, format);
}
quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}
QByteArray pngChunk(const QByteArray& typeAndData)
{
    QByteArray length(4, '\0'), crc(4, '\0');
    qToBigEndian(quint32(typeAndData.size() - 4), length.data());
    qToBigEndian(crc32(typeAndData), crc.data());
    return length + typeAndData + crc;
}
// A valid PNG header declaring w x h pixels, then an empty data chunk: the size can be read,
// the pixels cannot.
QByteArray pngHeader(quint32 w, quint32 h)
{
    QByteArray ihdr("IHDR");
    ihdr += QByteArray(13, '\0');
    qToBigEndian(w, ihdr.data() + 4);
    qToBigEndian(h, ihdr.data() + 8);
    ihdr[12] = 8; // bit depth
    ihdr[13] = 2; // truecolour
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk(ihdr) + pngChunk("IDAT");
}
} // namespace

TEST(ThumbnailDecoder, DecodesEachRasterFormatToTheSizeItIsDrawnAt)
{
    for (const char* format : {"png", "jpeg", "gif", "bmp", "webp"}) {
        SCOPED_TRACE(format);
        const QByteArray bytes = picture(150, 150, format);
        // 150 x 150 fitted into 219 x 100: drawn at 100 x 100.
        ThumbnailImage t = ThumbnailDecoder::decode(bytes, kBox, 1.0);
        EXPECT_EQ(t.natural, QSize(150, 150));
        ASSERT_EQ(t.image.size(), QSize(100, 100));
        EXPECT_EQ(t.image.devicePixelRatio(), 1.0);
        EXPECT_LE(qAbs(qRed(t.image.pixel(60, 60)) - 200), 12);
        EXPECT_LE(qAbs(qGreen(t.image.pixel(60, 60)) - 30), 12);
        EXPECT_GT(qBlue(t.image.pixel(5, 5)), 200); // top-left stays top-left
        EXPECT_LT(qBlue(t.image.pixel(95, 95)), 60);
        // At twice the density: 200 device pixels wanted, but a picture is never enlarged.
        t = ThumbnailDecoder::decode(bytes, kBox, 2.0);
        EXPECT_EQ(t.image.size(), QSize(150, 150));
        EXPECT_EQ(t.image.deviceIndependentSize(), QSizeF(100, 100));
    }
    // A small picture keeps its size; a wide one is fitted to the box width.
    EXPECT_EQ(ThumbnailDecoder::decode(picture(48, 48, "png"), kBox, 1.0).image.size(), QSize(48, 48));
    const ThumbnailImage wide = ThumbnailDecoder::decode(picture(1000, 10, "png"), kBox, 2.0);
    EXPECT_EQ(std::pair(wide.natural, wide.image.size()), std::pair(QSize(1000, 10), QSize(438, 4)));
}

TEST(ThumbnailDecoder, RefusesVectorsUnknownBytesAndPicturesBeyondTheBoundsBeforeDecoding)
{
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='64' height='64'>"
                           "<rect width='64' height='64' fill='red'/></svg>";
    for (const QByteArray& bytes :
         {svg, "<?xml version='1.0'?>" + svg, QByteArray("\x89PNG not really"), QByteArray("GIF89a"),
          QByteArray("RIFF\0\0\0\0WAVE", 12), QByteArray("just text"), QByteArray()}) {
        const ThumbnailImage t = ThumbnailDecoder::decode(bytes, kBox, 1.0);
        EXPECT_TRUE(t.image.isNull() && !t.natural.isValid()) << bytes.left(20).toStdString();
    }
    EXPECT_EQ(ThumbnailDecoder::decode(picture(4096, 2, "png"), kBox, 1.0).natural, QSize(4096, 2));
    QBuffer header; // the reader sees the declared size of these files
    header.setData(pngHeader(65000, 65000));
    EXPECT_EQ(QImageReader(&header, "png").size(), QSize(65000, 65000));
    for (const QSize size : {QSize(4097, 2), QSize(2, 4097), QSize(2049, 2049)})
        EXPECT_TRUE(
            ThumbnailDecoder::decode(picture(size.width(), size.height(), "png"), kBox, 1.0).image.isNull())
            << size.width() << "x" << size.height();
    EXPECT_TRUE(ThumbnailDecoder::decode(pngHeader(65000, 65000), kBox, 1.0).image.isNull());
    // A tiny run-length BMP that claims millions of pixels.
    QByteArray rle = picture(4, 4, "bmp");
    qToLittleEndian<qint32>(6000, rle.data() + 18);
    qToLittleEndian<qint32>(5300, rle.data() + 22);
    qToLittleEndian<quint32>(1, rle.data() + 30); // BI_RLE8
    EXPECT_TRUE(ThumbnailDecoder::decode(rle, kBox, 1.0).image.isNull());
}

TEST(ThumbnailDecodeQueue, StoresAndDecodesOnWorkersAndHandsOnInPushOrderAndClearDropsThePending)
{
    ThumbnailDecodeQueue queue;
    std::vector<QSize> handed;
    QStringList storeErrors;
    QObject::connect(&queue, &ThumbnailDecodeQueue::decoded,
                     [&](const ThumbnailImage& t, const QString& error) {
                         handed.push_back(t.natural);
                         storeErrors << error;
                     });
    // Each store says which it was, and counts the ones run on the window's thread.
    std::atomic<int> storedOnWindowThread{0};
    auto store = [&storedOnWindowThread](const QString& outcome) {
        return [&storedOnWindowThread, outcome] {
            if (QThread::currentThread() == QCoreApplication::instance()->thread())
                ++storedOnWindowThread;
            return outcome;
        };
    };
    // The slow decodes come first: the quick ones behind them must wait.
    for (int i = 0; i < 4; ++i)
        queue.push(picture(2000, 2000, "png"), kBox, 1.0, store(""));
    for (int i = 1; i <= 6; ++i)
        queue.push(picture(i, i, "png"), kBox, 1.0, store(i == 3 ? "disk full" : ""));
    queue.push("garbage", kBox, 1.0, store(""));
    EXPECT_EQ(queue.pending(), 11);
    WAIT_EQ(queue.pending(), 0, 30000);
    std::vector<QSize> expected(4, QSize(2000, 2000));
    for (int i = 1; i <= 6; ++i)
        expected.push_back(QSize(i, i));
    expected.push_back(QSize());
    EXPECT_EQ(handed, expected);
    EXPECT_EQ(storeErrors.join(','), ",,,,,,disk full,,,,");
    EXPECT_EQ(storedOnWindowThread, 0);

    handed.clear();
    for (int i = 0; i < 3; ++i)
        queue.push(picture(2000, 2000, "png"), kBox, 1.0, store(""));
    queue.clear();
    queue.push(picture(7, 7, "png"), kBox, 1.0, store(""));
    WAIT_EQ(queue.pending(), 0, 30000);
    EXPECT_EQ(handed, std::vector<QSize>{QSize(7, 7)});
}
