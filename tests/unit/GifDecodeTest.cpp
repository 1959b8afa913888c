#include <gtest/gtest.h>

#include "GifTestSupport.h"
#include "image/gif/win/GifLzw.h"

using namespace giftest;
using Fault = Gif::Fault;

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;

// A 4 x 1 GIF89a with a two-colour global table; the image descriptor, code
// size and LZW data follow.
Bytes head4x1()
{
    return {
        'G', 'I', 'F', '8', '9', 'a',
        0x04, 0x00, 0x01, 0x00,  // logical screen 4 x 1
        0x80,                    // global table of 2 entries
        0x00, 0x00,              // background index, aspect
        0x00, 0x00, 0x00,        // entry 0 black
        0xFF, 0xFF, 0xFF,        // entry 1 white
    };
}

Bytes descriptor(uint16_t w, uint16_t h, uint8_t packed = 0)
{
    return {0x2C, 0, 0, 0, 0, uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8), packed};
}

Bytes firstBytes(const Bytes& bytes, size_t count)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Code size 2 (clear 4, end 5, first free code 6), one sub-block of data.
Bytes image(const Bytes& data, uint8_t minCodeSize = 2)
{
    Bytes bytes{minCodeSize, uint8_t(data.size())};
    bytes.insert(bytes.end(), data.begin(), data.end());
    bytes.push_back(0x00);  // block terminator
    return bytes;
}

const Bytes kTrailer{0x3B};
// Codes clear, 1, 6 ("11", the string not yet in the table), 1, end: four
// white pixels.
const Bytes kFourWhite{0x8C, 0x53};

struct HostileCase {
    const char* name;
    Bytes bytes;
    bool decoded;
    int32_t frames;
    Fault fault;
    std::vector<uint8_t> firstFrame;  // expected indices of frame 0 when there is one
};

TEST(GifDecode, HostileFilesFailCleanlyOrEndEarly)
{
    const HostileCase cases[] = {
        {"well formed", head4x1() + descriptor(4, 1) + image(kFourWhite) + kTrailer, true, 1, Fault::kNone, {1, 1, 1, 1}},
        // Codes clear, 1, then 7 while 6 is the next free code.
        {"code above the next free code", head4x1() + descriptor(4, 1) + image({0xCC, 0x53}) + kTrailer, true, 1, Fault::kCodeBeyondTable, {1, 0, 0, 0}},
        // Codes clear, then 6: "the previous string plus its first character" with no previous string.
        {"previous-string code after a clear", head4x1() + descriptor(4, 1) + image({0x74, 0x01}) + kTrailer, true, 1, Fault::kNoPreviousString, {0, 0, 0, 0}},
        // Codes clear, 1, and the data ends.
        {"data ends early", head4x1() + descriptor(4, 1) + image({0x0C}) + kTrailer, true, 1, Fault::kDataEnded, {1, 0, 0, 0}},
        {"minimum code size 12", head4x1() + descriptor(4, 1) + image(kFourWhite, 12) + kTrailer, false, 0, Fault::kBadCodeSize, {}},
        {"minimum code size 1", head4x1() + descriptor(4, 1) + image(kFourWhite, 1) + kTrailer, false, 0, Fault::kBadCodeSize, {}},
        {"minimum code size 0", head4x1() + descriptor(4, 1) + image(kFourWhite, 0) + kTrailer, false, 0, Fault::kBadCodeSize, {}},
        // A bad frame is skipped; the next one is read.
        {"bad code size, then a good frame", head4x1() + descriptor(4, 1) + image(kFourWhite, 12) + descriptor(4, 1) + image(kFourWhite) + kTrailer, true, 1, Fault::kBadCodeSize, {1, 1, 1, 1}},
        {"zero width", head4x1() + descriptor(0, 1) + image(kFourWhite) + kTrailer, false, 0, Fault::kEmptyFrame, {}},
        {"zero height", head4x1() + descriptor(4, 0) + image(kFourWhite) + kTrailer, false, 0, Fault::kEmptyFrame, {}},
        // 65535 x 65535 is far above the image model's cap.
        {"frame above the pixel cap", head4x1() + descriptor(65535, 65535) + image(kFourWhite) + kTrailer, false, 0, Fault::kTooLarge, {}},
        // 16384 x 16384 is just within the cap, but two bytes of codes cannot fill it.
        {"frame beyond its data", head4x1() + descriptor(16384, 16384) + image(kFourWhite) + kTrailer, false, 0, Fault::kFrameBeyondData, {}},
        {"no trailer", head4x1() + descriptor(4, 1) + image(kFourWhite), true, 1, Fault::kNoTrailer, {1, 1, 1, 1}},
        {"file ends inside the next descriptor", head4x1() + descriptor(4, 1) + image(kFourWhite) + Bytes{0x2C, 0, 0}, true, 1, Fault::kNoTrailer, {1, 1, 1, 1}},
        // The sub-block says 2 bytes, the file has 1: the frame keeps what it got.
        {"file ends inside the data", head4x1() + descriptor(4, 1) + Bytes{0x02, 0x02, 0x8C}, true, 1, Fault::kDataEnded, {1, 0, 0, 0}},
        {"file ends inside the global table", firstBytes(head4x1(), head4x1().size() - 2), false, 0, Fault::kNoTrailer, {}},
        {"header cut short", firstBytes(head4x1(), 10), false, 0, Fault::kTruncatedHeader, {}},
        {"empty file", Bytes{}, false, 0, Fault::kTruncatedHeader, {}},
        // Bytes that start no block are passed over.
        {"stray bytes between blocks", head4x1() + Bytes{0x00, 0x99} + descriptor(4, 1) + image(kFourWhite) + Bytes{0x42} + kTrailer, true, 1, Fault::kNone, {1, 1, 1, 1}},
        // An extension whose sub-blocks run past the end of the file.
        {"extension cut short", head4x1() + descriptor(4, 1) + image(kFourWhite) + Bytes{0x21, 0xFE, 0x40, 'a'}, true, 1, Fault::kNoTrailer, {1, 1, 1, 1}},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        bool decoded = false;
        Pooled<Gif> gif = decodeBytes(c.bytes, &decoded);
        EXPECT_EQ(c.decoded, decoded);
        EXPECT_EQ(c.frames, gif->imageCount());
        EXPECT_EQ(c.fault, gif->fault());
        if (gif->imageCount() > 0) {
            const auto* frame = gif->frameAt(0);
            ASSERT_EQ(static_cast<int32_t>(c.firstFrame.size()), frame->width() * frame->height());
            EXPECT_EQ(c.firstFrame, std::vector<uint8_t>(frame->indices(), frame->indices() + c.firstFrame.size()));
        }
    }
}

