#include "image/filters/reduction/Quantizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <vector>

using s::image::filters::reduction::Quantizer;

namespace {

constexpr uint32_t kOpaque = 0xFF000000;

uint32_t rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return red << 16 | green << 8 | blue;
}

struct Picture {
    int width;
    int height;
    std::vector<uint32_t> pixels;  // top row first
};

Picture rowPicture(const std::vector<uint32_t>& pixels) {
    return Picture{static_cast<int>(pixels.size()), 1, pixels};
}

Picture randomPicture(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Picture picture{width, height, std::vector<uint32_t>(size_t(width) * size_t(height))};
    for (uint32_t& pixel : picture.pixels) pixel = kOpaque | (random() & 0xFFFFFF);
    return picture;
}

bool quantize(Quantizer& quantizer, const Picture& picture, int maxColors) {
    return quantizer.quantize(picture.pixels.data(), picture.width, picture.height,
                              picture.width, maxColors);
}

std::vector<uint8_t> mapRow8(const Quantizer& quantizer, const std::vector<uint32_t>& row) {
    std::vector<uint8_t> indexes(row.size(), 0xEE);
    quantizer.mapRow(row.data(), static_cast<int>(row.size()), indexes.data(), 8);
    return indexes;
}

std::vector<uint32_t> producedColors(const Quantizer& quantizer) {
    return std::vector<uint32_t>(quantizer.palette(),
                                 quantizer.palette() + quantizer.colorCount());
}

void expectUnusedEntriesZero(const Quantizer& quantizer) {
    for (int i = quantizer.colorCount(); i < Quantizer::kPaletteSize; ++i) {
        ASSERT_EQ(quantizer.paletteColor(i), 0u) << "entry " << i;
    }
}

// Tree order, written independently of the tree: the bits of red, green and
// blue interleaved from the most significant down.
uint32_t treeOrderKey(uint32_t color) {
    uint32_t key = 0;
    for (int bit = 7; bit >= 0; --bit) {
        key = key << 3 | ((color >> (16 + bit)) & 1) << 2 | ((color >> (8 + bit)) & 1) << 1 |
              ((color >> bit) & 1);
    }
    return key;
}

