#include "imaging/DibBitmap.h"

#include "imaging/BmpFile.h"
#include "imaging/PackedDib.h"
#include "platform/AtomicFile.h"

#include <QAtomicInt>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QResource>

const QString DibBitmap::kClipboardDibFormat = QStringLiteral("application/x-qt-windows-mime;value=\"DIB\"");

namespace
{

int depthOf(const QImage& picture)
{
    switch (picture.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return 1;
    case QImage::Format_Indexed8:
        return 8;
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
        return 24;
    default:
        return 32;
    }
}

// A compiled resource file registered for the duration of one load, as a module is loaded and
// freed around a resource look-up.
class ResourceModule
{
public:
    explicit ResourceModule(const QString& file)
        : m_file(file), m_root(QStringLiteral("/pm-module-%1").arg(s_next.fetchAndAddRelaxed(1)))
    {
        m_loaded = QResource::registerResource(m_file, m_root);
    }
    ~ResourceModule()
    {
        if (m_loaded)
            QResource::unregisterResource(m_file, m_root);
    }
    bool isLoaded() const { return m_loaded; }
    QString root() const { return ':' + m_root; }

private:
    static inline QAtomicInt s_next;
    QString m_file;
    QString m_root;
    bool m_loaded = false;
};

} // namespace

bool DibBitmap::create(int newWidth, int newHeight, int newBpp)
{
    return m_section.create(newWidth, newHeight, newBpp);
}

int DibBitmap::loadBitmapPath(const QString& path)
{
    QFile file(path);
    // A missing or empty file leaves the object as it was.
    if (file.size() == 0 || !file.open(QIODevice::ReadOnly))
        return 0;
    destroy();
    if (file.size() > BmpFile::kMaxFileBytes)
        return 0;
    return BmpFile::read(file.readAll(), m_section);
}

int DibBitmap::createFromBitmapFile(const QString& fileName)
{
    return loadBitmapPath(fileName);
}

int DibBitmap::createFromResource(const QString& fileName, int resourceId)
{
    const QString name = QString::number(resourceId) + QStringLiteral(".bmp");
    if (!fileName.endsWith(QStringLiteral(".rcc"), Qt::CaseInsensitive))
        return loadBitmapPath(fileName + '/' + name);
    const ResourceModule module(fileName);
    return module.isLoaded() ? loadBitmapPath(module.root() + '/' + name) : 0;
}

int DibBitmap::createFromPicture(const QImage& picture, bool force)
{
    if (picture.isNull())
        return 0;
    const int depth = force ? 32 : depthOf(picture);
    if (!create(picture.width(), picture.height(), depth))
        return 0;
    if (depth <= 8)
        m_section.writeIndexed(picture);
    else
        m_section.writeImage(picture);
    return bpp();
}

int DibBitmap::createFromPicture(const QPixmap& picture, bool force)
{
    return createFromPicture(picture.toImage(), force);
}

int DibBitmap::createFromClipboard()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return 0;
    if (data->hasFormat(kClipboardDibFormat))
        return PackedDib::unpack(data->data(kClipboardDibFormat), m_section) ? bpp() : 0;
    // Another program's picture: taken at 32 bits, as a screen bitmap becomes a DIB.
    if (data->hasImage())
        return createFromPicture(qvariant_cast<QImage>(data->imageData()), true);
    return 0;
}

qsizetype DibBitmap::copyToClipboard() const
{
    const QByteArray block = PackedDib::pack(m_section);
    if (block.isEmpty())
        return 0;
    auto* data = new QMimeData;
    data->setData(kClipboardDibFormat, block);
    data->setImageData(m_section.toImage());
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(data);
    return block.size();
}

int DibBitmap::cloneTo(DibBitmap& target) const
{
    if (m_section.isEmpty() || !target.create(width(), height(), bpp()))
        return 0;
    if (bpp() <= 8) {
        QByteArray palette;
        readPalette(palette);
        target.setPalette(palette);
    }
    std::copy_n(m_section.bits(), size(), target.bits());
    return target.bpp();
}

bool DibBitmap::save(QIODevice& out) const
{
    return BmpFile::write(m_section, out);
}

bool DibBitmap::save(const QString& fileName, FileWriter& files) const
{
    if (m_section.isEmpty())
        return false;
    const auto file = files.create({fileName, FileWriter::Sync::Durable, FileWriter::Links::Follow});
    return file->begin() && save(*file) && file->commit();
}

void DibBitmap::destroy()
{
    m_section.destroy();
}

int DibBitmap::copyFrom(const QImage& source, int x, int y, int copyWidth, int copyHeight)
{
    const int w = copyWidth ? copyWidth : width();
    const int h = copyHeight ? copyHeight : height();
    return m_section.loadBlt(source, QRect(x, y, w, h));
}

int DibBitmap::paint(QPainter& painter, int x, int y, quint32 rop) const
{
    return stretch(painter, x, y, width(), height(), 0, 0, width(), height(), rop,
                   RasterOperation::COLORONCOLOR);
}

int DibBitmap::stretch(QPainter& painter, int x, int y, int copyWidth, int copyHeight, int sourceX,
                       int sourceY, int sourceWidth, int sourceHeight, quint32 rop, int stretchMode) const
{
    const int sw = sourceWidth ? sourceWidth : width();
    const int sh = sourceHeight ? sourceHeight : height();
    return m_section.stretchTo(painter, QRect(x, y, copyWidth, copyHeight), QRect(sourceX, sourceY, sw, sh),
                               rop, stretchMode);
}

int DibBitmap::stretch24(QPainter& painter, int x, int y, int copyWidth, int copyHeight, int sourceX,
                         int sourceY, int sourceWidth, int sourceHeight, quint32 rop) const
{
    // Drawing straight from the header, colour table and rows is what stretchTo does already;
    // source coordinates are top-down here as in stretch.
    return stretch(painter, x, y, copyWidth, copyHeight, sourceX, sourceY, sourceWidth, sourceHeight, rop,
                   RasterOperation::COLORONCOLOR);
}

void DibBitmap::clear(quint32 color)
{
    m_section.fill(QRect(0, 0, width(), height()), RasterOperation::colorFromColorRef(color));
}

void DibBitmap::reset()
{
    m_section.reset();
}

void DibBitmap::setPalette(const QByteArray& palette)
{
    m_section.setPaletteBytes(palette);
}

void DibBitmap::readPalette(QByteArray& palette) const
{
    palette = m_section.paletteBytes();
}

QPixmap DibBitmap::toPixmap() const
{
    if (m_section.isEmpty())
        return {};
    QPixmap pixmap(width(), height());
    QPainter painter(&pixmap);
    paint(painter);
    return pixmap;
}
