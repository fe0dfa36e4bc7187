#include "imaging/BmpFileCheck.h"
#include "imaging/BmpFile.h"

#include "DibFixtures.h"

#include <gtest/gtest.h>

using namespace DibFixtures;

namespace
{

template <typename T> QByteArray patched(QByteArray file, int offset, T value)
{
    qToLittleEndian(value, file.data() + offset);
    return file;
}

} // namespace

TEST(BmpFileCheck, TruncatedAndHostileFilesAreRefusedLegitimateVariantsLoad)
{
    DibSection section;
    ASSERT_TRUE(section.create(5, 3, 8));
    fillPattern(section);
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && BmpFile::write(section, buffer));
    const QByteArray file = buffer.data();
    ASSERT_EQ(BmpFile::read(file, section), 8);
    for (qsizetype n = 0; n < file.size(); ++n) {
        ASSERT_FALSE(BmpFileCheck::check(file.left(n)).ok) << n;
        ASSERT_EQ(BmpFile::read(file.left(n), section), 0) << n;
        ASSERT_TRUE(section.isEmpty());
    }
    // A file cut short with its sizes patched to match is still short of its pixel rows.
    EXPECT_FALSE(BmpFileCheck::check(patched<quint32>(patched<quint32>(file.chopped(4), 2, 0u), 34, 0u)).ok);

    const int info = 14;
    const QList<std::pair<const char*, QByteArray>> hostile = {
        {"not BM", patched<quint16>(file, 0, 0x4142)},
        {"planes", patched<quint16>(file, info + 12, 2)},
        {"file size beyond the file", patched<quint32>(file, 2, quint32(file.size() + 1))},
        {"pixel offset beyond the file", patched<quint32>(file, 10, 0xFFFFFFF0u)},
        {"pixel offset inside the colour table", patched<quint32>(file, 10, 60u)},
        {"header size huge", patched<quint32>(file, info, 0xFFFFFFFFu)},
        {"header size 41", patched<quint32>(file, info, 41u)},
        {"width huge", patched<qint32>(file, info + 4, 0x7FFFFFFF)},
        {"width zero", patched<qint32>(file, info + 4, 0)},
        {"width negative", patched<qint32>(file, info + 4, -5)},
        {"height zero", patched<qint32>(file, info + 8, 0)},
        {"height most negative", patched<qint32>(file, info + 8, INT32_MIN)},
        {"depth 7", patched<quint16>(file, info + 14, 7)},
        {"pixel count absurd", patched<qint32>(patched<qint32>(file, info + 4, 30000), info + 8, 30000)},
        {"rows beyond the file", patched<qint32>(file, info + 8, 4)},
        {"JPEG", patched<quint32>(file, info + 16, 4u)},
        {"RLE4 on 8 bits", patched<quint32>(file, info + 16, 2u)},
        {"colours 257", patched<quint32>(file, info + 32, 257u)},
        {"image size beyond the file", patched<quint32>(file, info + 20, 0x7FFFFFFFu)},
        {"colour count huge", patched<quint32>(file, info + 32, 0xFFFFFFFFu)},
    };
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

TEST(BmpFileCheck, RunLengthFilesDescribeNoMorePixelsThanTheirDataAllows)
{
    // A real run-length picture decodes: rows of 5 pixels of colour 1 then 3 of colour 0.
    const QByteArray end("\x00\x01", 2);
    DibSection section;
    ASSERT_EQ(BmpFile::read(rle8(8, 4, QByteArray("\x05\x01\x03\x00\x00\x00", 6).repeated(4) + end), section),
              8);
    EXPECT_EQ(section.pixelIndex(4, 2), 1u);
    EXPECT_EQ(section.pixelIndex(5, 2), 0u);
    // The bound: 2^20 pixels whatever the data, else 128 pixels a byte of data.
    EXPECT_TRUE(BmpFileCheck::check(rle8(1024, 1024, end)).ok);
    EXPECT_FALSE(BmpFileCheck::check(rle8(1025, 1024, end)).ok);
    EXPECT_TRUE(BmpFileCheck::check(rle8(2048, 1024, QByteArray(16382, '\x01') + end)).ok);
    EXPECT_FALSE(BmpFileCheck::check(rle8(2048, 1025, QByteArray(16382, '\x01') + end)).ok);
}
