#include "export/modDither.h"

#include <vector>

namespace modDither
{
namespace
{

// Index 0 is unused so that 0 can mean "no node"; node 1 is the root.
std::vector<Node> Nodes;
int g_nodeCount = 0;
int FreeList = 0;
int ReducibleNodes[8] = {};
int Mask[8] = {};
quint8 BitTable[129] = {};
std::vector<quint32> Palette; // 0x00BBGGRR
int PaletteCount = 0;

int octant(int depth, quint8 blue, quint8 green, quint8 red)
{
    const int m = Mask[depth - 1];
    return 4 * BitTable[red & m] + 2 * BitTable[green & m] + BitTable[blue & m];
}

} // namespace

void InitTree()
{
    for (int& head : ReducibleNodes)
        head = 0;
    Nodes.assign(kPoolStep + 1, Node{});
    FreeList = 0;
    PaletteCount = 0;
    g_nodeCount = 1;
    for (int i = 0; i < 8; ++i)
        Mask[i] = 1 << (7 - i);
    for (quint8& bit : BitTable)
        bit = 0;
    for (int v = 1; v <= 128; v *= 2)
        BitTable[v] = 1;
}

int NewNode()
{
    ++g_nodeCount;
    if (FreeList != 0) {
        const int node = FreeList;
        FreeList = Nodes[node].NextReducible;
        for (qint32& child : Nodes[node].Child)
            child = 0;
        return node;
    }
    if (g_nodeCount % kPoolStep == 0 && int(Nodes.size()) < g_nodeCount + kPoolStep + 1)
        Nodes.resize(g_nodeCount + kPoolStep + 1);
    return g_nodeCount;
}

void FreeNode(int node)
{
    Node& n = Nodes[node];
    n.NextReducible = FreeList;
    FreeList = node;
    n.IsLeaf = 0;
    n.InReducibleList = 0;
    --g_nodeCount;
}

void AddColor(int node, int depth, int leafDepth, int& leafCount, quint8 blue, quint8 green, quint8 red)
{
    // Iterative form of the descent: one step per depth until a leaf takes the colour.
    for (;;) {
        const int o = octant(depth, blue, green, red);
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
            return;
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

bool ReduceTree(int& leafCount, int startDepth)
{
    int d = startDepth;
    while (d >= 1 && ReducibleNodes[d - 1] == 0)
        --d;
    if (d == 0)
        return false;
    const int node = ReducibleNodes[d - 1];
    ReducibleNodes[d - 1] = Nodes[node].NextReducible;

    qint32 pixels = 0;
    qint32 blue = 0;
    qint32 green = 0;
    qint32 red = 0;
    int folded = 0;
    for (int o = 0; o < 8; ++o) {
        const int child = Nodes[node].Child[o];
        if (child == 0)
            continue;
        pixels += Nodes[child].PixelCount;
        blue += Nodes[child].BlueSum;
        green += Nodes[child].GreenSum;
        red += Nodes[child].RedSum;
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

void BuildOctreePalette(int stride, int rows, int padding, const quint8* pixels, int maxColors, int leafDepth)
{
    InitTree();
    int leafCount = 0;
    const int width = (stride - padding) / 3;
    for (int y = rows - 1; y >= 0; --y) {
        const quint8* row = pixels + qsizetype(y) * stride;
        for (int x = width - 1; x >= 0; --x) {
            const quint8* p = row + 3 * x;
            AddColor(1, 1, leafDepth, leafCount, p[0], p[1], p[2]);
            while (leafCount > maxColors) {
                if (!ReduceTree(leafCount, leafDepth))
                    break;
            }
        }
    }
    Palette.assign(leafCount <= 16 ? 16 : 256, 0);
    BuildPalette(PaletteCount, 1);
    PaletteCount -= 1;
}

void BuildPalette(int& position, int node)
{
    Node& n = Nodes[node];
    if (n.IsLeaf != 0) {
        const quint32 red = quint32(n.RedSum / n.PixelCount);
        const quint32 green = quint32(n.GreenSum / n.PixelCount);
        const quint32 blue = quint32(n.BlueSum / n.PixelCount);
        // More leaves than slots cannot happen after folding; the guard keeps a bad call in bounds.
        if (position < int(Palette.size()))
            Palette[position] = red + 256 * green + 65536 * blue;
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

int GetPaletteIndex(quint8 blue, quint8 green, quint8 red)
{
    if (Nodes.size() < 2)
        return 0;
    int node = 1;
    int k = 0;
    for (int depth = 1; depth <= 8; ++depth) {
        int child = Nodes[node].Child[octant(depth, blue, green, red)];
        // A colour that was never filed takes the first remaining child in octant order.
        while (child == 0) {
            if (k >= 8)
                return 0;
            child = Nodes[node].Child[k];
            ++k;
        }
        node = child;
        if (Nodes[node].IsLeaf != 0)
            return Nodes[node].PaletteIndex;
    }
    return 0;
}

void GetPaletteColor(int index, quint8& blue, quint8& green, quint8& red)
{
    const quint32 c = index >= 0 && index < int(Palette.size()) ? Palette[index] : 0;
    blue = quint8(c >> 16);
    green = quint8(c >> 8);
    red = quint8(c);
}

int LastPaletteIndex()
{
    return PaletteCount;
}
int PaletteSize()
{
    return int(Palette.size());
}
int NodeCount()
{
    return g_nodeCount;
}
int PoolCapacity()
{
    return int(Nodes.size()) - 1;
}

} // namespace modDither
