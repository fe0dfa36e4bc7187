#include "catalogue-site/SyntheticIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QSet>
#include <QtMath>

#include <array>

namespace
{
// Subjects: the client's 20 category words (as parts of longer words where natural) and common
// icon words. Arrows come first so small sets hold arrow left and arrow right.
const std::array kSubjects = {
    "arrow-left",
    "arrow-right",
    "home",
    "user",
    "mail",
    "arrow-up",
    "arrow-down",
    "mobile-phone",
    "medical-kit",
    "shopping-cart",
    "security-shield",
    "network",
    "music-note",
    "map-pin",
    "building",
    "holiday-sun",
    "game-controller",
    "food",
    "flag",
    "file",
    "electronic-chip",
    "education-cap",
    "computer",
    "clothes-shirt",
    "business-briefcase",
    "animal-paw",
    "arrow-circle",
    "arrow-return",
    "search",
    "settings",
    "star",
    "heart",
    "cloud",
    "camera",
    "phone",
    "lock",
    "calendar",
    "chart",
    "folder",
    "printer",
    "trash",
    "bell",
    "book",
    "car",
    "gift",
    "arrow-refresh",
    "download",
    "upload",
    "clock",
    "key",
    "globe",
    "arrow-expand",
    "chat",
    "image",
    "video",
    "battery",
    "wifi",
    "truck",
    "cup",
    "tree",
};
const std::array kStyles = {
    "outline", "filled", "round", "flat",  "line", "color", "glyph",   "square",
    "circle",  "badge",  "alt",   "small", "bold", "light", "duotone", "sharp",
};
const std::array kVariants = {
    "blue", "green", "red", "orange", "purple", "grey", "dark", "bright",
};

constexpr std::array<QRgb, 10> kPalette = {
    0xffe53935, 0xff1e88e5, 0xff43a047, 0xfffb8c00, 0xff8e24aa,
    0xff00acc1, 0xfffdd835, 0xff6d4c41, 0xff546e7a, 0xffd81b60,
};

QString nameAt(int i)
{
    const int s = int(kSubjects.size());
    const int t = int(kStyles.size());
    if (i < s)
        return kSubjects[size_t(i)];
    i -= s;
    QString name = QString(kSubjects[size_t(i % s)]) + '-' + kStyles[size_t((i / s) % t)];
    if (i >= s * t)
        name += QString('-') + kVariants[size_t((i / (s * t)) % int(kVariants.size()))];
    if (i >= s * t * int(kVariants.size()))
        name += '-' + QString::number(i / (s * t * int(kVariants.size())));
    return name;
}

QPainterPath arrowPath(qreal size)
{
    QPainterPath p;
    const qreal m = size * 0.18;
    p.moveTo(m, size / 2);
    p.lineTo(size / 2, m);
    p.lineTo(size / 2, size * 0.38);
    p.lineTo(size - m, size * 0.38);
    p.lineTo(size - m, size * 0.62);
    p.lineTo(size / 2, size * 0.62);
    p.lineTo(size / 2, size - m);
    p.closeSubpath();
    return p;
}

qreal arrowAngle(const QString& name)
{
    if (name.contains("right"))
        return 180;
    if (name.contains("up"))
        return 90;
    if (name.contains("down"))
        return 270;
    return 0;
}

QPainterPath shapePath(int kind, qreal size)
{
    QPainterPath p;
    const qreal m = size * 0.12;
    const QRectF r(m, m, size - 2 * m, size - 2 * m);
    switch (kind % 5) {
    case 0:
        p.addEllipse(r);
        break;
    case 1:
        p.addRoundedRect(r, size * 0.18, size * 0.18);
        break;
    case 2:
        p.moveTo(size / 2, m);
        p.lineTo(size - m, size - m);
        p.lineTo(m, size - m);
        p.closeSubpath();
        break;
    case 3:
        p.moveTo(size / 2, m);
        p.lineTo(size - m, size / 2);
        p.lineTo(size / 2, size - m);
        p.lineTo(m, size / 2);
        p.closeSubpath();
        break;
    default:
        for (int k = 0; k < 10; ++k) {
            const qreal radius = (k % 2 ? 0.2 : 0.45) * size;
            const qreal a = qDegreesToRadians(-90.0 + k * 36.0);
            const QPointF pt(size / 2 + radius * qCos(a), size / 2 + radius * qSin(a));
            k == 0 ? p.moveTo(pt) : p.lineTo(pt);
        }
        p.closeSubpath();
        break;
    }
    return p;
}
} // namespace

QStringList SyntheticIcons::names(int n)
{
    QStringList out;
    QSet<QString> seen;
    for (int i = 0; out.size() < n && i < kMaxCount * 2; ++i) {
        const QString name = nameAt(i);
        QString compact = name;
        compact.remove('-');
        if (seen.contains(compact))
            continue;
        seen.insert(compact);
        out << name;
    }
    return out;
}

std::vector<IconEntry> SyntheticIcons::entries(int n)
{
    std::vector<IconEntry> out;
    const QStringList all = names(n);
    for (int i = 0; i < all.size(); ++i) {
        IconEntry e;
        e.name = all[i];
        e.compact = QString(all[i]).remove('-');
        e.synthetic = i;
        out.push_back(std::move(e));
    }
    return out;
}

QImage SyntheticIcons::draw(int index, const QString& name, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor main = QColor::fromRgba(kPalette[size_t(index) % kPalette.size()]);
    const QColor accent = QColor::fromRgba(kPalette[size_t(index / 7 + 3) % kPalette.size()]);
    p.setPen(QPen(main.darker(140), size / 40.0));
    p.setBrush(main);
    if (name.startsWith("arrow")) {
        p.translate(size / 2.0, size / 2.0);
        p.rotate(arrowAngle(name));
        p.translate(-size / 2.0, -size / 2.0);
        p.drawPath(arrowPath(size));
        return image;
    }
    p.drawPath(shapePath(index, size));
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    const qreal d = size * (0.16 + 0.04 * (index % 4));
    p.drawEllipse(QRectF(size / 2.0 - d / 2, size / 2.0 - d / 2, d, d));
    return image;
}
