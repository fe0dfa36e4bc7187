#pragma once

#include <QtGlobal>

// Octree colour quantiser: files every pixel into a tree of depth 8 by the bits of its red, green
// and blue values, folds the deepest interior nodes while there are more leaves than allowed, and
// gives each remaining leaf one palette colour (the truncated average of its pixels). One tree for
// the whole program, kept from one BuildOctreePalette to the next so that look-ups can follow it.
namespace modDither
{

struct Node {
    qint32 IsLeaf = 0;          // -1 for a leaf
    qint32 InReducibleList = 0; // -1 once on its depth's reducible list
    qint32 PixelCount = 0;      // leaf: pixels filed; interior: children created
    qint32 BlueSum = 0;
    qint32 GreenSum = 0;
    qint32 RedSum = 0;
    qint32 Child[8] = {};
    qint32 NextReducible = 0; // next on the reducible list, or next free node
    qint32 PaletteIndex = 0;
};

constexpr int kPoolStep = 1024;

void InitTree();
int NewNode();
void FreeNode(int node);
void AddColor(int node, int depth, int leafDepth, int& leafCount, quint8 blue, quint8 green, quint8 red);
bool ReduceTree(int& leafCount, int startDepth);
// `pixels` holds `rows` rows of `stride` bytes: (stride - padding) / 3 pixels in the byte order
// blue, green, red, then `padding` bytes. Pixels are filed from the last row and last pixel.
void BuildOctreePalette(int stride, int rows, int padding, const quint8* pixels, int maxColors,
                        int leafDepth);
void BuildPalette(int& position, int node);
int GetPaletteIndex(quint8 blue, quint8 green, quint8 red);
void GetPaletteColor(int index, quint8& blue, quint8& green, quint8& red);
// Index of the last palette entry written.
int LastPaletteIndex();
// Number of palette slots: 16 when the tree kept at most 16 leaves, else 256.
int PaletteSize();
// Nodes in use, the root included, and the pool's current capacity (for checks of the pool rules).
int NodeCount();
int PoolCapacity();

} // namespace modDither
