#include "imaging/CDIB.h"

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

const QString CDIB::kClipboardDibFormat = QStringLiteral("application/x-qt-windows-mime;value=\"DIB\"");

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

bool CDIB::Create(int NewWidth, int NewHeight, int NewBPP)
{
    return m_section.create(NewWidth, NewHeight, NewBPP);
}

int CDIB::loadBitmapPath(const QString& path)
{
    QFile file(path);
    // A missing or empty file leaves the object as it was.
    if (file.size() == 0 || !file.open(QIODevice::ReadOnly))
        return 0;
    Destroy();
    if (file.size() > BmpFile::kMaxFileBytes)
        return 0;
    return BmpFile::read(file.readAll(), m_section);
}

int CDIB::CreateFromBitmapFile(const QString& Filename)
{
    return loadBitmapPath(Filename);
}

int CDIB::CreateFromResourceBitmap(const QString& Filename, int ResID)
{
    const QString name = QString::number(ResID) + QStringLiteral(".bmp");
    if (!Filename.endsWith(QStringLiteral(".rcc"), Qt::CaseInsensitive))
        return loadBitmapPath(Filename + '/' + name);
    const ResourceModule module(Filename);
    return module.isLoaded() ? loadBitmapPath(module.root() + '/' + name) : 0;
}

int CDIB::CreateFromStdPicture(const QImage& picture, bool force)
{
    if (picture.isNull())
        return 0;
    const int depth = force ? 32 : depthOf(picture);
    if (!Create(picture.width(), picture.height(), depth))
        return 0;
    if (depth <= 8)
        m_section.writeIndexed(picture);
    else
        m_section.writeImage(picture);
    return BPP();
}

int CDIB::CreateFromStdPicture(const QPixmap& picture, bool force)
{
    return CreateFromStdPicture(picture.toImage(), force);
}

int CDIB::CreateFromClipboard()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return 0;
    if (data->hasFormat(kClipboardDibFormat))
        return PackedDib::unpack(data->data(kClipboardDibFormat), m_section) ? BPP() : 0;
    // Another program's picture: taken at 32 bits, as a screen bitmap becomes a DIB.
    if (data->hasImage())
        return CreateFromStdPicture(qvariant_cast<QImage>(data->imageData()), true);
    return 0;
}

qsizetype CDIB::CopyToClipboard() const
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

int CDIB::CloneTo(CDIB& target) const
{
    if (m_section.isEmpty() || !target.Create(Width(), Height(), BPP()))
        return 0;
    if (BPP() <= 8) {
        QByteArray palette;
        GetPalette(palette);
        target.SetPalette(palette);
    }
    std::copy_n(m_section.bits(), Size(), target.lpBits());
    return target.BPP();
}

bool CDIB::Save(QIODevice& out) const
{
    return BmpFile::write(m_section, out);
}

bool CDIB::Save(const QString& Filename, FileWriter& files) const
{
    if (m_section.isEmpty())
        return false;
    const auto file = files.create({Filename, FileWriter::Sync::Durable, FileWriter::Links::Follow});
    return file->begin() && Save(*file) && file->commit();
}

void CDIB::Destroy()
{
    m_section.destroy();
}

int CDIB::LoadBlt(const QImage& hSrcDC, int x, int y, int nWidth, int nHeight)
{
    const int w = nWidth ? nWidth : Width();
    const int h = nHeight ? nHeight : Height();
    return m_section.loadBlt(hSrcDC, QRect(x, y, w, h));
}

int CDIB::Paint(QPainter& hDC, int x, int y, quint32 ROP) const
{
    return Stretch(hDC, x, y, Width(), Height(), 0, 0, Width(), Height(), ROP, RasterOperation::COLORONCOLOR);
}

int CDIB::Stretch(QPainter& hDC, int x, int y, int nWidth, int nHeight, int xSrc, int ySrc, int nSrcWidth,
                  int nSrcHeight, quint32 ROP, int StretchBltMode) const
{
    const int sw = nSrcWidth ? nSrcWidth : Width();
    const int sh = nSrcHeight ? nSrcHeight : Height();
    return m_section.stretchTo(hDC, QRect(x, y, nWidth, nHeight), QRect(xSrc, ySrc, sw, sh), ROP,
                               StretchBltMode);
}

int CDIB::Stretch24(QPainter& hDC, int x, int y, int nWidth, int nHeight, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, quint32 ROP) const
{
    // Drawing straight from the header, colour table and rows is what stretchTo does already;
    // source coordinates are top-down here as in Stretch.
    return Stretch(hDC, x, y, nWidth, nHeight, xSrc, ySrc, nSrcWidth, nSrcHeight, ROP,
                   RasterOperation::COLORONCOLOR);
}

void CDIB::Cls(quint32 ColorRef)
{
    m_section.fill(QRect(0, 0, Width(), Height()), RasterOperation::colorFromColorRef(ColorRef));
}

void CDIB::Reset()
{
    m_section.reset();
}

void CDIB::SetPalette(const QByteArray& Palette)
{
    m_section.setPaletteBytes(Palette);
}

void CDIB::GetPalette(QByteArray& Palette) const
{
    Palette = m_section.paletteBytes();
}

QPixmap CDIB::Image() const
{
    if (m_section.isEmpty())
        return {};
    QPixmap pixmap(Width(), Height());
    QPainter painter(&pixmap);
    Paint(painter);
    return pixmap;
}
