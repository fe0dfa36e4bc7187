// Draws the 14 frames of the busy window's spinner, 32 x 32 PNG files load1.png .. load14.png and
// the same drawn at 64 x 64 for screens at twice the scale (load1@2x.png ..): fourteen dots on a
// ring, the lit dot advancing one step per frame with a fading tail.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cmath>
#include <cstdio>

namespace
{
constexpr int kFrames = 14;
constexpr int kSize = 32;

QImage drawFrame(int frame, int scale)
{
    QImage img(kSize * scale, kSize * scale, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    for (int dot = 0; dot < kFrames; ++dot) {
        const double angle = 2.0 * M_PI * dot / kFrames - M_PI / 2.0;
        const int age = (frame - dot + kFrames) % kFrames; // 0 = the lit dot
        const int alpha = std::max(40, 255 - age * 40);
        p.setBrush(QColor(73, 192, 132, alpha));
        const double r = age == 0 ? 3.0 : 2.4;
        p.drawEllipse(QPointF(16 + 11 * std::cos(angle), 16 + 11 * std::sin(angle)), r, r);
    }
    return img;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: spinner-frames OUTPUT_DIR\n");
        return 2;
    }
    for (int n = 1; n <= kFrames; ++n) {
        for (const int scale : {1, 2}) {
            const QString path = QString::fromLocal8Bit(argv[1]) + "/load" + QString::number(n) +
                                 (scale == 1 ? ".png" : "@2x.png");
            if (!drawFrame(n - 1, scale).save(path, "PNG")) {
                std::fprintf(stderr, "spinner-frames: cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