// The smallest complete GIF without a global table: a 1 x 1 frame of index
// 200, which without any table reads as grey 200.
TEST(GifDecode, WithoutAnyTableFramesShowAGreyRamp)
{
    // Codes at 9 bits (code size 8): clear 256, 200, end 257.
    const Bytes bytes = Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0,
                              0x00,  // no global table
                              0, 0} +
                        descriptor(1, 1) + Bytes{0x08, 0x04, 0x00, 0x91, 0x05, 0x04, 0x00} + kTrailer;
    bool decoded = false;
    Pooled<Gif> gif = decodeBytes(bytes, &decoded);
    ASSERT_TRUE(decoded);
    Pooled<BufferedImage> picture(gif->toImage(0, nullptr));
    EXPECT_EQ(0xFFC8C8C8u, picture->row(0)[0]);
    EXPECT_EQ(0, gif->colorBits());
    // With no depth of its own the file is written back with the full palette.
    EXPECT_EQ(8, gif->reencodeDepth());
}

TEST(GifDecode, LocalTableTakesPrecedenceAndControlBlockApplies)
{
    const Bytes bytes = head4x1() +
                        Bytes{0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',  // looping extension
                              0x03, 0x01, 0x05, 0x00,                                                // loop count 5
                              0x00} +
                        Bytes{0x21, 0xF9, 0x04,
                              0x09,        // disposal 2, transparent colour given
                              0x23, 0x00,  // 35 hundredths
                              0x01,        // transparent index 1
                              0x00} +
                        descriptor(4, 1, 0x80) + Bytes{0x10, 0x20, 0x30, 0x40, 0x50, 0x60} +  // local table: 2 entries
                        image({0x44, 0x02, 0x05}) +                                             // 0, 1, 1, 0
                        descriptor(4, 1) + image(kFourWhite) + kTrailer;
    bool decoded = false;
    Pooled<Gif> gif = decodeBytes(bytes, &decoded);
    ASSERT_TRUE(decoded);
    ASSERT_EQ(2, gif->imageCount());
    EXPECT_EQ(5, gif->loopCount());
    EXPECT_EQ(350, gif->delayAt(0));
    EXPECT_EQ(2, gif->disposalAt(0));
    EXPECT_EQ(1, gif->transparentIndexAt(0));
    EXPECT_TRUE(gif->hasTransparency());
    // The control block belongs to one frame only.
    EXPECT_EQ(-1, gif->transparentIndexAt(1));
    EXPECT_EQ(0, gif->delayAt(1));

    Pooled<BufferedImage> first(gif->toImage(0, nullptr));
    EXPECT_TRUE(first->hasAlpha());
    EXPECT_EQ((std::vector<uint32_t>{0xFF102030, 0x00405060, 0x00405060, 0xFF102030}), std::vector<uint32_t>(first->row(0), first->row(0) + 4));
    Pooled<BufferedImage> second(gif->toImage(1, nullptr));
    EXPECT_FALSE(second->hasAlpha());
    EXPECT_EQ(kWhite, second->row(0)[3]);
    EXPECT_EQ(nullptr, gif->toImage(2, nullptr));
}

