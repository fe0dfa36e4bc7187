#include "export/IconMimeData.h"

#include "export/ExportSource.h"
#include "imaging/ImageSignature.h"

#include <QBuffer>
#include <QFile>
#include <QMimeData>
#include <QUrl>

QByteArray IconMimeData::pngBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (ImageSignature::formatOf(file.peek(16)) == "png")
        return file.readAll();
    const ExportSource::Decoded decoded = ExportSource::read(path);
    QByteArray png;
    QBuffer buffer(&png);
    if (decoded.image.isNull() || !buffer.open(QIODevice::WriteOnly) || !decoded.image.save(&buffer, "PNG"))
        return {};
    return png;
}

QMimeData* IconMimeData::make(const QString& path, const QByteArray& png)
{
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(path)});
    data->setData(QString::fromLatin1(kPngType), png);
    return data;
}

QMimeData* IconMimeData::fromFile(const QString& path)
{
    const QByteArray png = pngBytes(path);
    return png.isEmpty() ? nullptr : make(path, png);
}