// Lowest index among the produced colours at the least squared distance.
int bruteForceNearest(const Quantizer& quantizer, uint32_t pixel) {
    int best = -1;
    int bestDistance = 0;
    for (int i = 0; i < quantizer.colorCount(); ++i) {
        const uint32_t c = quantizer.paletteColor(i);
        const int dr = int((c >> 16) & 0xFF) - int((pixel >> 16) & 0xFF);
        const int dg = int((c >> 8) & 0xFF) - int((pixel >> 8) & 0xFF);
        const int db = int(c & 0xFF) - int(pixel & 0xFF);
        const int distance = dr * dr + dg * dg + db * db;
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

TEST(QuantizerPalette, FewColoursComeBackExactlyInTreeOrderAndMapToThemselves) {
    const std::vector<uint32_t> colors = {
        rgb(255, 255, 255), rgb(0, 0, 0),     rgb(200, 16, 7),  rgb(201, 16, 7),
        rgb(0, 128, 0),     rgb(0, 0, 128),   rgb(12, 34, 56),  rgb(128, 128, 128),
        rgb(127, 127, 127), rgb(64, 200, 99),
    };
    std::vector<uint32_t> expected = colors;
    std::sort(expected.begin(), expected.end(),
              [](uint32_t a, uint32_t b) { return treeOrderKey(a) < treeOrderKey(b); });

    std::vector<uint32_t> pixels;
    for (int repeat = 0; repeat < 3; ++repeat) {
        for (uint32_t color : colors) pixels.push_back(kOpaque | color);
    }
    for (int maxColors : {256, 16, 10}) {
        SCOPED_TRACE(maxColors);
        Quantizer quantizer;
        EXPECT_TRUE(quantize(quantizer, rowPicture(pixels), maxColors));
        EXPECT_EQ(quantizer.maxColors(), maxColors);
        EXPECT_EQ(producedColors(quantizer), expected);
        expectUnusedEntriesZero(quantizer);

        const std::vector<uint8_t> indexes = mapRow8(quantizer, pixels);
        for (size_t i = 0; i < pixels.size(); ++i) {
            EXPECT_EQ(quantizer.paletteColor(indexes[i]), pixels[i] & 0xFFFFFF) << "pixel " << i;
        }
    }
}

// Two pairs of colours that differ only in their lowest bits share a level-7
// node each: P1 {0x000000, 0x010101} made first, P2 {0x020000, 0x030000}
// after it. Thirteen single colours follow, the last making leaf 17. The
// single-colour level-7 nodes are folded first (newest first, each leaving the
// leaf count unchanged), then P2, the newest node with two children, while
// P1 keeps both colours.
TEST(QuantizerReduction, FoldsTheNewestNodeOfTheDeepestLevel) {
    std::vector<uint32_t> pixels = {rgb(0, 0, 0), rgb(1, 1, 1), rgb(2, 0, 0), rgb(3, 0, 0),
                                    rgb(3, 0, 0)};
    for (uint32_t red = 4; red <= 28; red += 2) pixels.push_back(rgb(red, 0, 0));
    // Later pixels stop at the leaves that folding made.
    pixels.push_back(rgb(3, 0, 0));
    pixels.push_back(rgb(5, 0, 0));
    for (uint32_t& pixel : pixels) pixel |= kOpaque;

    Quantizer quantizer;
    quantize(quantizer, rowPicture(pixels), 16);

    std::vector<uint32_t> expected = {
        rgb(0, 0, 0), rgb(1, 1, 1),
        rgb(2, 0, 0),  // (2 + 3 * 3) / 4, truncated
        rgb(4, 0, 0),  // (4 + 5) / 2, truncated
    };
    for (uint32_t red = 6; red <= 28; red += 2) expected.push_back(rgb(red, 0, 0));
    EXPECT_EQ(quantizer.leafCount(), 16u);
    EXPECT_EQ(producedColors(quantizer), expected);
}

// Eight leaves (reds 0, 30, ... 210; greens 255, 225, ... 45) into 3 colours:
// positions 0-1, 2-4 and 5-7 merge, weighted by pixel count and truncated.
TEST(QuantizerReduction, FewerThanSixteenColoursMergeNeighbouringLeaves) {
    const int counts[8] = {1, 3, 2, 1, 1, 1, 1, 2};
    std::vector<uint32_t> pixels;
    for (uint32_t k = 0; k < 8; ++k) {
        for (int n = 0; n < counts[k]; ++n) pixels.push_back(kOpaque | rgb(30 * k, 255 - 30 * k, 0));
    }
    Quantizer quantizer;
    quantize(quantizer, rowPicture(pixels), 3);

    const std::vector<uint32_t> expected = {
        rgb(22, 232, 0),   // red 90 / 4, green 930 / 4
        rgb(82, 172, 0),   // red 330 / 4, green 690 / 4
        rgb(187, 67, 0),   // red 750 / 4, green 270 / 4
    };
    EXPECT_EQ(quantizer.leafCount(), 8u);
    EXPECT_EQ(producedColors(quantizer), expected);
    expectUnusedEntriesZero(quantizer);
}

TEST(QuantizerReduction, ManyColoursMapOnlyToProducedNearestColours) {
    const Picture picture = randomPicture(64, 64, 7);
    for (int maxColors : {16, 256}) {
        SCOPED_TRACE(maxColors);
        Quantizer quantizer;
        EXPECT_TRUE(quantize(quantizer, picture, maxColors));
        EXPECT_GT(quantizer.colorCount(), 0);
        EXPECT_LE(quantizer.colorCount(), maxColors);
        EXPECT_EQ(static_cast<uint32_t>(quantizer.colorCount()), quantizer.leafCount());
        expectUnusedEntriesZero(quantizer);

        for (int y = 0; y < picture.height; ++y) {
            const std::vector<uint32_t> row(picture.pixels.begin() + y * picture.width,
                                            picture.pixels.begin() + (y + 1) * picture.width);
            const std::vector<uint8_t> indexes = mapRow8(quantizer, row);
            for (int x = 0; x < picture.width; ++x) {
                ASSERT_EQ(indexes[x], bruteForceNearest(quantizer, row[x])) << x << "," << y;
            }
        }
    }
}

TEST(QuantizerReduction, ReusedQuantizerKeepsNoColoursOfAnEarlierPicture) {
    Quantizer quantizer;
    quantize(quantizer, randomPicture(32, 32, 3), 256);
    ASSERT_GT(quantizer.colorCount(), 3);

    const std::vector<uint32_t> pixels = {kOpaque | rgb(250, 0, 0), kOpaque | rgb(0, 250, 0),
                                          kOpaque | rgb(0, 0, 250), kOpaque | rgb(255, 255, 255)};
    quantize(quantizer, rowPicture({pixels[0], pixels[1], pixels[2]}), 256);
    EXPECT_EQ(quantizer.colorCount(), 3);
    expectUnusedEntriesZero(quantizer);
    // An earlier picture's colour would be nearer to white than these three.
    EXPECT_LT(mapRow8(quantizer, {pixels[3]})[0], 3);
}

TEST(QuantizerAlpha, ClearPixelsAreSkippedAndTranslucentOnesMapPastThePalette) {
    const std::vector<uint32_t> pixels = {0x00FF0000, 0x8000FF00, 0xFF0000FF};
    struct Case {
        int maxColors;
        std::vector<uint8_t> indexes;
    };
    const Case cases[] = {
        {255, {255, 255, 0}},
        {256, {0, 0, 0}},  // index 256 does not fit a byte
        {16, {16, 16, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.maxColors);
        Quantizer quantizer;
        quantize(quantizer, rowPicture(pixels), c.maxColors);
        // The clear red pixel is not counted; the translucent green one is.
        EXPECT_EQ(producedColors(quantizer), (std::vector<uint32_t>{rgb(0, 0, 255), rgb(0, 255, 0)}));
        EXPECT_EQ(mapRow8(quantizer, pixels), c.indexes);
    }
}

TEST(QuantizerMapRow, PacksFourBitIndexesHighNibbleFirst) {
    const std::vector<uint32_t> pixels = {kOpaque | rgb(0, 0, 10), kOpaque | rgb(0, 0, 20),
                                          kOpaque | rgb(0, 0, 30)};
    Quantizer quantizer;
    quantize(quantizer, rowPicture(pixels), 16);
    ASSERT_EQ(producedColors(quantizer),
              (std::vector<uint32_t>{rgb(0, 0, 10), rgb(0, 0, 20), rgb(0, 0, 30)}));

    uint8_t packed[3] = {0xFF, 0xFF, 0xAB};
    quantizer.mapRow(pixels.data(), 3, packed, 4);
    EXPECT_EQ(packed[0], 0x01);
    EXPECT_EQ(packed[1], 0x20);  // low nibble cleared by the even pixel
    EXPECT_EQ(packed[2], 0xAB);

    for (int bitDepth : {1, 2, 24, 32}) {
        uint8_t untouched[4] = {0xAA, 0xAA, 0xAA, 0xAA};
        Quantizer::mapRow(3, quantizer, pixels.data(), 3, untouched, bitDepth);
        EXPECT_EQ(std::vector<uint8_t>(untouched, untouched + 4),
                  std::vector<uint8_t>(4, 0xAA)) << bitDepth;
    }
}

TEST(QuantizerMapRow, EqualDistancesGoToTheLowerIndex) {
    Quantizer quantizer;
    quantize(quantizer, rowPicture({kOpaque | rgb(0, 0, 0), kOpaque | rgb(2, 0, 0)}), 16);
    ASSERT_EQ(quantizer.colorCount(), 2);
    EXPECT_EQ(mapRow8(quantizer, {kOpaque | rgb(1, 0, 0), kOpaque | rgb(2, 1, 0)}),
              (std::vector<uint8_t>{0, 1}));
}

TEST(QuantizerEdge, MaxColorsIsClampedToOneTo256) {
    const Picture picture = randomPicture(32, 32, 11);  // far more than 256 colours
    const struct {
        int asked;
        int kept;
    } cases[] = {{-5, 1}, {0, 1}, {1, 1}, {256, 256}, {257, 256}, {1000, 256}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked);
        Quantizer quantizer;
        quantize(quantizer, picture, c.asked);
        EXPECT_EQ(quantizer.maxColors(), c.kept);
        EXPECT_GE(quantizer.colorCount(), 1);
        EXPECT_LE(quantizer.colorCount(), c.kept);
    }
}

TEST(QuantizerEdge, EmptyPictureGivesAnEmptyPalette) {
    const uint32_t pixel = kOpaque | rgb(1, 2, 3);
    const struct {
        const char* name;
        const uint32_t* pixels;
        int width;
        int height;
    } cases[] = {
        {"null", nullptr, 4, 4}, {"zero width", &pixel, 0, 1}, {"zero height", &pixel, 1, 0},
        {"negative", &pixel, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Quantizer quantizer;
        EXPECT_TRUE(quantizer.quantize(c.pixels, c.width, c.height, c.width, 16));
        EXPECT_EQ(quantizer.colorCount(), 0);
        EXPECT_EQ(quantizer.leafCount(), 0u);
        EXPECT_EQ(quantizer.nodeCount(), 0);
        expectUnusedEntriesZero(quantizer);
    }

    Quantizer quantizer;
    quantize(quantizer, rowPicture({0x00FFFFFF, 0x00123456}), 16);
    EXPECT_EQ(quantizer.colorCount(), 0);
    // With nothing to search, an opaque pixel repeats the index before it.
    EXPECT_EQ(mapRow8(quantizer, {pixel, 0x80000000, pixel}), (std::vector<uint8_t>{0, 16, 16}));
}

TEST(QuantizerInput, NegativeStrideReadsABottomUpStore) {
    // Stored bottom row first; the top row is the last one in memory.
    const uint32_t store[3][2] = {
        {kOpaque | rgb(5, 5, 5), kOpaque | rgb(6, 6, 6)},
        {kOpaque | rgb(3, 3, 3), kOpaque | rgb(4, 4, 4)},
        {kOpaque | rgb(1, 1, 1), kOpaque | rgb(2, 2, 2)},
    };
    Quantizer quantizer;
    EXPECT_TRUE(quantizer.quantize(store[2], 2, 3, -2, 16));
    EXPECT_EQ(producedColors(quantizer),
              (std::vector<uint32_t>{rgb(1, 1, 1), rgb(2, 2, 2), rgb(3, 3, 3), rgb(4, 4, 4),
                                     rgb(5, 5, 5), rgb(6, 6, 6)}));
}

// Every inner node has a leaf below it and a leaf at most eight inner nodes
// above it, and the tree never holds more than limit + 1 leaves.
TEST(QuantizerMemory, NodeStorageStaysBoundedOnAMillionRandomColours) {
    const Picture picture = randomPicture(1000, 1000, 1);
    for (int maxColors : {16, 256}) {
        SCOPED_TRACE(maxColors);
        Quantizer quantizer;
        EXPECT_TRUE(quantize(quantizer, picture, maxColors));
        EXPECT_LE(quantizer.nodeCount(), 9 * maxColors);
        EXPECT_LE(quantizer.nodeCapacity(), 10 * (maxColors + 1));
        quantizer.reset();
        EXPECT_EQ(quantizer.nodeCapacity(), 0);
        EXPECT_EQ(quantizer.maxColors(), 16);
    }
}
