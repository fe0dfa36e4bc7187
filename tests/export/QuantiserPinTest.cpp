// Palettes and index buffers of the octree reduction, pinned: the values were taken from the
// straightforward implementation (a tree walk per pixel, a keyed copy, then a separate keying
// pass) before it was made faster, so any change to what the reduction produces shows here.
#include "ExportTestUtil.h"
#include "export/ImageSaver.h"
#include "export/PaletteReduction.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentRun>

#include <gtest/gtest.h>

namespace
{

quint32 lcg(quint32& seed)
{
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
}

// Pixels made row by row, top row first.
QImage generated(int w, int h, const std::function<QRgb(int x, int y)>& colour)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, colour(x, y));
    return image;
}

// Odd-sized images with distinct channels, so padding or a swapped channel shows.
QImage gradient()
{
    return generated(97, 61,
                     [](int x, int y) { return qRgb(x * 255 / 96, y * 255 / 60, (x * 3 + y * 5) % 256); });
}

QImage noise(int w, int h, quint32 seed)
{
    return generated(w, h, [seed](int, int) mutable {
        const quint32 v = lcg(seed);
        return qRgb(int(v & 255), int((v >> 8) & 255), int((v >> 16) & 255));
    });
}

QImage fewColours()
{
    const QRgb colours[] = {qRgb(250, 10, 3),    qRgb(4, 4, 4),       qRgb(0, 0, 0),   qRgb(17, 200, 99),
                            qRgb(128, 128, 127), qRgb(255, 255, 255), qRgb(60, 61, 62)};
    return generated(23, 17, [&](int x, int y) { return colours[(x * x + 3 * y) % 7]; });
}

// Noise of channel values below `limit` where about one pixel in `keyedOneIn` is keyed (alpha
// below 130). The sizes and seeds below were chosen so that the key's leaf is shared with visible
// colours in a palette with room to spare and in a full one, that it holds only keyed pixels, and
// that no entry is dark enough to be the key until one is made.
QImage keyed(quint32 seed, int w, int h, int limit, int keyedOneIn)
{
    return generated(w, h, [=](int, int) mutable {
        const quint32 v = lcg(seed);
        if ((v >> 20) % keyedOneIn == 0)
            return qRgba(0, 0, 0, int(v % 100));
        return qRgb(int(v % limit), int((v >> 8) % limit), int((v >> 16) % limit));
    });
}

QImage oneKeyed(QImage image)
{
    image.setPixel(0, 0, 0);
    return image;
}

// The keyed copy the GIF export files into the tree: alpha below 130 gives black (the key),
// visible pixels darker than 10 in every channel give (5, 5, 5).
QImage keyedCopy(const QImage& source)
{
    return generated(source.width(), source.height(), [&](int x, int y) {
        const QRgb p = source.pixel(x, y);
        if (qAlpha(p) < 130)
            return qRgb(0, 0, 0);
        return qRed(p) < 10 && qGreen(p) < 10 && qBlue(p) < 10 ? qRgb(5, 5, 5)
                                                               : qRgb(qRed(p), qGreen(p), qBlue(p));
    });
}

// Opaque and dark: folding files (5, 5, 5) with darker colours into leaves below 5.
QImage dark()
{
    return generated(83, 67, [seed = 9u](int, int) mutable {
        const quint32 v = lcg(seed);
        return qRgb(int(v % 48), int((v >> 6) % 48), int((v >> 12) % 48));
    });
}

std::string digest(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(16).toStdString();
}

// Indices row by row, the colour table (with alpha) of an 8-bit image, and its size.
std::string reducedDigest(QImage image, bool transparent)
{
    ImageSaver::toGifPalette(image, transparent);
    QByteArray bytes;
    for (int y = 0; y < image.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(image.constScanLine(y)), image.width());
    for (QRgb c : image.colorTable())
        bytes.append(reinterpret_cast<const char*>(&c), sizeof c);
    return digest(bytes) + "/" + std::to_string(image.colorCount());
}

} // namespace

TEST(QuantiserPin, PalettesAndIndicesAreThoseOfTheReferenceReduction)
{
    // Digest of indices and colour table / colour-table size.
    const std::tuple<const char*, std::string, const char*> cases[] = {
        {"gradient", reducedDigest(gradient(), false), "769d41eaf0d0888a/256"},
        {"noise", reducedDigest(noise(128, 96, 11), false), "3a7479dcd01ed248/256"},
        {"noise large", reducedDigest(noise(601, 403, 5), false), "808aa73ba8feb123/256"},
        {"few colours", reducedDigest(fewColours(), false), "ef53723db0681f51/16"},
        {"few colours keyed on black", reducedDigest(fewColours(), true), "d61d4be0c130a4b2/16"},
        {"keyed copy, keyed on black", reducedDigest(keyedCopy(keyed(1, 41, 31, 64, 9)), true),
         "ab34e8d30d18cc2c/256"},
    };
    for (const auto& [what, got, want] : cases)
        EXPECT_EQ(got, want) << what;
    // Keyed on black, the dark picture has no black pixel but entries darker than 5: none may
    // become transparent.
    QImage opaque = dark();
    ImageSaver::toGifPalette(opaque, true);
    for (QRgb c : opaque.colorTable())
        ASSERT_EQ(qAlpha(c), 255);
}

