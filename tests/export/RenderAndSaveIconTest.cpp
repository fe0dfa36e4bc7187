#include "export/RenderAndSaveIcon.h"
#include "ExportTestUtil.h"
#include "export/DIBsave.h"
#include "platform/ScreenCursor.h"

#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QPainter>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace ExportTestUtil;

namespace
{

const QRgb kRed = qRgb(220, 30, 30);

// Transparent, with an opaque red square in the middle half.
QImage sampleIcon(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(0);
    QPainter(&image).fillRect(QRect(QPoint(w / 4, h / 4), QPoint(w - w / 4 - 1, h - h / 4 - 1)), kRed);
    return image;
}

class ExportFolder : public AppFolder
{
protected:
    static QImage sizeFile(int s) { return QImage(AppPaths::sizes() + QString("/temp%1.png").arg(s)); }
    ExportResult exportAs(const QString& name, int code, const QImage& source)
    {
        return RenderAndSaveIcon(out(name), code, 0, 1, 1, true, true, 0, 90, source, true, &dialogs);
    }

    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(ExportFolder, MetafilesAreRefusedWithAMessageAndNoFile)
{
    for (const auto& [name, code] : {std::pair{"i.emf", FileType::EMF}, std::pair{"i.wmf", FileType::WMF}}) {
        const ExportResult result = exportAs(name, code, sampleIcon(64, 64));
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.message.contains(QString(name).mid(2).toUpper())) << result.message.toStdString();
        EXPECT_FALSE(QFile::exists(out(name)));
    }
    EXPECT_EQ(dialogs.asked.filter(QRegularExpression("^inform:Pictomine\\|.*not supported")).size(), 2);
    EXPECT_EQ(ScreenCursor::current(), ScreenCursor::Default);
}

TEST_F(ExportFolder, IconFileHoldsEverySizeUpToTheSmallerSide)
{
    const QList<int> all = {256, 128, 64, 48, 32, 24, 16};
    // 12 x 12 is too small: a message and no file.
    const ExportResult tiny = exportAs("tiny.ico", FileType::ICO, sampleIcon(12, 12));
    EXPECT_TRUE(!tiny.ok && tiny.message.contains("12 x 12")) << tiny.message.toStdString();
    EXPECT_FALSE(QFile::exists(out("tiny.ico")));
    EXPECT_TRUE(QDir(AppPaths::sizes()).isEmpty());

    ASSERT_TRUE(exportAs("big.ico", FileType::ICO, sampleIcon(512, 512)).ok);
    const auto entries = readIco(out("big.ico"));
    ASSERT_EQ(entries.size(), 7);
    for (int i = 0; i < 7; ++i) {
        const int s = all[i];
        EXPECT_TRUE(s == 256 ? entries[i].png : entries[i].dib32) << s;
        // The whole icon at each size, in the file and in Sizes: red middle, transparent corners.
        for (const QImage& image : {entries[i].image, sizeFile(s)}) {
            ASSERT_EQ(image.size(), QSize(s, s));
            EXPECT_EQ(image.pixel(s / 2, s / 2), kRed) << s;
            EXPECT_EQ(qAlpha(image.pixel(1, s - 2)), 0) << s;
        }
    }
    // The 256-pixel PNG is encoded once: the icon holds the very bytes of temp256.png. No
    // temporary file is left in Sizes.
    QFile ico(out("big.ico")), png256(AppPaths::sizes() + "/temp256.png");
    ASSERT_TRUE(ico.open(QIODevice::ReadOnly) && png256.open(QIODevice::ReadOnly));
    const QByteArray icoBytes = ico.readAll();
    EXPECT_EQ(icoBytes.mid(qFromLittleEndian<quint32>(icoBytes.constData() + 18),
                           qFromLittleEndian<quint32>(icoBytes.constData() + 14)),
              png256.readAll());
    EXPECT_EQ(QDir(AppPaths::sizes()).entryList(QDir::Files | QDir::Hidden).size(), 7);

    // A 100 x 60 source: sizes up to 60 replace their files; the larger ones of the first stay.
    QImage wide(100, 60, QImage::Format_ARGB32);
    wide.fill(qRgb(0, 200, 0));
    ASSERT_TRUE(exportAs("wide.ico", FileType::ICO, wide).ok);
    EXPECT_EQ(sizeFile(48).pixel(3, 3), qRgb(0, 200, 0));
    EXPECT_EQ(sizeFile(64).pixel(32, 32), kRed);
}
