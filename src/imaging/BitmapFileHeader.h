#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// The 14-byte header that opens a BMP file: "BM", the file size and the offset of the pixels.
struct BitmapFileHeader {
    static constexpr int kSize = 14;
    static constexpr quint16 kType = 0x4D42; // "BM"

    quint16 bfType = kType;
    quint32 bfSize = 0;
    quint16 bfReserved1 = 0;
    quint16 bfReserved2 = 0;
    quint32 bfOffBits = 0;

    QByteArray toBytes() const;
    // nullopt when fewer than 14 bytes are given.
    static std::optional<BitmapFileHeader> fromBytes(const char* data, qsizetype length);
};
