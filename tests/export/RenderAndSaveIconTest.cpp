#include "ExportTestUtil.h"
#include "export/DIBsave.h"
#include "export/ExportCommand.h"
#include "export/RenderAndSaveIcon.h"
#include "platform/AppPaths.h"
#include "platform/ScreenCursor.h"

#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A transparent square with an opaque red disc in the middle and a half-transparent corner.
QImage sampleIcon(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(0);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 30, 30));
    p.drawEllipse(QRect(w / 4, h / 4, w / 2, h / 2));
    p.end();
    image.setPixel(0, 0, qRgba(0, 0, 255, 100));
    return image;
}

ExportResult exportAs(const QString& path, int code, const QImage& source, Dialogs* dialogs = nullptr)
{
    return RenderAndSaveIcon(path, code, 0, 1, 1, true, true, 0, 90, source, true, dialogs);
}

class ExportFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        AppPaths::setRoot(dir.filePath("app"));
        AppPaths::ensureLayout();
    }
    void TearDown() override { AppPaths::setRoot({}); }
    QString out(const QString& name) const { return dir.filePath(name); }
    static QStringList sizeFiles() { return QDir(AppPaths::sizes()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(ExportFolder, EachFormatDecodesBackWithItsBackground)
{
    const QImage icon = sampleIcon(64, 64);
    const QRgb centre = qRgb(220, 30, 30);

    ASSERT_TRUE(exportAs(out("i.png"), FileType::PNG, icon).ok);
    const QImage png = QImage(out("i.png")).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(png.pixel(32, 32), centre);
    EXPECT_EQ(qAlpha(png.pixel(2, 60)), 0);
    EXPECT_EQ(png.pixel(0, 0), qRgba(0, 0, 255, 100));

    for (const auto& [name, code] : {std::pair{"i.jpg", FileType::JPEG}, std::pair{"i.bmp", FileType::BMP},
                                     std::pair{"i.tif", FileType::TIFF}}) {
        ASSERT_TRUE(exportAs(out(name), code, icon).ok) << name;
        const QImage back(out(name));
        ASSERT_FALSE(back.isNull()) << name;
        EXPECT_FALSE(back.hasAlphaChannel()) << name;
        // On white: the transparent area is white, the disc red.
        const QColor bg = back.pixelColor(2, 60);
        EXPECT_GE(std::min({bg.red(), bg.green(), bg.blue()}), 250) << name;
        const QColor mid = back.pixelColor(32, 32);
        EXPECT_NEAR(mid.red(), 220, 6) << name;
        EXPECT_NEAR(mid.green(), 30, 6) << name;
    }
    EXPECT_EQ(QImageReader(out("i.tif")).format(), "tiff");

    // GIF keys on the icon's own alpha: the background comes out transparent, not magenta.
    ASSERT_TRUE(exportAs(out("i.gif"), FileType::GIF, icon).ok);
    const auto gif = ExportTestUtil::readGif(out("i.gif"));
    ASSERT_TRUE(gif.ok);
    ASSERT_GE(gif.transparentIndex, 0);
    EXPECT_EQ(gif.indexAt(2, 60), gif.transparentIndex);
    EXPECT_EQ(gif.indexAt(0, 0), gif.transparentIndex);  // alpha 100 is below 130
    EXPECT_EQ(gif.colorAt(32, 32), centre);
    EXPECT_FALSE(gif.colorMap.contains(qRgb(255, 0, 255)));

    // With the write flag false nothing is written and the hourglass is gone afterwards.
    EXPECT_TRUE(RenderAndSaveIcon(out("none.png"), FileType::PNG, 0, 1, 1, true, true, 0, 90, icon, false).ok);
    EXPECT_FALSE(QFile::exists(out("none.png")));
    EXPECT_EQ(ScreenCursor::current(), ScreenCursor::Default);
}

TEST_F(ExportFolder, MetafilesAreRefusedWithAMessageAndNoFile)
{
    ScriptedDialogs dialogs;
    for (const auto& [name, code] : {std::pair{"i.emf", FileType::EMF}, std::pair{"i.wmf", FileType::WMF}}) {
        const ExportResult result = exportAs(out(name), code, sampleIcon(32, 32), &dialogs);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.message.contains(QString(name).mid(2).toUpper())) << result.message.toStdString();
        EXPECT_FALSE(QFile::exists(out(name)));
    }
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_TRUE(dialogs.asked[0].startsWith("inform:Pictomine|")) << dialogs.asked[0].toStdString();
    EXPECT_TRUE(dialogs.asked[0].contains("not supported"));
    EXPECT_EQ(ScreenCursor::current(), ScreenCursor::Default);
}

TEST_F(ExportFolder, IconFileHoldsEverySizeUpToTheSmallerSide)
{
    EXPECT_EQ(IconSizesFor(512), (QList<int>{256, 128, 64, 48, 32, 24, 16}));
    EXPECT_EQ(IconSizesFor(255), (QList<int>{128, 64, 48, 32, 24, 16}));
    EXPECT_EQ(IconSizesFor(16), (QList<int>{16}));
    EXPECT_TRUE(IconSizesFor(15).isEmpty());

    const QString ico = out("big.ico");
    ASSERT_TRUE(exportAs(ico, FileType::ICO, sampleIcon(512, 512)).ok);
    EXPECT_EQ(sizeFiles(), (QStringList{"temp128.png", "temp16.png", "temp24.png", "temp256.png", "temp32.png",
                                        "temp48.png", "temp64.png"}));
    for (int s : {256, 128, 64, 48, 32, 24, 16}) {
        const QImage file(AppPaths::sizes() + QString("/temp%1.png").arg(s));
        EXPECT_EQ(file.size(), QSize(s, s));
        // The whole icon: the disc in the middle, transparent corners.
        EXPECT_EQ(file.pixel(s / 2, s / 2), qRgb(220, 30, 30)) << s;
        EXPECT_EQ(qAlpha(file.pixel(1, s - 2)), 0) << s;
    }

    QString problem;
    const auto entries = ExportTestUtil::readIco(ico, &problem);
    ASSERT_EQ(entries.size(), 7) << problem.toStdString();
    for (int i = 0; i < 7; ++i) {
        const int s = IconSizesFor(512)[i];
        EXPECT_EQ(entries[i].width, s);
        EXPECT_EQ(entries[i].png, s == 256);
        EXPECT_EQ(entries[i].image.pixel(s / 2, s / 2), qRgb(220, 30, 30)) << s;
        EXPECT_EQ(qAlpha(entries[i].image.pixel(1, s - 2)), 0) << s;
    }
    const QString sizes = ExportTestUtil::identify("%wx%h,", ico);
    if (!sizes.isEmpty()) {
        EXPECT_EQ(sizes, "256x256,128x128,64x64,48x48,32x32,24x24,16x16,");
    }
    // Qt's icon reader sees all seven too.
    EXPECT_EQ(QImageReader(ico).imageCount(), 7);

    // A 100 x 60 source: sizes up to 60; the larger files of the first export stay.
    const QImage before256 = QImage(AppPaths::sizes() + "/temp256.png");
    QImage wide = sampleIcon(100, 60);
    wide.fill(qRgb(0, 200, 0));
    ASSERT_TRUE(exportAs(out("wide.ico"), FileType::ICO, wide).ok);
    const auto wideEntries = ExportTestUtil::readIco(out("wide.ico"));
    ASSERT_EQ(wideEntries.size(), 4);
    EXPECT_EQ(wideEntries[0].width, 48);
    EXPECT_EQ(wideEntries[3].width, 16);
    EXPECT_EQ(QImage(AppPaths::sizes() + "/temp48.png").pixel(3, 3), qRgb(0, 200, 0));
    EXPECT_EQ(QImage(AppPaths::sizes() + "/temp64.png").pixel(32, 32), qRgb(220, 30, 30));
    EXPECT_EQ(QImage(AppPaths::sizes() + "/temp256.png"), before256);
}

TEST_F(ExportFolder, TooSmallForAnIconGivesAMessageAndNoFile)
{
    ScriptedDialogs dialogs;
    const ExportResult result = exportAs(out("tiny.ico"), FileType::ICO, sampleIcon(12, 12), &dialogs);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains("12 x 12"));
    EXPECT_FALSE(QFile::exists(out("tiny.ico")));
    EXPECT_TRUE(sizeFiles().isEmpty());
    EXPECT_EQ(dialogs.asked.size(), 1);

    // Without a Sizes folder the icon file is still written.
    QDir(AppPaths::sizes()).removeRecursively();
    EXPECT_TRUE(exportAs(out("ok.ico"), FileType::ICO, sampleIcon(20, 20)).ok);
    EXPECT_EQ(ExportTestUtil::readIco(out("ok.ico")).size(), 1);
}

