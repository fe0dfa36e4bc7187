#include "export/TransparentKey.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace
{

int keyedEntry(const QList<QRgb>& table)
{
    for (int i = 0; i < int(table.size()); ++i) {
        if (qAlpha(table[i]) == 0)
            return i;
    }
    return -1;
}

int darkestEntry(const QList<QRgb>& table, int used)
{
    int best = 0;
    for (int i = 1; i < used; ++i) {
        if (qRed(table[i]) + qGreen(table[i]) + qBlue(table[i]) <
            qRed(table[best]) + qGreen(table[best]) + qBlue(table[best]))
            best = i;
    }
    return best;
}

int nearestOther(const QList<QRgb>& table, int used, int entry)
{
    int best = -1;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < used; ++i) {
        if (i == entry)
            continue;
        const int dr = qRed(table[i]) - qRed(table[entry]);
        const int dg = qGreen(table[i]) - qGreen(table[entry]);
        const int db = qBlue(table[i]) - qBlue(table[entry]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

} // namespace

void TransparentKey::apply(QImage& indexed, const QImage& source, int threshold)
{
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
    const int w = indexed.width();
    const int h = indexed.height();
    if (argb.size() != indexed.size() || indexed.format() != QImage::Format_Indexed8)
        return;

    // Which indices the visible pixels use, and whether anything is keyed at all.
    std::vector<bool> usedVisible(256, false);
    int used = 0;
    bool anyKeyed = false;
    for (int y = 0; y < h; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        const uchar* idx = indexed.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            used = std::max(used, int(idx[x]) + 1);
            if (qAlpha(in[x]) < threshold)
                anyKeyed = true;
            else
                usedVisible[idx[x]] = true;
        }
    }
    QList<QRgb> table = indexed.colorTable();
    int key = keyedEntry(table);
    if (key >= 0)
        used = std::max(used, key + 1);
    if (!anyKeyed)
        return;

    int visibleReplacement = -1;
    const bool keyShared = key < 0 || usedVisible[key];
    // When the key entry holds only keyed pixels the palette stays as it is.
    if (keyShared && used < 256) {
        // Room for a transparent slot of its own; the old key entry becomes an ordinary colour.
        if (key >= 0)
            table[key] = qRgba(qRed(table[key]), qGreen(table[key]), qBlue(table[key]), 255);
        if (used >= int(table.size()))
            table.resize(std::min<qsizetype>(256, table.size() * 2), qRgba(0, 0, 0, 255));
        key = used;
        table[key] = qRgba(0, 0, 0, 0);
    } else if (keyShared) {
        if (key < 0) {
            key = darkestEntry(table, used);
            table[key] = qRgba(qRed(table[key]), qGreen(table[key]), qBlue(table[key]), 0);
        }
        visibleReplacement = nearestOther(table, used, key);
    }
    indexed.setColorTable(table);
    for (int y = 0; y < h; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        uchar* idx = indexed.scanLine(y);
        for (int x = 0; x < w; ++x) {
            if (qAlpha(in[x]) < threshold)
                idx[x] = uchar(key);
            else if (idx[x] == key && visibleReplacement >= 0)
                idx[x] = uchar(visibleReplacement);
        }
    }
}
