#pragma once

#include <cstddef>
#include <cstdint>

#include "base/IObject.h"
#include "thread/PooledBy.h"

namespace s::image::filters::reduction {

// Octree colour quantizer: reduces a 32-bit 0xAARRGGBB picture to a palette of
// at most maxColors colours and maps pixels to palette indexes.
//
// The palette holds colorCount() colours taken from the picture; every entry
// past them is zero, and only the produced colours take part in the
// nearest-colour search, so an opaque pixel always maps to a colour that came
// from the picture. Palette entries carry alpha 0, which is what BMP colour
// tables expect in their fourth byte.
class Quantizer : public s::base::IObject, public s::thread::PooledBy<Quantizer> {
public:
    static constexpr int kPaletteSize = 256;
    static constexpr int kLevelCount = 9;

    Quantizer();
    ~Quantizer() override;

    const char16_t* className() const override { return u"s_image_filters_reduction_Quantizer"; }
    s::base::IObject* newInstance() const override { return take(); }
    Quantizer(const Quantizer&) = delete;
    Quantizer& operator=(const Quantizer&) = delete;

    // Frees the tree and every node block, zeroes the palette and sets
    // maxColors back to 16, so a reused quantizer starts like a new one.
    void reset() override;

    // Builds the palette from a picture given as its top row and a stride in
    // pixels from one row to the row below it; the stride is negative for a
    // bottom-up store, whose top row comes last in memory.
    // Pixels are read in raster order; alpha-0 pixels are not counted.
    //
    // maxColors is clamped to 1..256: the palette has no room for more, and a
    // palette without any colour could not map an opaque pixel. A null
    // picture or a width or height below 1 counts no pixels and leaves the
    // palette empty (colorCount() 0).
    //
    // Returns false only when a tree node could not be allocated; counting
    // then stops at that pixel and the palette is built from the pixels
    // counted before it.
    bool quantize(const uint32_t* topRow, int width, int height, std::ptrdiff_t stride,
                  int maxColors);

    // Converts width pixels to palette indexes packed at bitDepth 8 (one byte
    // per pixel) or 4 (two per byte, first pixel in the high nibble); other
    // depths write nothing. Pixels with alpha below 255 get index maxColors(),
    // the transparency index just past the palette; at depth 8 the index 256
    // is stored as 0. With an empty palette an opaque pixel repeats the index
    // of the pixel before it (0 at the start of the row).
    void mapRow(const uint32_t* sourceRow, int width, uint8_t* destinationRow, int bitDepth) const;

    // The codec writers' form; the first argument is not used.
    static void mapRow(int unusedWidth, const Quantizer& quantizer, const uint32_t* sourceRow,
                       int width, uint8_t* destinationRow, int bitDepth);

    // Entry i of the palette, 0 for an index outside 0..255.
    uint32_t paletteColor(int i) const;
    // All 256 entries, to copy into a colour table (blue, green, red, alpha
    // in memory on a little-endian machine).
    const uint32_t* palette() const;
    int maxColors() const;
    int colorCount() const;
    uint32_t leafCount() const;

    // Live tree nodes, and nodes held by the node blocks (live or free).
    int nodeCount() const;
    int nodeCapacity() const;

private:
    struct Node;
    struct NodeBlock;
    struct LeafColor;

    bool countPixels(const uint32_t* topRow, int width, int height, std::ptrdiff_t stride,
                     uint32_t limit);
    void insert(uint32_t red, uint32_t green, uint32_t blue);
    bool foldDeepestNode();

    Node* makeNode(int level);
    void releaseNode(Node* node);
    void pushFreeNode(Node* node);
    bool reserveNodes();
    bool growArena();
    void freeArena();

    void buildPalette();
    void collectLeaves(const Node* node, LeafColor* leaves, int& count) const;
    void mergeLeaves(const LeafColor* leaves, int count);
    uint32_t nearestIndex(uint32_t pixel, uint32_t currentIndex) const;
    void splitPalette();

    Node* m_root = nullptr;
    uint32_t m_leafCount = 0;
    Node* m_reducibleNodes[kLevelCount] = {};
    uint32_t m_palette[kPaletteSize] = {};
    // The palette's red, green and blue apart, which the nearest-colour
    // search reads as whole vectors.
    int32_t m_paletteRed[kPaletteSize] = {};
    int32_t m_paletteGreen[kPaletteSize] = {};
    int32_t m_paletteBlue[kPaletteSize] = {};
    int32_t m_maxColors = 0;
    int m_colorCount = 0;

    // Node storage: whole blocks owned by the quantizer; nodes freed by a
    // fold go onto the free list and are reused before a new block is taken.
    NodeBlock* m_blocks = nullptr;
    Node* m_freeNodes = nullptr;
    int m_freeCount = 0;
    int m_nodeCount = 0;
    int m_nodeCapacity = 0;
};

}  // namespace s::image::filters::reduction