// Builds a 1-column frame of the given height whose LZW data holds rows in
// file order; the interlace flag decides where they land.
Bytes columnGif(const std::vector<uint8_t>& fileOrder, bool interlaced)
{
    const uint16_t h = static_cast<uint16_t>(fileOrder.size());
    Bytes bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, uint8_t(h), 0, 0x87, 0, 0};
    for (int i = 0; i < 256; ++i)
        bytes.insert(bytes.end(), {uint8_t(i), uint8_t(i), uint8_t(i)});
    bytes = bytes + descriptor(1, h, interlaced ? 0x40 : 0x00) + Bytes{0x08};
    MemoryOutput data;
    s::image::gif::win::GifLzw lzw;
    EXPECT_TRUE(lzw.encode(fileOrder.data(), 1, h, 1, 8, data));
    return bytes + data.bytes_ + Bytes{0x00} + kTrailer;
}

TEST(GifDecode, InterlacedRowsLandInPassOrder)
{
    struct Case {
        std::vector<uint8_t> fileOrder;
        std::vector<uint8_t> rows;
    } cases[] = {
        // Height 3: row 0 (pass 1), row 2 (pass 3), row 1 (pass 4).
        {{10, 12, 11}, {10, 11, 12}},
        {{7}, {7}},
        // Height 9: passes 0, 8 | 4 | 2, 6 | 1, 3, 5, 7.
        {{0, 8, 4, 2, 6, 1, 3, 5, 7}, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const Case& c : cases) {
        Pooled<Gif> gif = decodeBytes(columnGif(c.fileOrder, true));
        ASSERT_EQ(1, gif->imageCount());
        EXPECT_EQ(c.rows, std::vector<uint8_t>(gif->frameAt(0)->indices(), gif->frameAt(0)->indices() + c.rows.size()));
        Pooled<Gif> plain = decodeBytes(columnGif(c.fileOrder, false));
        EXPECT_EQ(c.fileOrder, std::vector<uint8_t>(plain->frameAt(0)->indices(), plain->frameAt(0)->indices() + c.rows.size()));
    }
}

TEST(GifDecode, SmallerFramesAreCentredOnWhiteAndKeepTheirPlace)
{
    // Screen 4 x 3; frame 0 is 4 x 3 at the origin, frame 1 is 2 x 1 at (1, 2).
    MemoryOutput big;
    const uint8_t zeros[12] = {};
    const uint8_t ones[2] = {1, 1};
    s::image::gif::win::GifLzw lzw;
    ASSERT_TRUE(lzw.encode(zeros, 4, 3, 4, 2, big));
    MemoryOutput small;
    ASSERT_TRUE(lzw.encode(ones, 2, 1, 2, 2, small));
    Bytes bytes = Bytes{'G', 'I', 'F', '8', '9', 'a', 4, 0, 3, 0, 0x80, 0, 0, 0x00, 0x00, 0x00, 0x11, 0x22, 0x33};
    bytes = bytes + descriptor(4, 3) + Bytes{0x02} + big.bytes_ + Bytes{0x00};
    bytes = bytes + Bytes{0x2C, 1, 0, 2, 0, 2, 0, 1, 0, 0x00} + Bytes{0x02} + small.bytes_ + Bytes{0x00} + kTrailer;
    Pooled<Gif> gif = decodeBytes(bytes);
    ASSERT_EQ(2, gif->imageCount());
    EXPECT_EQ(1, gif->frameAt(1)->left());
    EXPECT_EQ(2, gif->frameAt(1)->top());

    Pooled<BufferedImageSet> set(gif->toImageSet(0));
    ASSERT_EQ(2, set->count());
    EXPECT_TRUE(set->isAnimated());
    EXPECT_EQ(4, set->screenWidth());
    EXPECT_EQ(3, set->screenHeight());
    // The 2 x 1 frame sits at ((4 - 2) / 2, (3 - 1) / 2) on opaque white.
    const BufferedImage& centred = *set->item(1);
    ASSERT_EQ(4, centred.width());
    ASSERT_EQ(3, centred.height());
    const std::vector<uint32_t> expected{kWhite, kWhite, kWhite, kWhite,
                                         kWhite, 0xFF112233, 0xFF112233, kWhite,
                                         kWhite, kWhite, kWhite, kWhite};
    EXPECT_EQ(expected, shownPixels(centred));
    const BufferedImageSet::FrameArea area = set->frameAreaAt(1);
    EXPECT_EQ(1, area.left);
    EXPECT_EQ(2, area.top);
    EXPECT_EQ(1, area.x);
    EXPECT_EQ(1, area.y);
    EXPECT_EQ(2, area.width);
    EXPECT_EQ(1, area.height);

    // Composed, the small frame lands at its place over the first picture.
    Pooled<BufferedImageSet> composed(set->composed());
    ASSERT_TRUE(composed);
    const std::vector<uint32_t> shown{kBlack, kBlack, kBlack, kBlack,
                                      kBlack, kBlack, kBlack, kBlack,
                                      kBlack, 0xFF112233, 0xFF112233, kBlack};
    EXPECT_EQ(shown, shownPixels(*composed->item(1)));
}

}  // namespace