TEST_F(ExportFolder, CommandExportsByExtensionAndReportsFailures)
{
    const QString src = out("src.png");
    ASSERT_TRUE(sampleIcon(512, 512).save(src));
    QString text;
    QTextStream errors(&text);

    EXPECT_EQ(ExportCommand::run(src, out("a.PNG"), errors), 0);
    EXPECT_EQ(QImageReader(out("a.PNG")).format(), "png");
    EXPECT_EQ(ExportCommand::run(src, out("a.Gif"), errors), 0);
    EXPECT_GE(ExportTestUtil::readGif(out("a.Gif")).transparentIndex, 0);
    EXPECT_EQ(ExportCommand::run(src, out("noext"), errors), 0);
    EXPECT_EQ(QImageReader(out("noext")).format(), "bmp");
    EXPECT_EQ(ExportCommand::run(src, out("a.ico"), errors), 0);
    EXPECT_EQ(ExportTestUtil::readIco(out("a.ico")).size(), 7);
    EXPECT_TRUE(text.isEmpty()) << text.toStdString();

    EXPECT_EQ(ExportCommand::run(src, out("a.emf"), errors), 1);
    EXPECT_FALSE(QFile::exists(out("a.emf")));
    EXPECT_EQ(text.count('\n'), 1);
    EXPECT_TRUE(text.contains("EMF"));

    text.clear();
    EXPECT_EQ(ExportCommand::run(out("missing.png"), out("b.png"), errors), 1);
    EXPECT_TRUE(text.contains("missing.png"));
    EXPECT_EQ(text.count('\n'), 1);
    EXPECT_FALSE(QFile::exists(out("b.png")));

    // A destination that cannot be written is a failure, not a silent success.
    text.clear();
    EXPECT_EQ(ExportCommand::run(src, out("no/such/folder/c.png"), errors), 1);
    EXPECT_EQ(text.count('\n'), 1);
}
