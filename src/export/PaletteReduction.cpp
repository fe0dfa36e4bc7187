#include "export/PaletteReduction.h"

#include "export/OctreeQuantiser.h"

#include <algorithm>
#include <limits>
#include <new>
#include <vector>

namespace
{

using Key = PaletteReduction::Key;

constexpr int kMaxColors = 256;
constexpr int kLeafDepth = 8;
// Marks a serial whose leaf is the key's: the pixel itself says whether it is keyed.
constexpr quint16 kAskPixel = 0x100;

template <Key K> bool isKeyed(QRgb p, int threshold)
{
    if constexpr (K == Key::Alpha)
        return qAlpha(p) < threshold;
    else if constexpr (K == Key::Black)
        return (p & 0x00FFFFFFu) == 0;
    else
        return false;
}

// The colour a pixel is filed as: keyed pixels as black, visible near-black ones lifted to
// (5, 5, 5) when alpha keys; returns whether the pixel is keyed.
template <Key K> bool filedColour(QRgb p, int threshold, quint8& r, quint8& g, quint8& b)
{
    r = quint8(qRed(p));
    g = quint8(qGreen(p));
    b = quint8(qBlue(p));
    if (isKeyed<K>(p, threshold)) {
        r = g = b = 0;
        return true;
    }
    if (K == Key::Alpha && r < 10 && g < 10 && b < 10)
        r = g = b = 5;
    return false;
}

// Files every pixel, last row and last pixel first; keeps each pixel's leaf serial when `records`
// holds a slot per pixel. Returns the number of keyed pixels.
template <Key K>
qint64 fileAll(OctreeQuantiser& tree, const QImage& argb, int threshold, std::vector<quint32>& records,
               int& leafCount)
{
    const int w = argb.width();
    const bool record = !records.empty();
    qint64 keyed = 0;
    for (int y = argb.height() - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        quint32* rec = record ? records.data() + qsizetype(y) * w : nullptr;
        for (int x = w - 1; x >= 0; --x) {
            quint8 r, g, b;
            keyed += filedColour<K>(row[x], threshold, r, g, b) ? 1 : 0;
            const quint32 serial = tree.fileColor(leafCount, kMaxColors, kLeafDepth, b, g, r);
            if (record)
                rec[x] = serial;
        }
    }
    return keyed;
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

struct KeyPlan {
    int key = -1;         // transparent entry; -1 for none
    int keyLeaf = -1;     // entry of the leaf the keyed pixels were filed into
    int replacement = -1; // where visible pixels of the key entry go instead; -1 for nowhere
};

// Chooses the transparent entry (see the class comment) and marks it in the table.
KeyPlan planKey(OctreeQuantiser& tree, QList<QRgb>& table, int used, qint64 keyed)
{
    KeyPlan plan;
    const int leaf = tree.findLeaf(0, 0, 0);
    plan.keyLeaf = tree.paletteIndexOf(0, 0, 0);
    for (int i = 0; i < used && plan.key < 0; ++i) {
        if (qRed(table[i]) < 5 && qGreen(table[i]) < 5 && qBlue(table[i]) < 5)
            plan.key = i;
    }
    // Every leaf but the key's holds visible pixels only; the key's holds them when it took more
    // pixels than were keyed.
    const bool shared = plan.key != plan.keyLeaf || tree.leafPixelCount(leaf) > keyed;
    if (shared && used < kMaxColors) {
        if (used >= int(table.size()))
            table.resize(std::min<qsizetype>(kMaxColors, table.size() * 2), qRgba(0, 0, 0, 255));
        plan.key = used;
        table[plan.key] = qRgba(0, 0, 0, 0);
        return plan;
    }
    if (shared) {
        if (plan.key < 0)
            plan.key = darkestEntry(table, used);
        plan.replacement = nearestOther(table, used, plan.key);
    }
    const QRgb c = table[plan.key];
    table[plan.key] = qRgba(qRed(c), qGreen(c), qBlue(c), 0);
    return plan;
}

// serial -> final entry, or kAskPixel with the entry a visible pixel of the key's leaf gets.
std::vector<quint16> serialTable(OctreeQuantiser& tree, const KeyPlan& plan)
{
    std::vector<quint16> table(static_cast<size_t>(tree.serialCount()));
    for (size_t s = 0; s < table.size(); ++s) {
        const int entry = tree.serialPaletteIndex(quint32(s));
        const int visible = entry == plan.key && plan.replacement >= 0 ? plan.replacement : entry;
        table[s] = quint16(visible | (entry == plan.keyLeaf ? kAskPixel : 0));
    }
    return table;
}

// Entry -> final entry, as serialTable, for the pass that walks the tree.
std::vector<quint16> entryTable(const KeyPlan& plan)
{
    std::vector<quint16> table(kMaxColors);
    for (int entry = 0; entry < kMaxColors; ++entry) {
        const int visible = entry == plan.key && plan.replacement >= 0 ? plan.replacement : entry;
        table[size_t(entry)] = quint16(visible | (entry == plan.keyLeaf ? kAskPixel : 0));
    }
    return table;
}

template <Key K>
void writeIndices(OctreeQuantiser& tree, const QImage& argb, int threshold,
                  const std::vector<quint32>& records, const KeyPlan& plan, QImage& indexed)
{
    const int w = argb.width();
    const bool recorded = !records.empty();
    const std::vector<quint16> table = recorded ? serialTable(tree, plan) : entryTable(plan);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        const quint32* rec = recorded ? records.data() + qsizetype(y) * w : nullptr;
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < w; ++x) {
            quint16 v;
            if (recorded) {
                v = table[rec[x]];
            } else {
                quint8 r, g, b;
                filedColour<K>(row[x], threshold, r, g, b);
                v = table[size_t(tree.paletteIndexOf(b, g, r))];
            }
            if (v & kAskPixel)
                v = isKeyed<K>(row[x], threshold) ? quint16(plan.key) : quint16(v & 0xFF);
            out[x] = uchar(v);
        }
    }
}

