#include "grid/Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <map>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerArtworkResources()
{
    Q_INIT_RESOURCE(artwork);
}

namespace
{

struct PieceInfo {
    const char* file;
    QSize size;
};

PieceInfo info(Artwork::Piece piece)
{
    switch (piece) {
    case Artwork::Piece::Logo:
        return {"logo.svg", {50, 50}};
    case Artwork::Piece::Lettering:
        return {"lettering.svg", {122, 15}};
    case Artwork::Piece::SearchButton:
        return {"search-button.svg", {65, 41}};
    case Artwork::Piece::GoodLuck:
        return {"good-luck.svg", {96, 36}};
    case Artwork::Piece::CaptionRestore:
        return {"caption-restore.svg", {16, 16}};
    case Artwork::Piece::CaptionClose:
        return {"caption-close.svg", {16, 16}};
    case Artwork::Piece::CaptionMinimise:
        return {"caption-minimise.svg", {16, 16}};
    case Artwork::Piece::Download:
        return {"download.svg", {16, 16}};
    case Artwork::Piece::License:
        return {"license.svg", {16, 16}};
    case Artwork::Piece::MissingPicture:
        return {"missing-picture.svg", {64, 64}};
    }
    return {"", {}};
}

// Renders an SVG into (size x dpr) pixels that draw at `size`.
QImage render(const QString& path, QSize size, qreal dpr)
{
    QImage img(size * dpr, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&img);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return img;
}

// Ratios beyond this are drawn at it and scaled; a bound on the memory one piece can take.
constexpr qreal kMaxRatio = 8.0;

} // namespace

void Artwork::init()
{
    static const bool registered = (registerArtworkResources(), true);
    (void)registered;
}

QSize Artwork::size(Piece piece)
{
    return info(piece).size;
}

QString Artwork::resourcePath(Piece piece)
{
    return QStringLiteral(":/artwork/") + QString::fromLatin1(info(piece).file);
}

QImage Artwork::image(Piece piece, qreal dpr)
{
    init();
    dpr = std::clamp(dpr, 1.0, kMaxRatio);
    static std::map<std::pair<int, qreal>, QImage> cache;
    QImage& cached = cache[{int(piece), dpr}];
    if (cached.isNull())
        cached = render(resourcePath(piece), size(piece), dpr);
    return cached;
}

QPixmap Artwork::pixmap(Piece piece, qreal dpr)
{
    return QPixmap::fromImage(image(piece, dpr));
}

QIcon Artwork::icon()
{
    init();
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(render(resourcePath(Piece::Logo), QSize(side, side), 1.0)));
    return icon;
}
