#include "export/ImageSaver.h"

#include "export/GifWriter.h"
#include "export/MetafileWriter.h"
#include "export/PaletteReduction.h"

#include "platform/AtomicFile.h"

#include <QImageWriter>

#include <algorithm>
#include <cmath>

namespace
{

// The 24-bit formats read only red, green and blue. A view of the bitmap's own pixels as RGB32
// (alpha byte ignored) writes the same file as a 24-bit copy would, without copying a picture
// that may hold tens of megabytes.
QImage withoutAlpha(const QImage& argb)
{
    if (argb.format() != QImage::Format_ARGB32 && argb.format() != QImage::Format_RGB32)
        return argb.convertToFormat(QImage::Format_RGB32);
    return QImage(argb.constBits(), argb.width(), argb.height(), argb.bytesPerLine(), QImage::Format_RGB32);
}

// A view of the bitmap's own pixels: a writer given the bitmap itself copies it whole while a
// painter is active on it.
QImage view(const QImage& image)
{
    return QImage(image.constBits(), image.width(), image.height(), image.bytesPerLine(), image.format());
}

} // namespace

int ImageSaver::encoderFormat(const QString& mimeType, QByteArray& format)
{
    const QList<QByteArray> mimeTypes = QImageWriter::supportedMimeTypes();
    for (qsizetype i = 0; i < mimeTypes.size(); ++i) {
        if (QString::fromLatin1(mimeTypes[i]).compare(mimeType, Qt::CaseInsensitive) != 0)
            continue;
        const QList<QByteArray> formats = QImageWriter::imageFormatsForMimeType(mimeTypes[i]);
        if (formats.isEmpty())
            continue;
        format = formats.first();
        return int(i) + 1;
    }
    return -1;
}

bool ImageSaver::fail(const QString& message)
{
    m_error = message;
    return false;
}

// The destination is a path the user chose: a link there is followed, as every program does.
std::unique_ptr<AtomicFile> ImageSaver::beginFile(const QString& fileName)
{
    auto file = m_files.create({fileName, FileWriter::Sync::Durable, FileWriter::Links::Follow});
    if (!file->begin()) {
        fail(file->errorText());
        return nullptr;
    }
    return file;
}

bool ImageSaver::commitFile(AtomicFile& file)
{
    return file.commit() || fail(file.errorText());
}

