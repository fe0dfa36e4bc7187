#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's fixed pictures, drawn as SVG compiled into the binary and rendered at their
// design sizes in logical pixels, at the device pixel ratio asked for, so they stay sharp on a
// scaled screen. The grid library is static, so the application calls Artwork::init() once at
// start-up to register the resources (the other calls also do it on first use).
class Artwork
{
public:
    enum class Piece {
        Logo,            // 50 x 50, the logo picture
        Lettering,       // 122 x 15, LogoText
        SearchButton,    // 65 x 41
        GoodLuck,        // 96 x 36
        CaptionRestore,  // 16 x 16, two overlapping window outlines (mainControls 0)
        CaptionClose,    // 16 x 16, a cross (mainControls 1)
        CaptionMinimise, // 16 x 16, a short horizontal bar (mainControls 2)
        Download,        // 16 x 16, grey disc with a white down arrow
        License,         // 16 x 16, green disc with a white letter i
        MissingPicture,  // 64 x 64, a torn grey picture frame: a thumbnail that cannot be shown
    };
    static constexpr int kPieceCount = 10;

    static void init();
    [[nodiscard]] static QSize size(Piece piece);
    [[nodiscard]] static QString resourcePath(Piece piece);
    // The piece rendered at its size times `dpr` on a transparent background, carrying that
    // device pixel ratio (so it draws at its logical size); cached per piece and ratio.
    [[nodiscard]] static QImage image(Piece piece, qreal dpr = 1.0);
    [[nodiscard]] static QPixmap pixmap(Piece piece, qreal dpr = 1.0);
    // The logo at the usual icon sizes: the windows' icon, the same artwork as the installed one.
    [[nodiscard]] static QIcon icon();
};
