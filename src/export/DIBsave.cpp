#include "export/DIBsave.h"

#include "export/GifWriter.h"
#include "export/MetafileWriter.h"
#include "export/PaletteReduction.h"

#include "platform/AtomicFile.h"

#include <QImageWriter>

#include <algorithm>
#include <cmath>

DIBsave::~DIBsave()
{
    Destroy();
}

void DIBsave::setWidth(float value)
{
    m_width = int(std::lrint(value));
}

void DIBsave::setHeight(float value)
{
    m_height = int(std::lrint(value));
}

void DIBsave::CreateBlankMemory(int lngHeight, int lngWidth, QImage::Format PixelFormat)
{
    Destroy();
    Img = std::make_unique<QImage>(std::max(lngWidth, 0), std::max(lngHeight, 0), PixelFormat);
    Img->fill(0);
    Graphics = std::make_unique<QPainter>(Img.get());
    ImgHeight = lngHeight;
    ImgWidth = lngWidth;
}

void DIBsave::CreateBlankMemoryFromImg(QImage img)
{
    Destroy();
    // Taken by value and converted in place: a picture handed over with std::move is not copied.
    Img = std::make_unique<QImage>(std::move(img).convertToFormat(QImage::Format_ARGB32));
    Graphics = std::make_unique<QPainter>(Img.get());
    ImgWidth = Img->width();
    ImgHeight = Img->height();
}

void DIBsave::ClearScreen(quint32 Color)
{
    if (!Img)
        return;
    // The colour replaces every pixel, alpha included, whatever clip or transform is set.
    if (Graphics) {
        Graphics->save();
        Graphics->resetTransform();
        Graphics->setClipping(false);
        Graphics->setCompositionMode(QPainter::CompositionMode_Source);
        Graphics->fillRect(QRect(0, 0, Img->width(), Img->height()), QColor::fromRgba(Color));
        Graphics->restore();
    } else {
        Img->fill(QColor::fromRgba(Color));
    }
}

void DIBsave::DrawBackground(quint32 Color)
{
    if (Graphics)
        Graphics->fillRect(QRect(0, 0, ImgWidth, ImgHeight), QColor::fromRgba(Color));
}

void DIBsave::ClearIMG()
{
    Graphics.reset();
    Img.reset();
}

void DIBsave::Destroy()
{
    Graphics.reset();
    Img.reset();
}

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

int DIBsave::GetEncoderClsid(const QString& mimeType, QByteArray& format)
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

bool DIBsave::fail(const QString& message)
{
    m_error = message;
    return false;
}

// The destination is a path the user chose: a link there is followed, as every program does.
std::unique_ptr<AtomicFile> DIBsave::beginFile(const QString& fileName)
{
    auto file = m_files.create({fileName, FileWriter::Sync::Durable, FileWriter::Links::Follow});
    if (!file->begin()) {
        fail(file->errorText());
        return nullptr;
    }
    return file;
}

bool DIBsave::commitFile(AtomicFile& file)
{
    return file.commit() || fail(file.errorText());
}

