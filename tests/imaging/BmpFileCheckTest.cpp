#include "imaging/BmpFile.h"
#include "imaging/BmpFileCheck.h"
#include "imaging/CDIB.h"

#include "DibFixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <random>

using namespace DibFixtures;

namespace {

QByteArray validBmp(int w, int h, int bpp)
{
    DibSection s;
    EXPECT_TRUE(s.create(w, h, bpp));
    fillPattern(s);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(BmpFile::write(s, buffer));
    return buffer.data();
}

template <typename T> QByteArray patched(QByteArray file, int offset, T value)
{
    qToLittleEndian(value, file.data() + offset);
    return file;
}

} // namespace

TEST(BmpFileCheck, TruncatedFilesAreRefusedAtEveryLength)
{
    const QByteArray file = validBmp(5, 3, 8);
    DibSection section;
    ASSERT_EQ(BmpFile::read(file, section), 8);
    for (qsizetype n = 0; n < file.size(); ++n) {
        ASSERT_FALSE(BmpFileCheck::check(file.left(n)).ok) << n;
        ASSERT_EQ(BmpFile::read(file.left(n), section), 0) << n;
        ASSERT_TRUE(section.isEmpty());
    }
    // A file cut short with its sizes patched to match is still short of its pixel rows.
    EXPECT_FALSE(BmpFileCheck::check(patched<quint32>(patched<quint32>(file.chopped(4), 2, 0u), 34, 0u)).ok);

    // Through CDIB: refused with 0, the object left empty.
    QTemporaryDir dir;
    QFile out(dir.filePath("cut.bmp"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(file.left(file.size() / 2)) > 0 && out.flush());
    CDIB dib;
    ASSERT_TRUE(dib.Create(2, 2, 24));
    EXPECT_EQ(dib.CreateFromBitmapFile(out.fileName()), 0);
    EXPECT_EQ(dib.hDIB(), 0u);
}

TEST(BmpFileCheck, HostileHeadersAreRefused)
{
    const QByteArray file = validBmp(5, 3, 8);
    const int info = 14;
    const QList<std::pair<const char*, QByteArray>> hostile = {
        {"not BM", patched<quint16>(file, 0, 0x4142)}, {"planes", patched<quint16>(file, info + 12, 2)},
        {"file size beyond the file", patched<quint32>(file, 2, quint32(file.size() + 1))},
        {"pixel offset beyond the file", patched<quint32>(file, 10, 0xFFFFFFF0u)},
        {"pixel offset inside the colour table", patched<quint32>(file, 10, 60u)},
        {"header size huge", patched<quint32>(file, info, 0xFFFFFFFFu)},
        {"header size unknown", patched<quint32>(file, info, 41u)},
        {"width huge", patched<qint32>(file, info + 4, 0x7FFFFFFF)}, {"width zero", patched<qint32>(file, info + 4, 0)},
        {"width negative", patched<qint32>(file, info + 4, -5)}, {"height zero", patched<qint32>(file, info + 8, 0)},
        {"height most negative", patched<qint32>(file, info + 8, INT32_MIN)},
        {"pixel count absurd", patched<qint32>(patched<qint32>(file, info + 4, 30000), info + 8, 30000)},
        {"rows beyond the file", patched<qint32>(file, info + 8, 4)}, {"depth 7", patched<quint16>(file, info + 14, 7)},
        {"embedded JPEG", patched<quint32>(file, info + 16, 4u)}, {"RLE4 on 8 bits", patched<quint32>(file, info + 16, 2u)},
        {"image size beyond the file", patched<quint32>(file, info + 20, 0x7FFFFFFFu)},
        {"colour count huge", patched<quint32>(file, info + 32, 0xFFFFFFFFu)},
        {"colour count above the depth", patched<quint32>(file, info + 32, 257u)},
    };
    DibSection section;
    for (const auto& [what, bytes] : hostile) {
        const BmpFileCheck::Result r = BmpFileCheck::check(bytes);
        EXPECT_FALSE(r.ok || r.reason.isEmpty()) << what;
        EXPECT_EQ(BmpFile::read(bytes, section), 0) << what;
    }

    // Legitimate variants load: a shorter colour table (kept as the file has it, indices too) and
    // top-down rows.
    QByteArray shortTable = file.left(54) + file.mid(54, 16 * 4) + file.mid(1078);
    shortTable = patched<quint32>(patched<quint32>(shortTable, 2, quint32(shortTable.size())), 10, 54u + 64u);
    EXPECT_EQ(BmpFile::read(patched<quint32>(shortTable, info + 32, 16u), section), 8);
    EXPECT_EQ(section.pixelIndex(4, 2), uint((4 + 3 * 2) % 256));
    EXPECT_EQ(section.paletteBytes().left(64), file.mid(54, 64));
    EXPECT_EQ(BmpFile::read(patched<qint32>(file, info + 8, -3), section), 8);
    EXPECT_EQ(section.pixelIndex(4, 0), uint((4 + 3 * 2) % 256)) << "top-down: the first row read is the top";
}

TEST(BmpFileCheck, RandomlyCorruptedFilesGiveSaneResultsOrNone)
{
    std::mt19937 random(20261206);
    const QByteArray original = validBmp(9, 4, 4);
    DibSection section;
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray file = original;
        for (int i = 1 + int(random() % 4); i > 0; --i)
            file[int(random() % 60)] = char(random() & 0xFF);  // headers and the start of the table
        if (random() % 4 == 0)
            file.truncate(int(random() % file.size()));
        const int bpp = BmpFile::read(file, section);
        ASSERT_TRUE(bpp ? BitmapInfoHeader::isSectionDepth(bpp) &&
                              BitmapInfoHeader::isSaneSize(section.width(), section.height())
                        : section.isEmpty());
        accepted += bpp != 0;
    }
    EXPECT_GT(accepted, 0) << "harmless corruptions (reserved bytes, colours) still load";
}
