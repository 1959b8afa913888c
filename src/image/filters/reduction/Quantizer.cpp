#include "image/filters/reduction/Quantizer.h"

#include <cstdint>

#include <climits>

#include <algorithm>
#include <iterator>
#include <new>

namespace s::image::filters::reduction {

namespace {

constexpr int kLeafLevel = 8;
constexpr int kChildCount = 8;
constexpr int kDefaultColors = 16;
// Below this many colours the tree is still grown to this many leaves; the
// leaves are merged afterwards, which keeps nearby colours apart longer.
constexpr uint32_t kMinLeafLimit = 16;
// An insert makes at most one node per level, root to leaf.
constexpr int kMaxNodesPerInsert = 9;
constexpr int kNodesPerBlock = 64;

uint32_t alphaOf(uint32_t pixel) { return pixel >> 24; }
uint32_t redOf(uint32_t pixel) { return (pixel >> 16) & 0xFF; }
uint32_t greenOf(uint32_t pixel) { return (pixel >> 8) & 0xFF; }
uint32_t blueOf(uint32_t pixel) { return pixel & 0xFF; }

uint32_t makeColor(uint32_t alpha, uint32_t red, uint32_t green, uint32_t blue) {
    return alpha << 24 | red << 16 | green << 8 | blue;
}

int childIndex(uint32_t red, uint32_t green, uint32_t blue, int level) {
    const int shift = 7 - level;
    return static_cast<int>(((red >> shift) & 1) << 2 | ((green >> shift) & 1) << 1 |
                            ((blue >> shift) & 1));
}

void storeIndex(uint8_t* destinationRow, int i, uint32_t index, int bitDepth) {
    if (bitDepth == 8) {
        destinationRow[i] = static_cast<uint8_t>(index);
    } else if (bitDepth == 4) {
        uint8_t& byte = destinationRow[i / 2];
        const uint8_t nibble = static_cast<uint8_t>(index & 0x0F);
        byte = (i % 2 == 0) ? static_cast<uint8_t>(nibble << 4)
                            : static_cast<uint8_t>((byte & 0xF0) | nibble);
    }
}

int clampColors(int maxColors) { return std::clamp(maxColors, 1, Quantizer::kPaletteSize); }

}  // namespace

// Sums are 64-bit so that a large picture of one colour cannot wrap them.
// Pixels are counted without their alpha, so alphaSum stays 0 and palette
// entries carry alpha 0.
struct Quantizer::Node {
    uint8_t isLeaf;
    uint64_t pixelCount;
    uint64_t redSum;
    uint64_t greenSum;
    uint64_t blueSum;
    uint64_t alphaSum;
    Node* children[kChildCount];
    Node* nextReducible;  // also links the free list
};

struct Quantizer::NodeBlock {
    NodeBlock* next;
    Node nodes[kNodesPerBlock];
};

struct Quantizer::LeafColor {
    uint32_t alpha;
    uint32_t red;
    uint32_t green;
    uint32_t blue;
    uint64_t pixelCount;
};

Quantizer::Quantizer() { reset(); }

Quantizer::~Quantizer() { freeArena(); }

void Quantizer::reset() {
    freeArena();
    m_root = nullptr;
    m_leafCount = 0;
    std::fill(std::begin(m_reducibleNodes), std::end(m_reducibleNodes), nullptr);
    std::fill(std::begin(m_palette), std::end(m_palette), 0u);
    m_maxColors = kDefaultColors;
    m_colorCount = 0;
    splitPalette();
}

bool Quantizer::quantize(const uint32_t* topRow, int width, int height, std::ptrdiff_t stride,
                         int maxColors) {
    reset();
    m_maxColors = clampColors(maxColors);
    const uint32_t limit = std::max(static_cast<uint32_t>(m_maxColors), kMinLeafLimit);
    const bool allCounted = countPixels(topRow, width, height, stride, limit);
    buildPalette();
    return allCounted;
}

bool Quantizer::countPixels(const uint32_t* topRow, int width, int height,
                            std::ptrdiff_t stride, uint32_t limit) {
    if (topRow == nullptr || width <= 0 || height <= 0) return true;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = topRow + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = row[x];
            if (alphaOf(pixel) == 0) continue;
            // Reserving first means an insert never stops half-way, which
            // would leave inner nodes without a leaf below them.
            if (!reserveNodes()) return false;
            insert(redOf(pixel), greenOf(pixel), blueOf(pixel));
            while (m_leafCount > limit && foldDeepestNode()) {
            }
        }
    }
    return true;
}

