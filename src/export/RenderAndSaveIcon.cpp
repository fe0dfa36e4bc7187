#include "export/RenderAndSaveIcon.h"

#include "export/IconFileWriter.h"
#include "export/ImageSaver.h"
#include "imaging/FileHelpers.h"
#include "platform/Dialogs.h"

#include <algorithm>

namespace
{

constexpr int kGifTransValue = 130;
constexpr int kStandardSizes[] = {256, 128, 64, 48, 32, 24, 16};

bool whiteBackground(int fileType, bool transBG)
{
    // Formats written without alpha always get white instead of black behind the icon.
    return !transBG || fileType == FileType::BMP || fileType == FileType::JPEG || fileType == FileType::EMF ||
           fileType == FileType::WMF;
}

// The picture drawn at its own size over a transparent canvas is the picture itself, so the
// canvas takes over the picture's pixels and only a white background is put behind them: a large
// picture needs its memory once, not twice. An icon is rendered from the picture, not the canvas,
// so it gets no background.
void drawCanvas(ImageSaver& canvas, QImage source, int fileType, int smoothingMode, bool transBG)
{
    canvas.createFromImage(std::move(source));
    if (canvas.image()->isNull())
        return;
    QPainter& g = *canvas.painter();
    g.setRenderHint(QPainter::Antialiasing, smoothingMode == 2 || smoothingMode == 4);
    if (fileType != FileType::ICO && whiteBackground(fileType, transBG)) {
        g.setCompositionMode(QPainter::CompositionMode_DestinationOver);
        g.fillRect(QRect(0, 0, canvas.imageWidth(), canvas.imageHeight()), Qt::white);
        g.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

ExportResult failed(const QString& message)
{
    return ExportResult{false, message};
}

ExportResult saveIcon(const ExportRequest& request, const QImage& source, int m)
{
    const QList<int> sizes = iconSizesFor(m);
    if (sizes.isEmpty()) {
        return failed(QStringLiteral("The image is %1 x %2 pixels; an icon needs at least 16 x 16.")
                          .arg(source.width())
                          .arg(source.height()));
    }
    ImageSaver renderer;
    QList<IconFileWriter::Entry> entries;
    for (int s : sizes) {
        renderer.createBlank(s, s, QImage::Format_ARGB32);
        // Scaling in one step with area averaging keeps thin lines that a sampled draw would drop.
        renderer.painter()->drawImage(QRect(0, 0, s, s),
                                      source.scaled(s, s, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        // Each size is encoded once, for its Sizes file and (at 256) for the icon file. The Sizes
        // files are by-products the program makes again: a Sizes file that cannot be written is
        // skipped (never left cut), and not reported.
        const QByteArray png = IconFileWriter::encodePng(*renderer.image());
        const QString path =
            FileHelpers::withTrailingSeparator(request.sizesFolder) + "temp" + QString::number(s) + ".png";
        if (!png.isEmpty())
            (void)request.files->write({path, FileWriter::Sync::Cached, FileWriter::Links::Replace}, png);
        entries << IconFileWriter::Entry{renderer.image()->copy(), png};
    }
    renderer.destroy();
    const QByteArray icon = IconFileWriter::encode(entries);
    if (icon.isEmpty())
        return failed(QStringLiteral("The icon file could not be assembled."));
    QString error;
    if (!request.files->write({request.fileName, FileWriter::Sync::Durable, FileWriter::Links::Follow}, icon,
                              &error))
        return failed(error);
    return ExportResult{true, {}};
}

} // namespace

QList<int> iconSizesFor(int m)
{
    QList<int> sizes;
    for (int s : kStandardSizes) {
        if (s <= m)
            sizes << s;
    }
    return sizes;
}

ExportResult renderAndSave(const ExportRequest& request, QImage source)
{
    if (source.isNull() || source.width() <= 0 || source.height() <= 0)
        return failed(QStringLiteral("There is no image to export."));
    const int fileType = request.fileType;
    const QSize size = source.size();
    ImageSaver canvas(*request.files);
    drawCanvas(canvas, std::move(source), fileType, request.smoothingMode, request.transparentBackground);
    if (canvas.image()->isNull())
        return failed(
            QStringLiteral("Not enough memory for a %1 x %2 canvas.").arg(size.width()).arg(size.height()));
    if (!request.writeFlag)
        return ExportResult{true, {}};
    if (fileType == FileType::ICO) {
        // Every size is scaled from premultiplied pixels; converted once, in place, the picture
        // is not copied again for each size.
        QImage picture = canvas.takeImage();
        picture.convertTo(QImage::Format_ARGB32_Premultiplied);
        return saveIcon(request, picture, std::min(picture.width(), picture.height()));
    }
    if (!canvas.save(request.fileName, fileType, request.transparentBackground, request.jpegQuality, 0, true,
                     24, 6, kGifTransValue))
        return failed(canvas.lastError());
    return ExportResult{true, {}};
}

ExportResult renderAndSaveIcon(const QString& fileName, int fileType, int /*reserved*/, int smoothingMode,
                               int /*pixelOffsetMode*/, bool transparentBackground, bool /*gifDither*/,
                               int /*gifColors*/, int jpegQuality, QImage source, bool writeFlag,
                               const QString& sizesFolder, Dialogs* dialogs, QWidget* dialogParent,
                               FileWriter& files)
{
    const ExportRequest request{fileName,    fileType,  smoothingMode, transparentBackground,
                                jpegQuality, writeFlag, sizesFolder,   &files};
    const ExportResult result = renderAndSave(request, std::move(source));
    if (!result.ok && dialogs)
        dialogs->inform(dialogParent, result.message, QStringLiteral("Pictomine"));
    return result;
}
