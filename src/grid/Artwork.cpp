#include "grid/Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

#include <array>

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
    }
    return {"", {}};
}

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

QImage Artwork::image(Piece piece)
{
    init();
    static std::array<QImage, kPieceCount> cache;
    QImage& cached = cache[std::size_t(piece)];
    if (cached.isNull()) {
        QImage img(size(piece), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QSvgRenderer renderer(resourcePath(piece));
        QPainter painter(&img);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size(piece))));
        painter.end();
        cached = img;
    }
    return cached;
}

QPixmap Artwork::pixmap(Piece piece)
{
    return QPixmap::fromImage(image(piece));
}