void Quantizer::insert(uint32_t red, uint32_t green, uint32_t blue) {
    Node** link = &m_root;
    for (int level = 0;; ++level) {
        if (*link == nullptr) *link = makeNode(level);
        Node* node = *link;
        if (node->isLeaf) {
            node->pixelCount += 1;
            node->redSum += red;
            node->greenSum += green;
            node->blueSum += blue;
            return;
        }
        link = &node->children[childIndex(red, green, blue, level)];
    }
}

bool Quantizer::foldDeepestNode() {
    int level = kLeafLevel - 1;
    while (level > 0 && m_reducibleNodes[level] == nullptr) --level;
    Node* node = m_reducibleNodes[level];
    if (node == nullptr) return false;
    m_reducibleNodes[level] = node->nextReducible;
    node->nextReducible = nullptr;

    // Lists deeper than this level are empty, so every child is a leaf.
    uint64_t pixels = 0, red = 0, green = 0, blue = 0, alpha = 0;
    uint32_t children = 0;
    for (Node*& child : node->children) {
        if (child == nullptr) continue;
        pixels += child->pixelCount;
        red += child->redSum;
        green += child->greenSum;
        blue += child->blueSum;
        alpha += child->alphaSum;
        ++children;
        releaseNode(child);
        child = nullptr;
    }
    node->pixelCount += pixels;
    node->redSum = red;
    node->greenSum = green;
    node->blueSum = blue;
    node->alphaSum = alpha;
    node->isLeaf = 1;
    m_leafCount = m_leafCount + 1 - children;
    return true;
}

Quantizer::Node* Quantizer::makeNode(int level) {
    Node* node = m_freeNodes;
    m_freeNodes = node->nextReducible;
    --m_freeCount;
    ++m_nodeCount;
    *node = Node{};
    if (level == kLeafLevel) {
        node->isLeaf = 1;
        ++m_leafCount;
    } else {
        node->nextReducible = m_reducibleNodes[level];
        m_reducibleNodes[level] = node;
    }
    return node;
}

void Quantizer::releaseNode(Node* node) {
    pushFreeNode(node);
    --m_nodeCount;
}

void Quantizer::pushFreeNode(Node* node) {
    node->nextReducible = m_freeNodes;
    m_freeNodes = node;
    ++m_freeCount;
}

bool Quantizer::reserveNodes() {
    while (m_freeCount < kMaxNodesPerInsert) {
        if (!growArena()) return false;
    }
    return true;
}

bool Quantizer::growArena() {
    NodeBlock* block = new (std::nothrow) NodeBlock;
    if (block == nullptr) return false;
    block->next = m_blocks;
    m_blocks = block;
    for (Node& node : block->nodes) pushFreeNode(&node);
    m_nodeCapacity += kNodesPerBlock;
    return true;
}

void Quantizer::freeArena() {
    while (m_blocks != nullptr) {
        NodeBlock* next = m_blocks->next;
        delete m_blocks;
        m_blocks = next;
    }
    m_freeNodes = nullptr;
    m_freeCount = 0;
    m_nodeCount = 0;
    m_nodeCapacity = 0;
}

void Quantizer::buildPalette() {
    LeafColor leaves[kPaletteSize];
    int count = 0;
    collectLeaves(m_root, leaves, count);
    if (m_maxColors < static_cast<int>(kMinLeafLimit) && count > m_maxColors) {
        mergeLeaves(leaves, count);
        return;
    }
    for (int i = 0; i < count; ++i) {
        const LeafColor& leaf = leaves[i];
        m_palette[i] = makeColor(leaf.alpha, leaf.red, leaf.green, leaf.blue);
    }
    m_colorCount = count;
    splitPalette();
}

// Depth-first, children in index order: leaves that are neighbours in this
// order are neighbours in colour space, which mergeLeaves relies on.
void Quantizer::collectLeaves(const Node* node, LeafColor* leaves, int& count) const {
    if (node == nullptr || count == kPaletteSize) return;
    if (node->isLeaf) {
        const uint64_t n = node->pixelCount;
        leaves[count++] = LeafColor{static_cast<uint32_t>(node->alphaSum / n),
                                    static_cast<uint32_t>(node->redSum / n),
                                    static_cast<uint32_t>(node->greenSum / n),
                                    static_cast<uint32_t>(node->blueSum / n), n};
        return;
    }
    for (const Node* child : node->children) collectLeaves(child, leaves, count);
}

