#include <gtest/gtest.h>

#include <random>

#include "GifTestSupport.h"
#include "image/gif/win/GifLzw.h"
#include "image/gif/win/GifLzwDecoder.h"

using namespace giftest;
using s::image::gif::win::GifLzw;
using s::image::gif::win::GifLzwDecoder;
using Result = GifLzwDecoder::Result;

namespace {

// The sub-blocks of an encode joined, and the sizes of the sub-blocks.
struct Packed {
    Bytes data;
    std::vector<int> blockSizes;
};

Packed encodeIndices(const std::vector<uint8_t>& indices, int32_t width, int32_t height, int32_t minCodeSize)
{
    MemoryOutput out;
    GifLzw lzw;
    EXPECT_TRUE(lzw.encode(indices.data(), width, height, width, minCodeSize, out));
    Packed packed;
    for (size_t i = 0; i < out.bytes_.size();) {
        const int size = out.bytes_[i];
        packed.blockSizes.push_back(size);
        packed.data.insert(packed.data.end(), out.bytes_.begin() + i + 1, out.bytes_.begin() + i + 1 + size);
        i += 1 + size;
    }
    return packed;
}

// Reads the codes back the way a decoder does, tracking the table size.
std::vector<int32_t> readCodes(const Bytes& data, int32_t minCodeSize)
{
    std::vector<int32_t> codes;
    const int32_t clear = 1 << minCodeSize;
    int32_t bits = minCodeSize + 1;
    int32_t next = clear + 2;
    bool previous = false;
    for (size_t position = 0; position + bits <= data.size() * 8;) {
        int32_t code = 0;
        for (int32_t b = 0; b < bits; ++b, ++position)
            code |= ((data[position / 8] >> (position % 8)) & 1) << b;
        codes.push_back(code);
        if (code == clear + 1)
            break;
        if (code == clear) {
            bits = minCodeSize + 1;
            next = clear + 2;
            previous = false;
            continue;
        }
        if (previous && next < 4096) {
            ++next;
            if (next >= (1 << bits) && bits < 12)
                ++bits;
        }
        previous = true;
    }
    return codes;
}

std::vector<uint8_t> decodeIndices(const Bytes& data, int32_t minCodeSize, int32_t width, int32_t height, Result* result = nullptr)
{
    std::vector<uint8_t> indices(static_cast<size_t>(width) * height, 0xEE);
    Pooled<GifLzwDecoder> decoder(GifLzwDecoder::take());
    const Result r = decoder->decode(data.data(), data.size(), minCodeSize, indices.data(), width, height, false);
    if (result)
        *result = r;
    return indices;
}

TEST(GifLzw, RunOfOneColourGivesGrowingStrings)
{
    // The classic KwKwK case: each new code is the one just made.
    const std::vector<uint8_t> run(10, 3);
    const Packed packed = encodeIndices(run, 10, 1, 2);
    // clear, 3, 6 ("33"), 7 ("333"), 8 ("3333"), end: 1 + 2 + 3 + 4 pixels.
    EXPECT_EQ((std::vector<int32_t>{4, 3, 6, 7, 8, 5}), readCodes(packed.data, 2));
    Result result;
    EXPECT_EQ(run, decodeIndices(packed.data, 2, 10, 1, &result));
    EXPECT_EQ(Result::kComplete, result);
}

TEST(GifLzw, ClearComesExactlyWhenTheTableIsFull)
{
    // Random indices at code size 8 make a new code for almost every pixel.
    std::mt19937 random(7);
    std::vector<uint8_t> pixels(20000);
    for (uint8_t& p : pixels)
        p = static_cast<uint8_t>(random());
    const Packed packed = encodeIndices(pixels, 200, 100, 8);
    const std::vector<int32_t> codes = readCodes(packed.data, 8);
    ASSERT_GT(codes.size(), 8000u);
    // After the initial clear, each code but the first makes a table entry
    // (258, 259, ...): 4095 is the last, and the code after it is a clear.
    const size_t entriesPerTable = 4096 - 258;
    ASSERT_EQ(256, codes[0]);
    for (size_t i = 1; i < codes.size() - 1; ++i) {
        const bool clearExpected = (i - 1) % (entriesPerTable + 2) == entriesPerTable + 1;
        EXPECT_EQ(clearExpected, codes[i] == 256) << "code " << i;
        if (HasFailure())
            break;
    }
    EXPECT_EQ(pixels, decodeIndices(packed.data, 8, 200, 100));
    // Full packets are 254 bytes, only the last one is shorter.
    for (size_t i = 0; i + 1 < packed.blockSizes.size(); ++i)
        EXPECT_EQ(254, packed.blockSizes[i]);
}

TEST(GifLzw, RoundTripsAtEveryCodeSize)
{
    std::mt19937 random(11);
    for (int32_t size = 2; size <= 8; ++size) {
        SCOPED_TRACE(size);
        // Long runs and noise, so that strings grow and the table refills.
        std::vector<uint8_t> pixels(30000);
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<uint8_t>((i / 97 % 3 == 0 ? random() : i / 500) & ((1u << size) - 1));
        const Packed packed = encodeIndices(pixels, 300, 100, size);
        EXPECT_EQ(pixels, decodeIndices(packed.data, size, 300, 100));
    }
}

TEST(GifLzwDecoder, StopsSafelyOnBadCodesAndMissingData)
{
    struct Case {
        const char* name;
        Bytes data;
        int32_t minCodeSize;
        Result result;
        std::vector<uint8_t> pixels;  // 4 x 1, 0xEE where nothing was written
    } cases[] = {
        {"complete", {0x8C, 0x53}, 2, Result::kComplete, {1, 1, 1, 1}},
        {"end code early", {0x4C, 0x01}, 2, Result::kEndCode, {1, 0xEE, 0xEE, 0xEE}},
        {"code above the next free code", {0xCC, 0x53}, 2, Result::kCodeBeyondTable, {1, 0xEE, 0xEE, 0xEE}},
        {"previous-string code after a clear", {0x74, 0x01}, 2, Result::kNoPreviousString, {0xEE, 0xEE, 0xEE, 0xEE}},
        {"data ends", {0x0C}, 2, Result::kDataEnded, {1, 0xEE, 0xEE, 0xEE}},
        {"no data", {}, 2, Result::kDataEnded, {0xEE, 0xEE, 0xEE, 0xEE}},
        {"code size 1", {0x8C, 0x53}, 1, Result::kBadCodeSize, {0xEE, 0xEE, 0xEE, 0xEE}},
        {"code size 12", {0x8C, 0x53}, 12, Result::kBadCodeSize, {0xEE, 0xEE, 0xEE, 0xEE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Result result;
        EXPECT_EQ(c.pixels, decodeIndices(c.data, c.minCodeSize, 4, 1, &result));
        EXPECT_EQ(c.result, result);
    }
}

TEST(GifLzwDecoder, KeepsDecodingWithAFullTable)
{
    // A writer that never clears: after 4096 entries codes stay 12 bits and
    // refer to the table as it is, for as long as the frame lasts (here well
    // past another 4096 codes). Roots 0 and 1 alternating make a new entry
    // per code while there is room.
    std::vector<std::pair<int32_t, int32_t>> codes{{4, 3}};
    int32_t bits = 3;
    int32_t next = 6;
    std::vector<uint8_t> expected;
    for (int i = 0; i < 10000; ++i) {
        const int32_t code = i % 2;
        codes.push_back({code, bits});
        expected.push_back(static_cast<uint8_t>(code));
        if (i > 0 && next < 4096) {
            ++next;
            if (next >= (1 << bits) && bits < 12)
                ++bits;
        }
    }
    Bytes data;
    uint32_t accumulator = 0;
    int32_t held = 0;
    for (auto [code, width] : codes) {
        accumulator |= static_cast<uint32_t>(code) << held;
        held += width;
        for (; held >= 8; held -= 8, accumulator >>= 8)
            data.push_back(static_cast<uint8_t>(accumulator));
    }
    data.push_back(static_cast<uint8_t>(accumulator));
    Result result;
    EXPECT_EQ(expected, decodeIndices(data, 2, 10000, 1, &result));
    EXPECT_EQ(Result::kComplete, result);
}

}  // namespace
