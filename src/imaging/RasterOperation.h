#pragma once

#include <QPainter>

#include <optional>

// GDI raster-operation codes and stretch modes as the section classes take them, mapped onto the
// painter's composition modes and smoothing.
namespace RasterOperation
{

constexpr quint32 SRCCOPY = 0x00CC0020;
constexpr quint32 SRCPAINT = 0x00EE0086;
constexpr quint32 SRCAND = 0x008800C6;
constexpr quint32 SRCINVERT = 0x00660046;
constexpr quint32 NOTSRCCOPY = 0x00330008;
constexpr quint32 SRCERASE = 0x00440328;
constexpr quint32 NOTSRCERASE = 0x001100A6;

constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;

// nullopt for a code with no painter equivalent.
std::optional<QPainter::CompositionMode> compositionFor(quint32 rop);
// Only HALFTONE averages source pixels; the other modes pick them.
inline bool smoothsFor(int stretchMode)
{
    return stretchMode == HALFTONE;
}

// GDI's COLORREF 0x00BBGGRR as an opaque colour.
inline QRgb colorFromColorRef(quint32 colorRef)
{
    return qRgb(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

} // namespace RasterOperation
