#include "export/OctreeQuantiser.h"

#include <array>
#include <vector>

namespace
{

// Bit p of a channel value moved to bit 3p. Interleaving the three channels this way gives the
// octant of every depth at once: depth d (1 to 8) is bits 3(8 - d) to 3(8 - d) + 2, each octant
// 4 x red bit + 2 x green bit + blue bit of the bit 8 - d of the channels.
constexpr std::array<quint32, 256> makeSpread()
{
    std::array<quint32, 256> spread{};
    for (quint32 v = 0; v < 256; ++v)
        for (int p = 0; p < 8; ++p)
            spread[v] |= ((v >> p) & 1u) << (3 * p);
    return spread;
}
constexpr std::array<quint32, 256> kSpread = makeSpread();

quint32 octantCode(quint8 blue, quint8 green, quint8 red)
{
    return kSpread[red] << 2 | kSpread[green] << 1 | kSpread[blue];
}

int octantAt(quint32 code, int depth)
{
    return int((code >> (3 * (8 - depth))) & 7u);
}

} // namespace

void OctreeQuantiser::startSerial(int node)
{
    m_nodes[node].serial = quint32(m_serialNode.size());
    m_serialNode.push_back(node);
    m_forward.push_back(0);
}

void OctreeQuantiser::initTree()
{
    for (int& head : m_reducibleNodes)
        head = 0;
    m_nodes.assign(kPoolStep + 1, OctreeNode{});
    m_freeList = 0;
    m_paletteCount = 0;
    m_nodeCount = 1;
    m_forward.assign(1, 0);
    m_serialNode.assign(1, 0);
    m_serialPalette.clear();
    startSerial(1);
    m_lastLeaf = 0;
}

int OctreeQuantiser::newNode()
{
    ++m_nodeCount;
    int node = 0;
    if (m_freeList != 0) {
        node = m_freeList;
        m_freeList = m_nodes[node].nextReducible;
        for (qint32& child : m_nodes[node].child)
            child = 0;
    } else {
        if (m_nodeCount % kPoolStep == 0 && int(m_nodes.size()) < m_nodeCount + kPoolStep + 1)
            m_nodes.resize(size_t(m_nodeCount) + kPoolStep + 1);
        node = m_nodeCount;
    }
    startSerial(node);
    return node;
}

void OctreeQuantiser::freeNode(int node)
{
    OctreeNode& n = m_nodes[node];
    n.nextReducible = m_freeList;
    m_freeList = node;
    n.isLeaf = 0;
    n.inReducibleList = 0;
    --m_nodeCount;
    m_lastLeaf = 0;
}

// addColor's descent: one step per depth until a leaf takes the colour; returns that leaf.
int OctreeQuantiser::descend(int node, int depth, int leafDepth, int& leafCount, quint32 code, quint8 blue,
                             quint8 green, quint8 red)
{
    for (;;) {
        const int o = octantAt(code, depth);
        int child = m_nodes[node].child[o];
        if (child == 0) {
            child = newNode(); // may grow the pool: no references into it are held across
            m_nodes[node].child[o] = child;
            m_nodes[node].pixelCount += 1;
            OctreeNode& c = m_nodes[child];
            c.isLeaf = depth == leafDepth ? -1 : 0;
            c.pixelCount = 0;
            c.blueSum = 0;
            c.greenSum = 0;
            c.redSum = 0;
            c.nextReducible = 0;
        }
        OctreeNode& c = m_nodes[child];
        if (c.isLeaf != 0) {
            if (c.pixelCount == 0)
                ++leafCount;
            c.pixelCount += 1;
            c.blueSum += blue;
            c.greenSum += green;
            c.redSum += red;
            return child;
        }
        if (c.inReducibleList == 0) {
            c.nextReducible = m_reducibleNodes[depth - 1];
            m_reducibleNodes[depth - 1] = child;
            c.inReducibleList = -1;
        }
        node = child;
        ++depth;
    }
}

quint32 OctreeQuantiser::addColor(int node, int depth, int leafDepth, int& leafCount, quint8 blue,
                                  quint8 green, quint8 red)
{
    const int leaf =
        descend(node, depth, leafDepth, leafCount, octantCode(blue, green, red), blue, green, red);
    return m_nodes[leaf].serial;
}

bool OctreeQuantiser::reduceTree(int& leafCount, int startDepth)
{
    int d = startDepth;
    while (d >= 1 && m_reducibleNodes[d - 1] == 0)
        --d;
    if (d == 0)
        return false;
    const int node = m_reducibleNodes[d - 1];
    m_reducibleNodes[d - 1] = m_nodes[node].nextReducible;

    qint64 pixels = 0;
    qint64 blue = 0;
    qint64 green = 0;
    qint64 red = 0;
    int folded = 0;
    for (int o = 0; o < 8; ++o) {
        const int child = m_nodes[node].child[o];
        if (child == 0)
            continue;
        pixels += m_nodes[child].pixelCount;
        blue += m_nodes[child].blueSum;
        green += m_nodes[child].greenSum;
        red += m_nodes[child].redSum;
        m_forward[m_nodes[child].serial] = m_nodes[node].serial;
        freeNode(child);
        m_nodes[node].child[o] = 0;
        ++folded;
    }
    leafCount -= folded - 1;
    OctreeNode& n = m_nodes[node];
    n.isLeaf = -1;
    n.pixelCount = pixels;
    n.blueSum = blue;
    n.greenSum = green;
    n.redSum = red;
    return true;
}

