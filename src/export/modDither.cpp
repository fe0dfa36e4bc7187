#include "export/modDither.h"

#include <array>
#include <vector>

namespace modDither
{
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

void Tree::startSerial(int node)
{
    Nodes[node].Serial = quint32(SerialNode.size());
    SerialNode.push_back(node);
    Forward.push_back(0);
}

void Tree::InitTree()
{
    for (int& head : ReducibleNodes)
        head = 0;
    Nodes.assign(kPoolStep + 1, Node{});
    FreeList = 0;
    PaletteCount = 0;
    m_nodeCount = 1;
    Forward.assign(1, 0);
    SerialNode.assign(1, 0);
    SerialPalette.clear();
    startSerial(1);
    m_lastLeaf = 0;
}

int Tree::NewNode()
{
    ++m_nodeCount;
    int node = 0;
    if (FreeList != 0) {
        node = FreeList;
        FreeList = Nodes[node].NextReducible;
        for (qint32& child : Nodes[node].Child)
            child = 0;
    } else {
        if (m_nodeCount % kPoolStep == 0 && int(Nodes.size()) < m_nodeCount + kPoolStep + 1)
            Nodes.resize(size_t(m_nodeCount) + kPoolStep + 1);
        node = m_nodeCount;
    }
    startSerial(node);
    return node;
}

void Tree::FreeNode(int node)
{
    Node& n = Nodes[node];
    n.NextReducible = FreeList;
    FreeList = node;
    n.IsLeaf = 0;
    n.InReducibleList = 0;
    --m_nodeCount;
    m_lastLeaf = 0;
}

// AddColor's descent: one step per depth until a leaf takes the colour; returns that leaf.
int Tree::descend(int node, int depth, int leafDepth, int& leafCount, quint32 code, quint8 blue, quint8 green,
                  quint8 red)
{
    for (;;) {
        const int o = octantAt(code, depth);
        int child = Nodes[node].Child[o];
        if (child == 0) {
            child = NewNode(); // may grow the pool: no references into it are held across
            Nodes[node].Child[o] = child;
            Nodes[node].PixelCount += 1;
            Node& c = Nodes[child];
            c.IsLeaf = depth == leafDepth ? -1 : 0;
            c.PixelCount = 0;
            c.BlueSum = 0;
            c.GreenSum = 0;
            c.RedSum = 0;
            c.NextReducible = 0;
        }
        Node& c = Nodes[child];
        if (c.IsLeaf != 0) {
            if (c.PixelCount == 0)
                ++leafCount;
            c.PixelCount += 1;
            c.BlueSum += blue;
            c.GreenSum += green;
            c.RedSum += red;
            return child;
        }
        if (c.InReducibleList == 0) {
            c.NextReducible = ReducibleNodes[depth - 1];
            ReducibleNodes[depth - 1] = child;
            c.InReducibleList = -1;
        }
        node = child;
        ++depth;
    }
}

quint32 Tree::AddColor(int node, int depth, int leafDepth, int& leafCount, quint8 blue, quint8 green,
                       quint8 red)
{
    const int leaf =
        descend(node, depth, leafDepth, leafCount, octantCode(blue, green, red), blue, green, red);
    return Nodes[leaf].Serial;
}

bool Tree::ReduceTree(int& leafCount, int startDepth)
{
    int d = startDepth;
    while (d >= 1 && ReducibleNodes[d - 1] == 0)
        --d;
    if (d == 0)
        return false;
    const int node = ReducibleNodes[d - 1];
    ReducibleNodes[d - 1] = Nodes[node].NextReducible;

    qint64 pixels = 0;
    qint64 blue = 0;
    qint64 green = 0;
    qint64 red = 0;
    int folded = 0;
    for (int o = 0; o < 8; ++o) {
        const int child = Nodes[node].Child[o];
        if (child == 0)
            continue;
        pixels += Nodes[child].PixelCount;
        blue += Nodes[child].BlueSum;
        green += Nodes[child].GreenSum;
        red += Nodes[child].RedSum;
        Forward[Nodes[child].Serial] = Nodes[node].Serial;
        FreeNode(child);
        Nodes[node].Child[o] = 0;
        ++folded;
    }
    leafCount -= folded - 1;
    Node& n = Nodes[node];
    n.IsLeaf = -1;
    n.PixelCount = pixels;
    n.BlueSum = blue;
    n.GreenSum = green;
    n.RedSum = red;
    return true;
}

quint32 Tree::FileColor(int& leafCount, int maxColors, int leafDepth, quint8 blue, quint8 green, quint8 red)
{
    const quint32 code = octantCode(blue, green, red);
    if (m_lastLeaf != 0 && code == m_lastCode) {
        // The walk would end at the same leaf: its path is filed and nothing was folded since.
        Node& leaf = Nodes[m_lastLeaf];
        leaf.PixelCount += 1;
        leaf.BlueSum += blue;
        leaf.GreenSum += green;
        leaf.RedSum += red;
        return leaf.Serial;
    }
    const int leaf = descend(1, 1, leafDepth, leafCount, code, blue, green, red);
    const quint32 serial = Nodes[leaf].Serial;
    m_lastCode = code;
    m_lastLeaf = leaf;
    while (leafCount > maxColors) {
        if (!ReduceTree(leafCount, leafDepth))
            break;
    }
    return serial;
}

void Tree::FinishPalette(int leafCount)
{
    Palette.assign(leafCount <= 16 ? 16 : 256, 0);
    BuildPalette(PaletteCount, 1);
    PaletteCount -= 1;
    // A node is folded into its parent, which is older: one pass in serial order resolves all.
    SerialPalette.assign(Forward.size(), 0);
    for (size_t s = 1; s < Forward.size(); ++s) {
        const Node& n = Nodes[SerialNode[s]];
        if (Forward[s] != 0)
            SerialPalette[s] = SerialPalette[Forward[s]];
        else if (n.IsLeaf != 0)
            SerialPalette[s] = n.PaletteIndex;
    }
}

void Tree::BuildOctreePalette(int stride, int rows, int padding, const quint8* pixels, int maxColors,
                              int leafDepth)
{
    InitTree();
    int leafCount = 0;
    const int width = (stride - padding) / 3;
    for (int y = rows - 1; y >= 0; --y) {
        const quint8* row = pixels + qsizetype(y) * stride;
        for (int x = width - 1; x >= 0; --x) {
            const quint8* p = row + 3 * x;
            FileColor(leafCount, maxColors, leafDepth, p[0], p[1], p[2]);
        }
    }
    FinishPalette(leafCount);
}

void Tree::BuildPalette(int& position, int node)
{
    Node& n = Nodes[node];
    if (n.IsLeaf != 0) {
        const quint32 red = quint32(n.RedSum / n.PixelCount);
        const quint32 green = quint32(n.GreenSum / n.PixelCount);
        const quint32 blue = quint32(n.BlueSum / n.PixelCount);
        // More leaves than slots cannot happen after folding; the guard keeps a bad call in bounds.
        if (position < int(Palette.size()))
            Palette[size_t(position)] = red + 256 * green + 65536 * blue;
        n.PaletteIndex = position;
        position += 1;
        return;
    }
    for (int o = 0; o < 8; ++o) {
        const int child = Nodes[node].Child[o];
        if (child != 0)
            BuildPalette(position, child);
    }
}

int Tree::FindLeaf(quint8 blue, quint8 green, quint8 red)
{
    if (Nodes.size() < 2)
        return 0;
    const quint32 code = octantCode(blue, green, red);
    int node = 1;
    int k = 0;
    for (int depth = 1; depth <= 8; ++depth) {
        int child = Nodes[node].Child[octantAt(code, depth)];
        // A colour that was never filed takes the first remaining child in octant order.
        while (child == 0) {
            if (k >= 8)
                return 0;
            child = Nodes[node].Child[k];
            ++k;
        }
        node = child;
        if (Nodes[node].IsLeaf != 0)
            return node;
    }
    return 0;
}

int Tree::GetPaletteIndex(quint8 blue, quint8 green, quint8 red)
{
    const int leaf = FindLeaf(blue, green, red);
    return leaf == 0 ? 0 : Nodes[leaf].PaletteIndex;
}

int Tree::SerialPaletteIndex(quint32 serial)
{
    return serial < SerialPalette.size() ? SerialPalette[serial] : 0;
}

int Tree::SerialCount()
{
    return int(Forward.size());
}

qint64 Tree::LeafPixelCount(int node)
{
    return node > 0 && node < int(Nodes.size()) ? Nodes[node].PixelCount : 0;
}

void Tree::GetPaletteColor(int index, quint8& blue, quint8& green, quint8& red)
{
    const quint32 c = index >= 0 && index < int(Palette.size()) ? Palette[size_t(index)] : 0;
    blue = quint8(c >> 16);
    green = quint8(c >> 8);
    red = quint8(c);
}

int Tree::LastPaletteIndex()
{
    return PaletteCount;
}
int Tree::PaletteSize()
{
    return int(Palette.size());
}
int Tree::NodeCount()
{
    return m_nodeCount;
}
int Tree::PoolCapacity()
{
    return int(Nodes.size()) - 1;
}

} // namespace modDither
