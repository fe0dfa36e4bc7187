#include "export/FileTypeCode.h"

#include "export/ImageSaver.h"
#include "imaging/FileHelpers.h"

#include <QFileInfo>

int FileTypeCode::fromExtension(const QString& extension)
{
    static const struct {
        const char* extension;
        int code;
    } table[] = {
        {"bmp", FileType::BMP},   {"dib", FileType::BMP},   {"rle", FileType::BMP}, {"jpg", FileType::JPEG},
        {"jpeg", FileType::JPEG}, {"gif", FileType::GIF},   {"emf", FileType::EMF}, {"wmf", FileType::WMF},
        {"tif", FileType::TIFF},  {"tiff", FileType::TIFF}, {"png", FileType::PNG}, {"ico", FileType::ICO},
    };
    for (const auto& row : table) {
        if (extension.compare(QLatin1String(row.extension), Qt::CaseInsensitive) == 0)
            return row.code;
    }
    return FileType::BMP;
}

int FileTypeCode::fromPath(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    // A name without "." has no extension (the helper would hand back the whole name).
    if (!name.contains('.'))
        return FileType::BMP;
    return fromExtension(FileHelpers::fileExtension(name));
}
