#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's fixed pictures, drawn as SVG compiled into the binary and rendered at their
// design sizes. The grid library is static, so the application calls Artwork::init() once at
// start-up to register the resources (the other calls also do it on first use).
class Artwork
{
public:
    enum class Piece {
        Logo,            // 50 x 50, Logopic1
        Lettering,       // 122 x 15, LogoText
        SearchButton,    // 65 x 41
        GoodLuck,        // 96 x 36
        CaptionRestore,  // 16 x 16, two overlapping window outlines (mainControls 0)
        CaptionClose,    // 16 x 16, a cross (mainControls 1)
        CaptionMinimise, // 16 x 16, a short horizontal bar (mainControls 2)
        Download,        // 16 x 16, grey disc with a white down arrow
        License,         // 16 x 16, green disc with a white letter i
    };
    static constexpr int kPieceCount = 9;

    static void init();
    [[nodiscard]] static QSize size(Piece piece);
    [[nodiscard]] static QString resourcePath(Piece piece);
    // The piece rendered at its size on a transparent background; cached after the first call.
    [[nodiscard]] static QImage image(Piece piece);
    [[nodiscard]] static QPixmap pixmap(Piece piece);
};
