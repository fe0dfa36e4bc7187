#pragma once

#include <QByteArray>

// Broken thumbnail bodies for the faults that send one.
class FaultyBytes
{
public:
    // The first half of a real PNG.
    static QByteArray truncated(const QByteArray& png) { return png.left(png.size() / 2); }
    // Bytes of text that no image decoder accepts.
    static QByteArray garbage();
    // A well-formed PNG (signature, IHDR, a tiny IDAT, IEND, correct CRCs) declaring
    // 100000 x 100000 pixels of 32-bit colour.
    static QByteArray bomb();

    static constexpr quint32 kBombSide = 100000;
};