template <Key K> QImage reduceAs(const QImage& argb, int threshold, qint64 recordedPixels)
{
    const int w = argb.width();
    const int h = argb.height();
    // Each pixel's leaf serial spares the second pass a tree walk, at 4 bytes a pixel: a larger
    // picture walks the tree again rather than double its memory.
    std::vector<quint32> records(qint64(w) * h <= recordedPixels ? size_t(w) * size_t(h) : 0);
    OctreeQuantiser tree; // this reduction's own
    int leafCount = 0;
    const qint64 keyed = fileAll<K>(tree, argb, threshold, records, leafCount);
    tree.finishPalette(leafCount);

    const int used = tree.lastPaletteIndex() + 1;
    QList<QRgb> table(tree.paletteSize(), qRgba(0, 0, 0, 255));
    for (int i = 0; i < used; ++i) {
        quint8 b = 0;
        quint8 g = 0;
        quint8 r = 0;
        tree.paletteColor(i, b, g, r);
        table[i] = qRgba(r, g, b, 255);
    }
    KeyPlan plan;
    if (K != Key::None && keyed > 0)
        plan = planKey(tree, table, used, keyed);

    QImage indexed(w, h, QImage::Format_Indexed8);
    if (indexed.isNull())
        return {};
    writeIndices<K>(tree, argb, threshold, records, plan, indexed);
    indexed.setColorTable(table);
    return indexed;
}

} // namespace

namespace
{

QImage reduceArgb(const QImage& argb, Key key, int threshold, qint64 recordedPixels)
{
    try {
        switch (key) {
        case Key::Alpha:
            return reduceAs<Key::Alpha>(argb, threshold, recordedPixels);
        case Key::Black:
            return reduceAs<Key::Black>(argb, threshold, recordedPixels);
        case Key::None:
            break;
        }
        return reduceAs<Key::None>(argb, threshold, recordedPixels);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

} // namespace

QImage PaletteReduction::reduce(const QImage& image, Key key, int threshold, qint64 recordedPixels)
{
    if (image.isNull() || qint64(image.width()) * image.height() > kMaxPixels)
        return {};
    // Read in place: a copy of an image that is being painted on (the export canvas) would be
    // a deep one.
    if (image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32)
        return reduceArgb(image, key, threshold, recordedPixels);
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    return argb.isNull() ? QImage() : reduceArgb(argb, key, threshold, recordedPixels);
}
