#pragma once

#include <QtGlobal>

#include <vector>

// Octree colour quantiser: files every pixel into a tree of depth 8 by the bits of its red, green
// and blue values, folds the deepest interior nodes while there are more leaves than allowed, and
// gives each remaining leaf one palette colour (the truncated average of its pixels). The tree is
// kept from one buildOctreePalette to the next so that look-ups can follow it.
//
// Each node a pixel can land in carries a serial number that is never reused, and folding records
// which serial each folded node went into. So a caller that keeps the serial addColor returned
// for each pixel learns the pixel's final palette entry from serialPaletteIndex, without walking
// the tree a second time.

struct OctreeNode {
    qint32 isLeaf = 0;          // -1 for a leaf
    qint32 inReducibleList = 0; // -1 once on its depth's reducible list
    // Leaf: pixels filed; interior: children created. 64-bit like the sums, which pass 2^31 in
    // any image of more than 8.4 million pixels.
    qint64 pixelCount = 0;
    qint64 blueSum = 0;
    qint64 greenSum = 0;
    qint64 redSum = 0;
    qint32 child[8] = {};
    qint32 nextReducible = 0; // next on the reducible list, or next free node
    qint32 paletteIndex = 0;
    quint32 serial = 0; // this use of the pool slot; 0 for none
};

constexpr int kPoolStep = 1024;

// One reduction's tree, palette and serials. Each reduction makes its own, so reductions on
// several threads never share state.
class OctreeQuantiser
{
public:
    OctreeQuantiser() { initTree(); }

    void initTree();
    int newNode();
    void freeNode(int node);
    // Files one colour below `node` (at `depth`) and returns the serial of the leaf it reached.
    quint32 addColor(int node, int depth, int leafDepth, int& leafCount, quint8 blue, quint8 green,
                     quint8 red);
    bool reduceTree(int& leafCount, int startDepth);
    // addColor from the root, then folding until at most maxColors leaves remain (or nothing folds).
    quint32 fileColor(int& leafCount, int maxColors, int leafDepth, quint8 blue, quint8 green, quint8 red);
    // Sizes the palette (16 slots for at most 16 leaves, else 256), fills it from the leaves and
    // makes every serial resolvable with serialPaletteIndex.
    void finishPalette(int leafCount);
    // `pixels` holds `rows` rows of `stride` bytes: (stride - padding) / 3 pixels in the byte order
    // blue, green, red, then `padding` bytes. Pixels are filed from the last row and last pixel.
    void buildOctreePalette(int stride, int rows, int padding, const quint8* pixels, int maxColors,
                            int leafDepth);
    void buildPalette(int& position, int node);
    // The leaf a colour leads to: its own path, and where a child is missing the next existing child
    // in octant order (one counter for the whole look-up; 0 once it runs out).
    int findLeaf(quint8 blue, quint8 green, quint8 red);
    int paletteIndexOf(quint8 blue, quint8 green, quint8 red);
    // m_palette entry of the pixels filed into the leaf with this serial (after finishPalette).
    int serialPaletteIndex(quint32 serial);
    // Serials handed out since initTree, 0 included: every serial is below this.
    int serialCount();
    qint64 leafPixelCount(int node);
    void paletteColor(int index, quint8& blue, quint8& green, quint8& red);
    // Index of the last palette entry written.
    int lastPaletteIndex();
    // Number of palette slots: 16 when the tree kept at most 16 leaves, else 256.
    int paletteSize();
    // m_nodes in use, the root included, and the pool's current capacity (for checks of the pool rules).
    int nodeCount();
    int poolCapacity();

private:
    void startSerial(int node);
    int descend(int node, int depth, int leafDepth, int& leafCount, quint32 code, quint8 blue, quint8 green,
                quint8 red);

    // Index 0 is unused so that 0 can mean "no node"; node 1 is the root.
    std::vector<OctreeNode> m_nodes;
    int m_nodeCount = 0;
    int m_freeList = 0;
    int m_reducibleNodes[8] = {};
    std::vector<quint32> m_palette; // 0x00BBGGRR
    int m_paletteCount = 0;

    // Per serial: the serial it was folded into (0 while it stands), the pool slot it used, and
    // after finishPalette the palette entry its pixels ended in. A path prefix is created at most
    // once per tree (a folded subtree lies below a leaf and is never filed into again), so there
    // are at most 8 serials per distinct colour and in practice a few thousand per image.
    std::vector<quint32> m_forward;
    std::vector<qint32> m_serialNode;
    std::vector<qint32> m_serialPalette;

    // The leaf that took the colour of the previous fileColor, while nothing has been folded
    // since: the same colour again would walk the same nodes to it.
    quint32 m_lastCode = 0;
    int m_lastLeaf = 0;
};