bool DIBsave::saveWithWriter(const QString& fileName, const QImage& image, const QString& mimeType,
                             int quality, int compression)
{
    QByteArray format;
    if (GetEncoderClsid(mimeType, format) < 0)
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

int DIBsave::PaletteImageGIF(QImage& image, bool transparent, quint32 /*key*/)
{
    const QImage reduced = PaletteReduction::reduce(image, transparent ? PaletteReduction::Key::Black
                                                                       : PaletteReduction::Key::None);
    if (!reduced.isNull())
        image = reduced;
    return 9;
}

bool DIBsave::saveGif(const QString& fileName, bool transBG, int transValue)
{
    if (ImgWidth > GifWriter::kMaxSide || ImgHeight > GifWriter::kMaxSide)
        return fail(GifWriter::tooLarge(ImgWidth, ImgHeight));
    const QImage reduced = PaletteReduction::reduce(
        *Img, transBG ? PaletteReduction::Key::Alpha : PaletteReduction::Key::None, transValue);
    if (reduced.isNull())
        return fail(QStringLiteral("The %1 x %2 image could not be reduced to 256 colours: it is too large "
                                   "for the memory at hand")
                        .arg(ImgWidth)
                        .arg(ImgHeight));
    const std::unique_ptr<AtomicFile> file = beginFile(fileName);
    if (!file)
        return false;
    QString error;
    if (!GifWriter::write(reduced, *file, &error) && file->errorText().isEmpty())
        return fail(QStringLiteral("Cannot write %1: %2").arg(fileName, error));
    return commitFile(*file);
}

bool DIBsave::saveMetafile(const QString& fileName, int fileType)
{
    const std::unique_ptr<AtomicFile> file = beginFile(fileName);
    if (!file)
        return false;
    QString error;
    const bool written = fileType == FileType::EMF ? MetafileWriter::writeEmf(*Img, *file, &error)
                                                   : MetafileWriter::writeWmf(*Img, *file, &error);
    if (!written && file->errorText().isEmpty())
        return fail(QStringLiteral("Cannot write %1: %2").arg(fileName, error));
    return commitFile(*file);
}

bool DIBsave::Save(const QString& sFilename, int FileTypes, bool TransBG, int JPEG_Quality, int /*GIF_Color*/,
                   bool /*GIF_Dither*/, int /*TIFF_ColorDepth*/, int /*TIFF_Compression*/, int GIF_TransValue)
{
    m_error.clear();
    if (!Img || Img->isNull())
        return fail(QStringLiteral("There is no image to save"));
    switch (FileTypes) {
    case FileType::BMP:
        return saveWithWriter(sFilename, withoutAlpha(*Img), "image/bmp", -1, -1);
    case FileType::PNG:
        return saveWithWriter(sFilename, view(*Img), "image/png", -1, -1);
    case FileType::JPEG:
        return saveWithWriter(sFilename, withoutAlpha(*Img), "image/jpeg", std::clamp(JPEG_Quality, 0, 100),
                              -1);
    case FileType::GIF:
        return saveGif(sFilename, TransBG, GIF_TransValue);
    case FileType::TIFF:
        return saveWithWriter(sFilename, view(*Img), "image/tiff", -1, 0);
    case FileType::EMF:
    case FileType::WMF:
        return saveMetafile(sFilename, FileTypes);
    case FileType::ICO:
        return fail(QStringLiteral("Icon files are assembled by the export routine, not by a single bitmap"));
    default:
        return fail(QStringLiteral("Unknown file type code %1").arg(FileTypes));
    }
}

void DIBsave::DrawCopyrightLines(QImage& hBitmap) const
{
    QPainter painter(&hBitmap);
    painter.setPen(QPen(QColor(255, 0, 255, 100), 1));
    for (int i = 0; i <= ImgWidth + ImgHeight - 1; i += 7)
        painter.drawLine(i + 7, 0, 0, i + 7);
}

namespace
{

QRect centredTarget(int nW, int nH, int imgW, int imgH)
{
    const int w = std::min(nW, imgW);
    const int h = std::min(nH, imgH);
    return QRect((nW - w) / 2, (nH - h) / 2, w, h);
}

} // namespace

void DIBsave::DemoGIFimage(QPainter& graphics, int nW, int nH, int Optimized) const
{
    if (!Img)
        return;
    const QImage reduced = PaletteReduction::reduce(*Img, PaletteReduction::Key::Alpha, Optimized);
    graphics.drawImage(centredTarget(nW, nH, ImgWidth, ImgHeight), reduced, QRect(0, 0, ImgWidth, ImgHeight));
}

void DIBsave::EdgeSmoothimg(QPainter& graphics, int nW, int nH, int /*Optimized*/) const
{
    if (!Img)
        return;
    graphics.drawImage(centredTarget(nW, nH, ImgWidth, ImgHeight), *Img, QRect(0, 0, ImgWidth, ImgHeight));
}

bool DIBsave::CreateRgn(int /*nImg24*/, int OptValue, int Bx, int By) const
{
    if (!Img || !Img->valid(Bx, By))
        return false;
    return qAlpha(Img->pixel(Bx, By)) > OptValue;
}
