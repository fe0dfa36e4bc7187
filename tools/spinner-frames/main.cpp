// Draws the 14 frames of the busy window's spinner, 32 x 32 PNG files load1.png .. load14.png:
// twelve dots on a ring, the lit dot advancing one step per frame with a fading tail.
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

QImage drawFrame(int frame)
{
    QImage img(kSize, kSize, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
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
        const QString path = QString::fromLocal8Bit(argv[1]) + "/load" + QString::number(n) + ".png";
        if (!drawFrame(n - 1).save(path, "PNG")) {
            std::fprintf(stderr, "spinner-frames: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
