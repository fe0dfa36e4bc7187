#include "export/RenderAndSaveIcon.h"
#include "ExportTestUtil.h"
#include "export/ImageSaver.h"

#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QPainter>

#include <gtest/gtest.h>

#include <unistd.h>

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

QImage sizeFile(const AppPaths& paths, int s)
{
    return QImage(paths.sizes() + QString("/temp%1.png").arg(s));
}

} // namespace

using ExportFolder = AppFolder;

TEST_F(ExportFolder, IconFileHoldsEverySizeUpToTheSmallerSide)
{
    ScriptedDialogs dialogs;
    const auto exportAs = [&](const QString& name, const QImage& source) {
        return renderAndSaveIcon(out(name), FileType::ICO, 0, 1, 1, true, true, 0, 90, source, true,
                                 paths.sizes(), &dialogs);
    };
    // 12 x 12 is too small: a message and no file.
    const ExportResult tiny = exportAs("tiny.ico", sampleIcon(12, 12));
    EXPECT_TRUE(!tiny.ok && tiny.message.contains("12 x 12")) << tiny.message.toStdString();
    EXPECT_EQ(dialogs.asked, QStringList{"inform:Pictomine|" + tiny.message});
    EXPECT_FALSE(QFile::exists(out("tiny.ico")));
    EXPECT_TRUE(QDir(paths.sizes()).isEmpty());

    ASSERT_TRUE(exportAs("big.ico", sampleIcon(512, 512)).ok);
    QFile ico(out("big.ico")), png256(paths.sizes() + "/temp256.png");
    ASSERT_TRUE(ico.open(QIODevice::ReadOnly) && png256.open(QIODevice::ReadOnly));
    const QByteArray bytes = ico.readAll();
    ASSERT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 4), 7);
    const int sizes[] = {256, 128, 64, 48, 32, 24, 16};
    for (int i = 0; i < 7; ++i) {
        const int s = sizes[i];
        const char* entry = bytes.constData() + 6 + 16 * i;
        const QByteArray body =
            bytes.mid(qFromLittleEndian<quint32>(entry + 12), qFromLittleEndian<quint32>(entry + 8));
        ASSERT_GE(body.size(), 40);
        // 256 holds the very bytes of temp256.png (encoded once); the others are 32-bit DIBs of
        // twice the height (image and mask).
        if (s == 256)
            EXPECT_EQ(body, png256.readAll());
        else
            EXPECT_TRUE(qFromLittleEndian<quint32>(body.constData()) == 40 &&
                        qFromLittleEndian<qint32>(body.constData() + 8) == 2 * s &&
                        qFromLittleEndian<quint16>(body.constData() + 14) == 32)
                << s;
        // The whole icon at each size, in the file and in Sizes: red middle, transparent corners.
        for (const QImage& image :
             {decodedByImageMagick(QString("%1[%2]").arg(ico.fileName()).arg(i)), sizeFile(paths, s)}) {
            ASSERT_EQ(image.size(), QSize(s, s));
            EXPECT_EQ(image.pixel(s / 2, s / 2), kRed) << s;
            EXPECT_EQ(qAlpha(image.pixel(1, s - 2)), 0) << s;
        }
    }
    // No temporary file is left in Sizes.
    EXPECT_EQ(QDir(paths.sizes()).entryList(QDir::Files | QDir::Hidden).size(), 7);

    // A 100 x 60 source: sizes up to 60 replace their files; the larger ones of the first stay.
    // Files are replaced by renaming complete ones into place: a second link keeps the old pixels.
    ASSERT_EQ(::link(QFile::encodeName(paths.sizes() + "/temp48.png"), QFile::encodeName(out("old48.png"))),
              0);
    QImage wide(100, 60, QImage::Format_ARGB32);
    wide.fill(qRgb(0, 200, 0));
    ASSERT_TRUE(exportAs("wide.ico", wide).ok);
    EXPECT_EQ(sizeFile(paths, 48).pixel(3, 3), qRgb(0, 200, 0));
    EXPECT_EQ(QImage(out("old48.png")).pixel(24, 24), kRed);
    EXPECT_EQ(sizeFile(paths, 64).pixel(32, 32), kRed);
}