TEST(QuantiserPin, SavedGifsAreThoseOfTheReferenceWriterAndKeyExactlyTheKeyedPixels)
{
    const std::tuple<const char*, QImage, bool, const char*> cases[] = {
        {"gradient opaque", gradient(), false, "faa14306d4e066be"},
        {"noise opaque", noise(128, 96, 11), false, "0d371622196cf175"},
        {"key shared, palette full", keyed(1, 41, 31, 64, 9), true, "63adf649683cacdd"},
        {"key alone", keyed(2, 42, 32, 24, 9), true, "8b93ac41d13449f3"},
        {"key shared, room", keyed(2, 42, 32, 256, 9), true, "3c00b96faa63d004"},
        {"no dark entry, room", keyed(9, 49, 39, 256, 60), true, "963ef9df4f2e6e54"},
        {"no dark entry, full", keyed(41, 51, 37, 256, 60), true, "7718bda7ff091f1c"},
        {"few colours, one keyed", oneKeyed(fewColours()), true, "d16ab4e37b0c40d1"},
        {"dark opaque", dark(), true, "c893a58acf9c2e20"},
    };
    for (const auto& [what, image, transBG, want] : cases) {
        QTemporaryDir dir;
        ImageSaver dib;
        dib.createFromImage(image);
        ASSERT_TRUE(dib.save(dir.filePath("pin.gif"), FileType::GIF, transBG, 90, 0, true, 24, 6, 130))
            << what;
        const ExportTestUtil::GifContents gif = ExportTestUtil::readGif(dir.filePath("pin.gif"));
        ASSERT_EQ(gif.indices.size(), image.width() * image.height()) << what;
        // Exactly the keyed pixels take the transparent entry; with none keyed there is none.
        bool anyKeyed = false;
        int wrong = 0;
        for (int i = 0; i < gif.indices.size(); ++i) {
            const bool key = transBG && qAlpha(image.pixel(i % image.width(), i / image.width())) < 130;
            anyKeyed = anyKeyed || key;
            wrong += key != (gif.indices[i] == gif.transparentIndex);
        }
        EXPECT_EQ(wrong, 0) << what;
        EXPECT_TRUE(anyKeyed || gif.transparentIndex == -1) << what;
        // Indices and colour map; the transparent index too, except for a keyed export of an
        // opaque picture, where the reference wrongly made one.
        QByteArray bytes;
        for (int i : gif.indices)
            bytes.append(char(i));
        for (QRgb c : gif.colorMap)
            bytes.append(reinterpret_cast<const char*>(&c), sizeof c);
        if (!transBG || anyKeyed)
            bytes.append(QByteArray::number(gif.transparentIndex));
        EXPECT_EQ(digest(bytes), want) << what;
    }
}

TEST(QuantiserPin, WalkingTheTreeGivesWhatTheKeptSerialsGive)
{
    // Large pictures skip the serial records and walk the tree in the second pass.
    using Key = PaletteReduction::Key;
    const std::tuple<const char*, QImage, Key> cases[] = {
        {"gradient", gradient(), Key::None},
        {"noise", noise(601, 403, 5), Key::None},
        {"keyed on alpha, palette full", keyed(1, 41, 31, 64, 9), Key::Alpha},
        {"keyed on alpha, room", keyed(2, 42, 32, 256, 9), Key::Alpha},
        {"keyed copy", keyedCopy(keyed(9, 49, 39, 256, 60)), Key::Black},
    };
    for (const auto& [what, image, key] : cases) {
        const QImage kept = PaletteReduction::reduce(image, key, 130);
        const QImage walked = PaletteReduction::reduce(image, key, 130, 0);
        ASSERT_FALSE(kept.isNull()) << what;
        EXPECT_TRUE(walked == kept) << what;
    }
}

TEST(QuantiserPin, TwoReductionsAtOnceEachGetTheirOwnTree)
{
    // Two exports on two threads: each result equals the one reduced alone.
    using Key = PaletteReduction::Key;
    const QImage first = noise(128, 96, 11);
    const QImage second = keyed(2, 42, 32, 256, 9);
    const QImage firstAlone = PaletteReduction::reduce(first, Key::None);
    const QImage secondAlone = PaletteReduction::reduce(second, Key::Alpha, 130);
    auto repeat = [](const QImage& image, Key key, const QImage& expected) {
        int same = 0;
        for (int i = 0; i < 40; ++i)
            same += PaletteReduction::reduce(image, key, 130) == expected;
        return same;
    };
    QFuture<int> a = QtConcurrent::run(repeat, first, Key::None, firstAlone);
    QFuture<int> b = QtConcurrent::run(repeat, second, Key::Alpha, secondAlone);
    EXPECT_EQ(std::pair(a.result(), b.result()), std::pair(40, 40));
}