quint32 OctreeQuantiser::fileColor(int& leafCount, int maxColors, int leafDepth, quint8 blue, quint8 green,
                                   quint8 red)
{
    const quint32 code = octantCode(blue, green, red);
    if (m_lastLeaf != 0 && code == m_lastCode) {
        // The walk would end at the same leaf: its path is filed and nothing was folded since.
        OctreeNode& leaf = m_nodes[m_lastLeaf];
        leaf.pixelCount += 1;
        leaf.blueSum += blue;
        leaf.greenSum += green;
        leaf.redSum += red;
        return leaf.serial;
    }
    const int leaf = descend(1, 1, leafDepth, leafCount, code, blue, green, red);
    const quint32 serial = m_nodes[leaf].serial;
    m_lastCode = code;
    m_lastLeaf = leaf;
    while (leafCount > maxColors) {
        if (!reduceTree(leafCount, leafDepth))
            break;
    }
    return serial;
}

void OctreeQuantiser::finishPalette(int leafCount)
{
    m_palette.assign(leafCount <= 16 ? 16 : 256, 0);
    buildPalette(m_paletteCount, 1);
    m_paletteCount -= 1;
    // A node is folded into its parent, which is older: one pass in serial order resolves all.
    m_serialPalette.assign(m_forward.size(), 0);
    for (size_t s = 1; s < m_forward.size(); ++s) {
        const OctreeNode& n = m_nodes[m_serialNode[s]];
        if (m_forward[s] != 0)
            m_serialPalette[s] = m_serialPalette[m_forward[s]];
        else if (n.isLeaf != 0)
            m_serialPalette[s] = n.paletteIndex;
    }
}

void OctreeQuantiser::buildOctreePalette(int stride, int rows, int padding, const quint8* pixels,
                                         int maxColors, int leafDepth)
{
    initTree();
    int leafCount = 0;
    const int width = (stride - padding) / 3;
    for (int y = rows - 1; y >= 0; --y) {
        const quint8* row = pixels + qsizetype(y) * stride;
        for (int x = width - 1; x >= 0; --x) {
            const quint8* p = row + 3 * x;
            fileColor(leafCount, maxColors, leafDepth, p[0], p[1], p[2]);
        }
    }
    finishPalette(leafCount);
}

void OctreeQuantiser::buildPalette(int& position, int node)
{
    OctreeNode& n = m_nodes[node];
    if (n.isLeaf != 0) {
        const quint32 red = quint32(n.redSum / n.pixelCount);
        const quint32 green = quint32(n.greenSum / n.pixelCount);
        const quint32 blue = quint32(n.blueSum / n.pixelCount);
        // More leaves than slots cannot happen after folding; the guard keeps a bad call in bounds.
        if (position < int(m_palette.size()))
            m_palette[size_t(position)] = red + 256 * green + 65536 * blue;
        n.paletteIndex = position;
        position += 1;
        return;
    }
    for (int o = 0; o < 8; ++o) {
        const int child = m_nodes[node].child[o];
        if (child != 0)
            buildPalette(position, child);
    }
}

int OctreeQuantiser::findLeaf(quint8 blue, quint8 green, quint8 red)
{
    if (m_nodes.size() < 2)
        return 0;
    const quint32 code = octantCode(blue, green, red);
    int node = 1;
    int k = 0;
    for (int depth = 1; depth <= 8; ++depth) {
        int child = m_nodes[node].child[octantAt(code, depth)];
        // A colour that was never filed takes the first remaining child in octant order.
        while (child == 0) {
            if (k >= 8)
                return 0;
            child = m_nodes[node].child[k];
            ++k;
        }
        node = child;
        if (m_nodes[node].isLeaf != 0)
            return node;
    }
    return 0;
}

int OctreeQuantiser::paletteIndexOf(quint8 blue, quint8 green, quint8 red)
{
    const int leaf = findLeaf(blue, green, red);
    return leaf == 0 ? 0 : m_nodes[leaf].paletteIndex;
}

int OctreeQuantiser::serialPaletteIndex(quint32 serial)
{
    return serial < m_serialPalette.size() ? m_serialPalette[serial] : 0;
}

int OctreeQuantiser::serialCount()
{
    return int(m_forward.size());
}

qint64 OctreeQuantiser::leafPixelCount(int node)
{
    return node > 0 && node < int(m_nodes.size()) ? m_nodes[node].pixelCount : 0;
}

void OctreeQuantiser::paletteColor(int index, quint8& blue, quint8& green, quint8& red)
{
    const quint32 c = index >= 0 && index < int(m_palette.size()) ? m_palette[size_t(index)] : 0;
    blue = quint8(c >> 16);
    green = quint8(c >> 8);
    red = quint8(c);
}

int OctreeQuantiser::lastPaletteIndex()
{
    return m_paletteCount;
}
int OctreeQuantiser::paletteSize()
{
    return int(m_palette.size());
}
int OctreeQuantiser::nodeCount()
{
    return m_nodeCount;
}
int OctreeQuantiser::poolCapacity()
{
    return int(m_nodes.size()) - 1;
}