// Folds runs of neighbouring leaves into m_maxColors entries, each the
// pixel-count-weighted average of its run.
void Quantizer::mergeLeaves(const LeafColor* leaves, int count) {
    const uint64_t total = static_cast<uint64_t>(count);
    const uint64_t outputs = static_cast<uint64_t>(m_maxColors);
    for (uint64_t d = 0; d < outputs; ++d) {
        uint64_t pixels = 0, alpha = 0, red = 0, green = 0, blue = 0;
        for (uint64_t i = total * d / outputs; i < total * (d + 1) / outputs; ++i) {
            const LeafColor& leaf = leaves[i];
            pixels += leaf.pixelCount;
            alpha += leaf.alpha * leaf.pixelCount;
            red += leaf.red * leaf.pixelCount;
            green += leaf.green * leaf.pixelCount;
            blue += leaf.blue * leaf.pixelCount;
        }
        m_palette[d] = makeColor(static_cast<uint32_t>(alpha / pixels),
                                 static_cast<uint32_t>(red / pixels),
                                 static_cast<uint32_t>(green / pixels),
                                 static_cast<uint32_t>(blue / pixels));
    }
    m_colorCount = m_maxColors;
    splitPalette();
}

void Quantizer::mapRow(const uint32_t* sourceRow, int width, uint8_t* destinationRow,
                       int bitDepth) const {
    uint32_t index = 0;
    for (int i = 0; i < width; ++i) {
        const uint32_t pixel = sourceRow[i];
        index = alphaOf(pixel) == 0xFF ? nearestIndex(pixel, index)
                                       : static_cast<uint32_t>(m_maxColors);
        storeIndex(destinationRow, i, index, bitDepth);
    }
}

void Quantizer::mapRow(int, const Quantizer& quantizer, const uint32_t* sourceRow, int width,
                       uint8_t* destinationRow, int bitDepth) {
    quantizer.mapRow(sourceRow, width, destinationRow, bitDepth);
}

void Quantizer::splitPalette() {
    for (int i = 0; i < kPaletteSize; ++i) {
        m_paletteRed[i] = static_cast<int32_t>(redOf(m_palette[i]));
        m_paletteGreen[i] = static_cast<int32_t>(greenOf(m_palette[i]));
        m_paletteBlue[i] = static_cast<int32_t>(blueOf(m_palette[i]));
    }
}

// Ties go to the lowest index. The distances are worked out for the whole
// palette first and then searched, two loops the compiler turns into vector
// code: mapping a picture is a search per distinct colour.
uint32_t Quantizer::nearestIndex(uint32_t pixel, uint32_t currentIndex) const {
    const int count = m_colorCount;
    if (count <= 0) return currentIndex;
    const int32_t red = static_cast<int32_t>(redOf(pixel));
    const int32_t green = static_cast<int32_t>(greenOf(pixel));
    const int32_t blue = static_cast<int32_t>(blueOf(pixel));
    int32_t distances[kPaletteSize];
    int32_t best = INT32_MAX;
    for (int i = 0; i < count; ++i) {
        const int32_t dr = red - m_paletteRed[i];
        const int32_t dg = green - m_paletteGreen[i];
        const int32_t db = blue - m_paletteBlue[i];
        distances[i] = dr * dr + dg * dg + db * db;
        best = std::min(best, distances[i]);
    }
    int found = 0;
    while (distances[found] != best) ++found;
    return static_cast<uint32_t>(found);
}

uint32_t Quantizer::paletteColor(int i) const {
    return (i >= 0 && i < kPaletteSize) ? m_palette[i] : 0;
}

const uint32_t* Quantizer::palette() const { return m_palette; }

int Quantizer::maxColors() const { return m_maxColors; }

int Quantizer::colorCount() const { return m_colorCount; }

uint32_t Quantizer::leafCount() const { return m_leafCount; }

int Quantizer::nodeCount() const { return m_nodeCount; }

int Quantizer::nodeCapacity() const { return m_nodeCapacity; }

}  // namespace s::image::filters::reduction
