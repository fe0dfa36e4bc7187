// BMP files as the bitmap class reads them: the header check, then the reader on what passes.

#include "imaging/BmpFileCheck.h"
#include "imaging/DibBitmap.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const BmpFileCheck::Result check = BmpFileCheck::check(bytes);
    const QString path = dir.filePath(QStringLiteral("fuzz.bmp"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            __builtin_trap();
        file.write(bytes);
    }
    DibBitmap dib;
    const int depth = dib.createFromBitmapFile(path);
    if (!check.ok && depth != 0)
        __builtin_trap(); // a refused file must never be read
    return 0;
}
