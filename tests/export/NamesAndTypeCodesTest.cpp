#include "export/DIBsave.h"
#include "export/DownloadNames.h"
#include "export/FileTypeCode.h"
#include "export/IconDownloadFlow.h"
#include "imaging/FileHelpers.h"

#include <gtest/gtest.h>

TEST(DownloadNamesTest, DerivedFromTheThumbnailName)
{
    const DownloadNames n = DownloadNames::derive("201511ab-150x150.png");
    EXPECT_EQ(n.year, "2015");
    EXPECT_EQ(n.month, "11");
    EXPECT_EQ(n.sizeSuffix, "-150x150");
    EXPECT_EQ(n.fullFileName, "201511ab.png");
    EXPECT_EQ(n.fullSizeUrl("http://h/"), "http://h/wp-content/uploads/2015/11/201511ab.png");

    // No "-": the name itself.
    const DownloadNames plain = DownloadNames::derive("201403home.png");
    EXPECT_TRUE(plain.sizeSuffix.isEmpty());
    EXPECT_EQ(plain.fullFileName, "201403home.png");

    // Fewer than 7 characters after the first "-": the suffix is the rest, the part before stays.
    const DownloadNames shortTail = DownloadNames::derive("201403home-1.pn");
    EXPECT_EQ(shortTail.sizeSuffix, "-1.pn");
    EXPECT_EQ(shortTail.fullFileName, "201403home");

    // Every occurrence of the suffix goes.
    EXPECT_EQ(DownloadNames::derive("201403a-150x150b-150x150.png").fullFileName, "201403ab.png");

    // Short names give short parts rather than failing.
    const DownloadNames tiny = DownloadNames::derive("20");
    EXPECT_EQ(tiny.year, "20");
    EXPECT_TRUE(tiny.month.isEmpty());

    // Characters with a meaning in addresses are encoded; an encoded name is sent as it was.
    EXPECT_EQ(DownloadNames::derive("201511a b#c.png").fullSizeUrl("http://h/"),
              "http://h/wp-content/uploads/2015/11/201511a%20b%23c.png");
    EXPECT_EQ(DownloadNames::derive("201511a%20b.png").fullSizeUrl("http://h/"),
              "http://h/wp-content/uploads/2015/11/201511a%20b.png");
}

TEST(DownloadNamesTest, OnlyPlainFileNamesAreUsedAsDownloads)
{
    EXPECT_TRUE(DownloadNames::derive("201511ab-150x150.png").isPlainFileName());
    EXPECT_TRUE(DownloadNames::derive("201511..ab.png").isPlainFileName());
    for (const char* bad : {"", "..", ".", "2015/../../etc.png", "2015\\x.png", "2015\nx.png", "-150x150"})
        EXPECT_FALSE(DownloadNames::derive(bad).isPlainFileName()) << bad;
}

TEST(FileTypeCodeTest, ExtensionTableIgnoresCase)
{
    const std::pair<const char*, int> table[] = {
        {"bmp", FileType::BMP},  {"dib", FileType::BMP},  {"rle", FileType::BMP},   {"jpg", FileType::JPEG},
        {"jpeg", FileType::JPEG}, {"gif", FileType::GIF}, {"emf", FileType::EMF},   {"wmf", FileType::WMF},
        {"tif", FileType::TIFF}, {"tiff", FileType::TIFF}, {"png", FileType::PNG},  {"ico", FileType::ICO},
        {"PNG", FileType::PNG},  {"JpEg", FileType::JPEG}, {"ICO", FileType::ICO},  {"xyz", FileType::BMP},
        {"", FileType::BMP},     {"pngx", FileType::BMP},
    };
    for (const auto& [ext, code] : table)
        EXPECT_EQ(FileTypeCode::fromExtension(ext), code) << ext;

    EXPECT_EQ(FileTypeCode::fromPath("/tmp/icon.PNG"), FileType::PNG);
    EXPECT_EQ(FileTypeCode::fromPath("/tmp/icon"), FileType::BMP);
    EXPECT_EQ(FileTypeCode::fromPath("/tmp/my.gif/icon"), FileType::BMP);  // the folder's dot does not count
    EXPECT_EQ(FileTypeCode::fromPath("/tmp/a.b.Tiff"), FileType::TIFF);
    EXPECT_EQ(FileTypeCode::fromPath("/tmp/icon."), FileType::BMP);
}

TEST(SaveFilterTest, SevenEntriesWithTheTiffPattern)
{
    const QStringList parts = IconDownloadFlow::kSaveFilter.split('|');
    ASSERT_EQ(parts.size(), 14);
    EXPECT_EQ(parts[0], "PNG Portable Network Graphics (*.PNG)");
    EXPECT_EQ(parts[11], "*.tif;*.tiff");
    EXPECT_EQ(parts[13], "*.wmf");
    const QString qt = FileHelpers::QtFilterFromPipeList(IconDownloadFlow::kSaveFilter);
    EXPECT_TRUE(qt.contains("TIFF Tag Image File Format (*.TIF;*.TIFF) (*.tif *.tiff)")) << qt.toStdString();
    EXPECT_EQ(qt.count(";;"), 6);
}