bool ImageSaver::saveWithWriter(const QString& fileName, const QImage& image, const QString& mimeType,
                                int quality, int compression)
{
    QByteArray format;
    if (encoderFormat(mimeType, format) < 0)
        return fail(QStringLiteral("No image writer for %1 is installed").arg(mimeType));
    const std::unique_ptr<AtomicFile> file = beginFile(fileName);
    if (!file)
        return false;
    QImageWriter writer(file.get(), format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (compression >= 0)
        writer.setCompression(compression);
    // A write the disk refused is reported by the file, whatever the encoder made of it.
    if (!writer.write(image) && file->errorText().isEmpty())
        return fail(QStringLiteral("Cannot write %1: %2").arg(fileName, writer.errorString()));
    return commitFile(*file);
}

int ImageSaver::toGifPalette(QImage& image, bool transparent, quint32 /*key*/)
{
    const QImage reduced = PaletteReduction::reduce(image, transparent ? PaletteReduction::Key::Black
                                                                       : PaletteReduction::Key::None);
    if (!reduced.isNull())
        image = reduced;
    return 9;
}

bool ImageSaver::saveGif(const QString& fileName, bool transBG, int transValue)
{
    if (imageWidth() > GifWriter::kMaxSide || imageHeight() > GifWriter::kMaxSide)
        return fail(GifWriter::tooLarge(imageWidth(), imageHeight()));
    const QImage reduced = PaletteReduction::reduce(
        *image(), transBG ? PaletteReduction::Key::Alpha : PaletteReduction::Key::None, transValue);
    if (reduced.isNull())
        return fail(QStringLiteral("The %1 x %2 image could not be reduced to 256 colours: it is too large "
                                   "for the memory at hand")
                        .arg(imageWidth())
                        .arg(imageHeight()));
    const std::unique_ptr<AtomicFile> file = beginFile(fileName);
    if (!file)
        return false;
    QString error;
    if (!GifWriter::write(reduced, *file, &error) && file->errorText().isEmpty())
        return fail(QStringLiteral("Cannot write %1: %2").arg(fileName, error));
    return commitFile(*file);
}

bool ImageSaver::saveMetafile(const QString& fileName, int fileType)
{
    const std::unique_ptr<AtomicFile> file = beginFile(fileName);
    if (!file)
        return false;
    QString error;
    const bool written = fileType == FileType::EMF ? MetafileWriter::writeEmf(*image(), *file, &error)
                                                   : MetafileWriter::writeWmf(*image(), *file, &error);
    if (!written && file->errorText().isEmpty())
        return fail(QStringLiteral("Cannot write %1: %2").arg(fileName, error));
    return commitFile(*file);
}

bool ImageSaver::save(const QString& fileName, int fileType, bool transparentBackground, int jpegQuality,
                      int /*gifColors*/, bool /*gifDither*/, int /*tiffColorDepth*/, int /*tiffCompression*/,
                      int gifTransparencyThreshold)
{
    m_error.clear();
    if (!image() || image()->isNull())
        return fail(QStringLiteral("There is no image to save"));
    switch (fileType) {
    case FileType::BMP:
        return saveWithWriter(fileName, withoutAlpha(*image()), "image/bmp", -1, -1);
    case FileType::PNG:
        return saveWithWriter(fileName, view(*image()), "image/png", -1, -1);
    case FileType::JPEG:
        return saveWithWriter(fileName, withoutAlpha(*image()), "image/jpeg", std::clamp(jpegQuality, 0, 100),
                              -1);
    case FileType::GIF:
        return saveGif(fileName, transparentBackground, gifTransparencyThreshold);
    case FileType::TIFF:
        return saveWithWriter(fileName, view(*image()), "image/tiff", -1, 0);
    case FileType::EMF:
    case FileType::WMF:
        return saveMetafile(fileName, fileType);
    case FileType::ICO:
        return fail(QStringLiteral("Icon files are assembled by the export routine, not by a single bitmap"));
    default:
        return fail(QStringLiteral("Unknown file type code %1").arg(fileType));
    }
}

void ImageSaver::drawCopyrightLines(QImage& image) const
{
    QPainter painter(&image);
    painter.setPen(QPen(QColor(255, 0, 255, 100), 1));
    for (int i = 0; i <= imageWidth() + imageHeight() - 1; i += 7)
        painter.drawLine(i + 7, 0, 0, i + 7);
}

namespace
{

QRect centredTarget(int areaWidth, int areaHeight, int imgW, int imgH)
{
    const int w = std::min(areaWidth, imgW);
    const int h = std::min(areaHeight, imgH);
    return QRect((areaWidth - w) / 2, (areaHeight - h) / 2, w, h);
}

} // namespace

void ImageSaver::drawGifPreview(QPainter& graphics, int w, int h, int threshold) const
{
    if (!image())
        return;
    const QImage reduced = PaletteReduction::reduce(*image(), PaletteReduction::Key::Alpha, threshold);
    graphics.drawImage(centredTarget(w, h, imageWidth(), imageHeight()), reduced,
                       QRect(0, 0, imageWidth(), imageHeight()));
}

void ImageSaver::drawSmoothed(QPainter& graphics, int w, int h, int /*threshold*/) const
{
    if (!image())
        return;
    graphics.drawImage(centredTarget(w, h, imageWidth(), imageHeight()), *image(),
                       QRect(0, 0, imageWidth(), imageHeight()));
}

bool ImageSaver::isOpaqueAt(int /*image24*/, int threshold, int x, int y) const
{
    if (!image() || !image()->valid(x, y))
        return false;
    return qAlpha(image()->pixel(x, y)) > threshold;
}
