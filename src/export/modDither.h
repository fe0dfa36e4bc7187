#pragma once

#include <QtGlobal>

#include <vector>

// Octree colour quantiser: files every pixel into a tree of depth 8 by the bits of its red, green
// and blue values, folds the deepest interior nodes while there are more leaves than allowed, and
// gives each remaining leaf one palette colour (the truncated average of its pixels). The tree is
// kept from one BuildOctreePalette to the next so that look-ups can follow it.
//
// Each node a pixel can land in carries a serial number that is never reused, and folding records
// which serial each folded node went into. So a caller that keeps the serial AddColor returned
// for each pixel learns the pixel's final palette entry from SerialPaletteIndex, without walking
// the tree a second time.
namespace modDither
{

struct Node {
    qint32 IsLeaf = 0;          // -1 for a leaf
    qint32 InReducibleList = 0; // -1 once on its depth's reducible list
    // Leaf: pixels filed; interior: children created. 64-bit like the sums, which pass 2^31 in
    // any image of more than 8.4 million pixels.
    qint64 PixelCount = 0;
    qint64 BlueSum = 0;
    qint64 GreenSum = 0;
    qint64 RedSum = 0;
    qint32 Child[8] = {};
    qint32 NextReducible = 0; // next on the reducible list, or next free node
    qint32 PaletteIndex = 0;
    quint32 Serial = 0; // this use of the pool slot; 0 for none
};

constexpr int kPoolStep = 1024;

// One reduction's tree, palette and serials. Each reduction makes its own, so reductions on
// several threads never share state.
class Tree
{
public:
    Tree() { InitTree(); }

    void InitTree();
    int NewNode();
    void FreeNode(int node);
    // Files one colour below `node` (at `depth`) and returns the serial of the leaf it reached.
    quint32 AddColor(int node, int depth, int leafDepth, int& leafCount, quint8 blue, quint8 green,
                     quint8 red);
    bool ReduceTree(int& leafCount, int startDepth);
    // AddColor from the root, then folding until at most maxColors leaves remain (or nothing folds).
    quint32 FileColor(int& leafCount, int maxColors, int leafDepth, quint8 blue, quint8 green, quint8 red);
    // Sizes the palette (16 slots for at most 16 leaves, else 256), fills it from the leaves and
    // makes every serial resolvable with SerialPaletteIndex.
    void FinishPalette(int leafCount);
    // `pixels` holds `rows` rows of `stride` bytes: (stride - padding) / 3 pixels in the byte order
    // blue, green, red, then `padding` bytes. Pixels are filed from the last row and last pixel.
    void BuildOctreePalette(int stride, int rows, int padding, const quint8* pixels, int maxColors,
                            int leafDepth);
    void BuildPalette(int& position, int node);
    // The leaf a colour leads to: its own path, and where a child is missing the next existing child
    // in octant order (one counter for the whole look-up; 0 once it runs out).
    int FindLeaf(quint8 blue, quint8 green, quint8 red);
    int GetPaletteIndex(quint8 blue, quint8 green, quint8 red);
    // Palette entry of the pixels filed into the leaf with this serial (after FinishPalette).
    int SerialPaletteIndex(quint32 serial);
    // Serials handed out since InitTree, 0 included: every serial is below this.
    int SerialCount();
    qint64 LeafPixelCount(int node);
    void GetPaletteColor(int index, quint8& blue, quint8& green, quint8& red);
    // Index of the last palette entry written.
    int LastPaletteIndex();
    // Number of palette slots: 16 when the tree kept at most 16 leaves, else 256.
    int PaletteSize();
    // Nodes in use, the root included, and the pool's current capacity (for checks of the pool rules).
    int NodeCount();
    int PoolCapacity();

private:
    void startSerial(int node);
    int descend(int node, int depth, int leafDepth, int& leafCount, quint32 code, quint8 blue, quint8 green,
                quint8 red);

    // Index 0 is unused so that 0 can mean "no node"; node 1 is the root.
    std::vector<Node> Nodes;
    int m_nodeCount = 0;
    int FreeList = 0;
    int ReducibleNodes[8] = {};
    std::vector<quint32> Palette; // 0x00BBGGRR
    int PaletteCount = 0;

    // Per serial: the serial it was folded into (0 while it stands), the pool slot it used, and
    // after FinishPalette the palette entry its pixels ended in. A path prefix is created at most
    // once per tree (a folded subtree lies below a leaf and is never filed into again), so there
    // are at most 8 serials per distinct colour and in practice a few thousand per image.
    std::vector<quint32> Forward;
    std::vector<qint32> SerialNode;
    std::vector<qint32> SerialPalette;

    // The leaf that took the colour of the previous FileColor, while nothing has been folded
    // since: the same colour again would walk the same nodes to it.
    quint32 m_lastCode = 0;
    int m_lastLeaf = 0;
};

} // namespace modDither
