#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "CodecTestSupport.h"
#include "MemoryStreams.h"
#include "archive/icon/Archive.h"
#include "image/ico/EncodeSetting.h"
#include "image/ico/win/Icon.h"
#include "image/ico/win/IconImage.h"
#include "image/png/win/Png.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

using s::archive::icon::Archive;
using s::image::ico::EncodeSetting;
using s::image::ico::win::Icon;
using s::image::ico::win::IconImage;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

namespace {

// --- Building icons -----------------------------------------------------------

void put16(std::string& s, uint32_t v)
{
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}

void put32(std::string& s, uint32_t v)
{
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

// A classic entry: 40-byte header with the doubled height, the table, the
// colour rows and the mask, both bottom row first. value(x, y) is the index
// at 1, 4 and 8 bits, 0x7FFF-style 5-5-5 at 16 bits and 0xAARRGGBB above.
std::string classicEntry(int32_t w, int32_t h, int32_t bits, const std::vector<uint32_t>& table,
                         const std::function<uint32_t(int32_t, int32_t)>& value,
                         const std::function<bool(int32_t, int32_t)>& masked)
{
    std::string s;
    put32(s, 40);
    put32(s, uint32_t(w));
    put32(s, uint32_t(2 * h));
    put16(s, 1);
    put16(s, uint32_t(bits));
    put32(s, 0);
    put32(s, 0);
    put32(s, 0);
    put32(s, 0);
    put32(s, uint32_t(table.size()));
    put32(s, 0);
    for (uint32_t c : table)
        put32(s, c);
    const size_t stride = ((size_t(bits) * w + 31) >> 3) & ~size_t(3);
    const size_t maskStride = ((size_t(w) + 31) >> 3) & ~size_t(3);
    for (int32_t y = h - 1; y >= 0; --y) {
        std::string row(stride, '\0');
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t v = value(x, y);
            if (bits < 8)
                row[size_t(x) * bits / 8] |= char(v << (8 - bits - (x * bits) % 8));
            else
                for (int32_t b = 0; b < bits / 8; ++b)
                    row[size_t(x) * bits / 8 + b] = char(v >> (8 * b));
        }
        s += row;
    }
    for (int32_t y = h - 1; y >= 0; --y) {
        std::string row(maskStride, '\0');
        for (int32_t x = 0; x < w; ++x) {
            if (masked(x, y))
                row[size_t(x) / 8] |= char(0x80 >> (x % 8));
        }
        s += row;
    }
    return s;
}

struct Record {
    uint8_t width;
    uint8_t height;
    uint16_t bits;
    std::string data;
};

std::string iconFile(const std::vector<Record>& records)
{
    std::string s;
    put16(s, 0);
    put16(s, 1);
    put16(s, uint32_t(records.size()));
    uint32_t offset = uint32_t(6 + 16 * records.size());
    for (const Record& r : records) {
        s += char(r.width);
        s += char(r.height);
        s += char(r.bits < 8 ? 1 << r.bits : 0);
        s += '\0';
        put16(s, 1);
        put16(s, r.bits);
        put32(s, uint32_t(r.data.size()));
        put32(s, offset);
        offset += uint32_t(r.data.size());
    }
    for (const Record& r : records)
        s += r.data;
    return s;
}

std::string plainEntry(int32_t side, int32_t bits, uint32_t colour)
{
    const std::vector<uint32_t> table(bits <= 8 ? size_t(1) << bits : 0, colour & 0xFFFFFF);
    return classicEntry(side, side, bits, table, [&](int32_t, int32_t) { return bits <= 8 ? 0u : colour; },
                        [](int32_t, int32_t) { return false; });
}

Pooled<Icon> decodeIcon(const std::string& bytes, bool* decoded = nullptr)
{
    Pooled<Icon> icon(Icon::take());
    MemoryInputStream in(bytes);
    const bool ok = icon->decode(in);
    if (decoded)
        *decoded = ok;
    return icon;
}

std::string encodeIcon(Icon& icon)
{
    MemoryOutputStream out;
    EXPECT_TRUE(icon.encode(out));
    return out.bytes();
}

std::string pngBytes(const BufferedImage& image)
{
    Pooled<s::image::png::win::Png> png(s::image::png::win::Png::take());
    EXPECT_TRUE(png->encodeImage(image, false, true, 255, 255, 255));
    MemoryOutputStream out;
    EXPECT_TRUE(png->encode(out));
    return out.bytes();
}

uint32_t u32At(const std::string& s, size_t at)
{
    return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 | uint32_t(uint8_t(s[at + 2])) << 16 |
           uint32_t(uint8_t(s[at + 3])) << 24;
}

uint32_t pixel(BufferedImage& image, int32_t x, int32_t y)
{
    return image.row(y)[x];
}

// --- Reading ------------------------------------------------------------------

TEST(IcoDecode, BestFittingEntryComesFirstThenDirectoryOrder)
{
    const std::string file = iconFile({{16, 16, 8, plainEntry(16, 8, 0x112233)},
                                       {32, 32, 4, plainEntry(32, 4, 0x445566)},
                                       {48, 48, 32, plainEntry(48, 32, 0xFF778899)}});
    bool decoded = false;
    Pooled<Icon> icon = decodeIcon(file, &decoded);
    EXPECT_TRUE(decoded);
    ASSERT_EQ(3, icon->imageCount());
    EXPECT_TRUE(icon->isMultiImage());
    EXPECT_EQ(32, icon->entry(0)->width());
    EXPECT_EQ(4, icon->bitDepthAt(0));
    EXPECT_EQ(16, icon->entry(1)->width());
    EXPECT_EQ(48, icon->entry(2)->width());
    EXPECT_EQ(32, icon->width());
    // The set keeps that order and each entry's depth.
    Pooled<BufferedImageSet> set(icon->toImageSet(0));
    ASSERT_EQ(3, set->count());
    EXPECT_EQ((std::vector<int32_t>{4, 8, 32}), (std::vector<int32_t>{set->bitDepthAt(0), set->bitDepthAt(1), set->bitDepthAt(2)}));
    EXPECT_EQ(0xFF445566u, pixel(*set->item(0), 5, 5));

    // 32 x 32 at 32 bits wins at once, even behind another 32 x 32 entry.
    Pooled<Icon> exact = decodeIcon(iconFile({{32, 32, 8, plainEntry(32, 8, 0x010203)},
                                              {16, 16, 32, plainEntry(16, 32, 0xFF000000)},
                                              {32, 32, 32, plainEntry(32, 32, 0xFF0A0B0C)}}));
    ASSERT_EQ(3, exact->imageCount());
    EXPECT_EQ(32, exact->entry(0)->bitCount());
    EXPECT_EQ(8, exact->entry(1)->bitCount());
    EXPECT_EQ(16, exact->entry(2)->width());
    // Equal distance: a later entry replaces the choice only with a depth nearer 32.
    Pooled<Icon> tie = decodeIcon(iconFile({{16, 16, 4, plainEntry(16, 4, 0)}, {16, 16, 8, plainEntry(16, 8, 0)}, {16, 16, 1, plainEntry(16, 1, 0)}}));
    EXPECT_EQ(8, tie->entry(0)->bitCount());
    EXPECT_EQ(4, tie->entry(1)->bitCount());
}

TEST(IcoDecode, ClassicEntriesOfEveryBitCountWithTheirMasks)
{
    // A 9 x 3 picture (rows padded differently at every depth) whose
    // pixel (x, y) is colour or index (x + y) % 2 and whose mask hides x == 4.
    const std::vector<uint32_t> two = {0x000000, 0xFFFFFF};
    std::vector<uint32_t> sixteen(16, 0);
    sixteen[0] = 0x102030;
    sixteen[1] = 0xA0B0C0;
    std::vector<uint32_t> many(256, 0);
    many[0] = 0x102030;
    many[1] = 0xA0B0C0;
    struct Case {
        int32_t bits;
        std::vector<uint32_t> table;
        uint32_t even, odd;              // stored value of pixels with even / odd x + y
        uint32_t evenShown, oddShown;    // 0xRRGGBB shown
    } cases[] = {
        {1, two, 0, 1, 0x000000, 0xFFFFFF},
        {4, sixteen, 0, 1, 0x102030, 0xA0B0C0},
        {8, many, 0, 1, 0x102030, 0xA0B0C0},
        {16, {}, 0x7C00, 0x001F, 0xFF0000, 0x0000FF},  // 5-5-5 red, blue
        {24, {}, 0x102030, 0xA0B0C0, 0x102030, 0xA0B0C0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        const std::string entry = classicEntry(9, 3, c.bits, c.table, [&](int32_t x, int32_t y) { return (x + y) % 2 ? c.odd : c.even; },
                                               [](int32_t x, int32_t) { return x == 4; });
        bool decoded = false;
        Pooled<Icon> icon = decodeIcon(iconFile({{9, 3, uint16_t(c.bits), entry}}), &decoded);
        EXPECT_TRUE(decoded);
        ASSERT_EQ(1, icon->imageCount());
        EXPECT_EQ(c.bits, icon->entry(0)->bitCount());
        EXPECT_EQ(4, icon->entry(0)->maskStride());
        Pooled<BufferedImage> image(icon->toImage(0, nullptr));
        ASSERT_TRUE(image);
        ASSERT_EQ(9, image->width());
        ASSERT_EQ(3, image->height());
        EXPECT_TRUE(image->hasAlpha());
        for (int32_t y = 0; y < 3; ++y) {
            for (int32_t x = 0; x < 9; ++x) {
                const uint32_t rgb = (x + y) % 2 ? c.oddShown : c.evenShown;
                EXPECT_EQ(x == 4 ? rgb : (0xFF000000u | rgb), pixel(*image, x, y)) << x << "," << y;
            }
        }
    }
}

TEST(IcoDecode, ThirtyTwoBitsTakeAlphaFromTheirOwnBytes)
{
    // Alpha 0 throughout with a clear mask: transparent, whatever the mask says.
    const auto anything = [](int32_t, int32_t) { return 0x00123456u; };
    const auto clear = [](int32_t, int32_t) { return false; };
    Pooled<Icon> zero = decodeIcon(iconFile({{4, 4, 32, classicEntry(4, 4, 32, {}, anything, clear)}}));
    Pooled<BufferedImage> image(zero->toImage(0, nullptr));
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->hasAlpha());
    EXPECT_EQ(0x00123456u, pixel(*image, 3, 3));
    // Partial alpha is kept as it is; a set mask bit changes nothing.
    Pooled<Icon> partial = decodeIcon(iconFile({{4, 4, 32, classicEntry(4, 4, 32, {}, [](int32_t x, int32_t) { return x == 0 ? 0x80FF0000u : 0xFF00FF00u; },
                                                                       [](int32_t, int32_t) { return true; })}}));
    Pooled<BufferedImage> mixed(partial->toImage(0, nullptr));
    EXPECT_EQ(0x80FF0000u, pixel(*mixed, 0, 1));
    EXPECT_EQ(0xFF00FF00u, pixel(*mixed, 1, 1));
}

TEST(IcoDecode, PngEntryBecomesA32BitEntryAndIsWrittenBackAsPng)
{
    Pooled<BufferedImage> source(codec_test::makeImage(256, 256, [](int32_t x, int32_t y) {
        return (x < 8 ? 0x00000000u : 0xFF000000u) | uint32_t(x) << 16 | uint32_t(y) << 8 | 0x40u;
    }));
    bool decoded = false;
    Pooled<Icon> icon = decodeIcon(iconFile({{0, 0, 32, pngBytes(*source)}}), &decoded);
    EXPECT_TRUE(decoded);
    ASSERT_EQ(1, icon->imageCount());
    EXPECT_EQ(32, icon->entry(0)->bitCount());
    EXPECT_TRUE(icon->entry(0)->isPngStream());
    Pooled<BufferedImage> image(icon->toImage(0, nullptr));
    ASSERT_TRUE(image);
    EXPECT_EQ(0, codec_test::maxDifference(*source, *image));

    // Re-encoded: width and height bytes 0, the data a PNG stream.
    const std::string written = encodeIcon(*icon);
    EXPECT_EQ(0, written[6]);
    EXPECT_EQ(0, written[7]);
    EXPECT_EQ(32u, uint32_t(uint8_t(written[12])));
    EXPECT_EQ(22u, u32At(written, 18));
    EXPECT_EQ(0, written.compare(22, 8, "\x89PNG\r\n\x1a\n", 8));
    Pooled<Icon> again = decodeIcon(written);
    Pooled<BufferedImage> back(again->toImage(0, nullptr));
    ASSERT_TRUE(back);
    EXPECT_EQ(0, codec_test::maxDifference(*source, *back));
}

// --- Hostile files ------------------------------------------------------------

std::string header(uint16_t count)
{
    std::string s;
    put16(s, 0);      // reserved
    put16(s, 1);      // type: icon
    put16(s, count);  // entries
    return s;
}

std::string record(uint32_t size, uint32_t offset, uint16_t bits = 32)
{
    std::string s;
    s += char(16);  // width
    s += char(16);  // height
    s += char(0);   // colour count
    s += char(0);   // reserved
    put16(s, 1);    // planes
    put16(s, bits);
    put32(s, size);
    put32(s, offset);
    return s;
}

// A 40-byte info header with the given fields, for entries that lie.
std::string infoHeader(uint32_t size, int32_t w, int32_t h, uint16_t planes, uint16_t bits, uint32_t compression, uint32_t colorsUsed)
{
    std::string s;
    put32(s, size);
    put32(s, uint32_t(w));
    put32(s, uint32_t(h));
    put16(s, planes);
    put16(s, bits);
    put32(s, compression);
    put32(s, 0);  // image size
    put32(s, 0);  // resolutions
    put32(s, 0);
    put32(s, colorsUsed);
    put32(s, 0);  // important colours
    return s;
}

std::string oneEntry(const std::string& data)
{
    return header(1) + record(uint32_t(data.size()), 22) + data;
}

TEST(IcoDecode, HostileFilesFailCleanly)
{
    const std::string pixels(64, '\x55');
    struct Case {
        const char* name;
        std::string bytes;
        Icon::Fault fault;
        uint8_t archiveFault;  // Archive::Fault when the directory or a record is refused
        IconImage::Fault entryFault;
        s::image::bmp::Fault bmpFault;
    } cases[] = {
        {"no entries", header(0) + std::string(40, '\0'), Icon::Fault::kDirectory, uint8_t(Archive::Fault::kNoEntries)},
        {"records past the end", header(3) + record(8, 54), Icon::Fault::kDirectory, uint8_t(Archive::Fault::kTruncatedDirectory)},
        {"header only", header(1).substr(0, 4), Icon::Fault::kDirectory, uint8_t(Archive::Fault::kTruncatedDirectory)},
        {"offset + size wraps", header(1) + record(0x20, 0xFFFFFFF0u) + pixels, Icon::Fault::kBrokenEntry, uint8_t(Archive::Fault::kDataOutsideFile)},
        {"size past the end", header(1) + record(65, 22) + pixels, Icon::Fault::kBrokenEntry, uint8_t(Archive::Fault::kDataOutsideFile)},
        {"data inside the records", header(1) + record(16, 6) + pixels, Icon::Fault::kBrokenEntry, uint8_t(Archive::Fault::kDataInDirectory)},
        {"empty data", header(1) + record(0, 22) + pixels, Icon::Fault::kBrokenEntry, uint8_t(Archive::Fault::kEmptyData)},
        // A table of 2^30 colours cannot fit in the 1024 bytes kept, nor in the entry.
        {"colour table larger than the entry", oneEntry(infoHeader(40, 16, 32, 1, 8, 0, 0x40000000u) + pixels), Icon::Fault::kBrokenEntry, 0,
         IconImage::Fault::kBadHeader, s::image::bmp::Fault::kColorTableOutOfFile},
        {"256 colours in a 64-byte entry", oneEntry(infoHeader(40, 16, 32, 1, 8, 0, 0) + pixels), Icon::Fault::kBrokenEntry, 0,
         IconImage::Fault::kBadHeader, s::image::bmp::Fault::kColorTableOutOfFile},
        {"header size larger than the entry", oneEntry(infoHeader(124, 16, 32, 1, 32, 0, 0) + pixels), Icon::Fault::kBrokenEntry, 0,
         IconImage::Fault::kBadHeader, s::image::bmp::Fault::kTruncatedHeader},
        {"unknown header size", oneEntry(infoHeader(1000, 16, 32, 1, 32, 0, 0) + pixels), Icon::Fault::kBrokenEntry, 0,
         IconImage::Fault::kBadHeader, s::image::bmp::Fault::kBadHeaderSize},
        {"zero width", oneEntry(infoHeader(40, 0, 32, 1, 32, 0, 0) + pixels), Icon::Fault::kBrokenEntry, 0,
         IconImage::Fault::kBadHeader, s::image::bmp::Fault::kBadWidth},
        {"negative width", oneEntry(infoHeader(40, -16, 32, 1, 32, 0, 0) + pixels), Icon::Fault::kBrokenEntry, 0,
         IconImage::Fault::kBadHeader, s::image::bmp::Fault::kBadWidth},
        {"doubled height 1", oneEntry(infoHeader(40, 16, 1, 1, 32, 0, 0) + pixels), Icon::Fault::kBrokenEntry, 0,
         IconImage::Fault::kBadHeight},
        {"top-down", oneEntry(infoHeader(40, 16, -32, 1, 32, 0, 0) + pixels), Icon::Fault::kBrokenEntry, 0, IconImage::Fault::kTopDown},
        {"bit count 7", oneEntry(infoHeader(40, 16, 32, 1, 7, 0, 0) + pixels), Icon::Fault::kBrokenEntry, 0,
         IconImage::Fault::kBadHeader, s::image::bmp::Fault::kBadBitCount},
        {"two planes", oneEntry(infoHeader(40, 16, 32, 2, 32, 0, 0) + pixels), Icon::Fault::kBrokenEntry, 0,
         IconImage::Fault::kBadHeader, s::image::bmp::Fault::kBadPlanes},
        {"run-length data", oneEntry(infoHeader(40, 16, 32, 1, 8, 1, 1) + std::string(4, '\0') + pixels), Icon::Fault::kBrokenEntry, 0,
         IconImage::Fault::kCompressed},
        {"JPEG compression", oneEntry(infoHeader(40, 16, 32, 1, 32, 4, 0) + pixels), Icon::Fault::kBrokenEntry, 0,
         IconImage::Fault::kBadHeader, s::image::bmp::Fault::kUnsupportedCompression},
        {"above the pixel cap", oneEntry(infoHeader(40, 65536, 65536, 1, 1, 0, 2) + std::string(8, '\0') + pixels), Icon::Fault::kBrokenEntry, 0,
         IconImage::Fault::kBadHeader, s::image::bmp::Fault::kTooLarge},
        {"no pixels after the table", oneEntry(infoHeader(40, 16, 32, 1, 1, 0, 2) + std::string(8, '\0')), Icon::Fault::kBrokenEntry, 0,
         IconImage::Fault::kBadHeader, s::image::bmp::Fault::kNoPixelData},
        // PNG signature, then a header chunk of 100000 x 100000: refused before decoding.
        {"PNG above the pixel cap", oneEntry(std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\x01\x86\xa0\0\x01\x86\xa0\x08\x06\0\0\0", 29) + pixels),
         Icon::Fault::kTooLarge, 0, IconImage::Fault::kTooLarge},
        {"PNG signature and garbage", oneEntry(std::string("\x89PNG\r\n\x1a\n", 8) + pixels), Icon::Fault::kBrokenEntry, 0,
         IconImage::Fault::kPngFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool decoded = true;
        Pooled<Icon> icon = decodeIcon(c.bytes, &decoded);
        EXPECT_FALSE(decoded);
        EXPECT_EQ(0, icon->imageCount());
        EXPECT_EQ(c.fault, icon->lastFault());
        EXPECT_EQ(c.archiveFault, icon->archiveFault());
        EXPECT_EQ(c.entryFault, icon->entryFault());
        if (c.entryFault == IconImage::Fault::kBadHeader) {
            Pooled<IconImage> entry(IconImage::take());
            MemoryInputStream in(c.bytes.substr(22));
            EXPECT_FALSE(entry->decode(in));
            EXPECT_EQ(c.bmpFault, entry->bmpFault());
        }
        // Nothing to show and nothing to write.
        EXPECT_EQ(nullptr, icon->toImage(0, nullptr));
        Pooled<BufferedImageSet> set(icon->toImageSet(0));
        EXPECT_EQ(0, set->count());
        MemoryOutputStream out;
        EXPECT_FALSE(icon->encode(out));
    }
}

TEST(IcoDecode, BrokenEntriesAreLeftOutAndTheOthersKept)
{
    // Entry 0 lies past the end of the file, entry 1 is fine, entry 2 states
    // a huge colour table.
    const std::string good = plainEntry(16, 4, 0x336699);
    const std::string bad = infoHeader(40, 16, 32, 1, 8, 0, 0x7FFFFFFF) + std::string(64, '\0');
    std::string file = header(3) + record(1000, 54) + record(uint32_t(good.size()), 54, 4) + record(uint32_t(bad.size()), uint32_t(54 + good.size()), 8);
    file += good + bad;
    bool decoded = true;
    Pooled<Icon> icon = decodeIcon(file, &decoded);
    EXPECT_FALSE(decoded);
    ASSERT_EQ(1, icon->imageCount());
    EXPECT_EQ(4, icon->entry(0)->bitCount());
    EXPECT_EQ(Icon::Fault::kBrokenEntry, icon->lastFault());
}

TEST(IcoDecode, ShortEntryKeepsWhatItHoldsAndZeroesTheRest)
{
    // 8 x 8 at 32 bits: 256 colour bytes and 32 mask bytes; only 4 rows of colour come.
    std::string entry = classicEntry(8, 8, 32, {}, [](int32_t, int32_t) { return 0xFF203040u; }, [](int32_t, int32_t) { return false; });
    entry.resize(40 + 4 * 32);
    bool decoded = true;
    Pooled<Icon> icon = decodeIcon(iconFile({{8, 8, 32, entry}}), &decoded);
    EXPECT_FALSE(decoded);
    ASSERT_EQ(1, icon->imageCount());
    EXPECT_EQ(Icon::Fault::kTruncatedEntry, icon->lastFault());
    Pooled<BufferedImage> image(icon->toImage(0, nullptr));
    // Bottom rows came first; the top rows are zero, not memory.
    EXPECT_EQ(0xFF203040u, pixel(*image, 0, 7));
    EXPECT_EQ(0x00000000u, pixel(*image, 0, 0));
}

TEST(IcoDecode, RecordsSharingOnePictureCannotPassThePixelCap)
{
    // Every record points at one 1-bit entry of 16384 x 8192 (2^27 pixels):
    // two fit in the image model's cap, the third does not.
    const std::string entry = infoHeader(40, 16384, 16384, 1, 1, 0, 2) + std::string(8, '\0') + std::string(64, '\0');
    std::string file = header(4);
    for (int i = 0; i < 4; ++i)
        file += record(uint32_t(entry.size()), 70, 1);
    file += entry;
    Pooled<Icon> icon = decodeIcon(file);
    EXPECT_EQ(2, icon->imageCount());
    EXPECT_EQ(8192, icon->entry(0)->height());
}

// --- Writing ------------------------------------------------------------------

// Eight colours in bands, with a transparent first column and a
// half-transparent second one.
BufferedImage* bands(int32_t side)
{
    static const uint32_t kColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0x808080, 0xFFFFFF};
    return codec_test::makeImage(side, side, [side](int32_t x, int32_t y) {
        const uint32_t alpha = x == 0 ? 0x00u : x == 1 ? 0x10u : 0xFFu;
        return alpha << 24 | kColours[(y * 8) / side];
    });
}

TEST(IcoEncode, EncodeImageAtEachDepthKeepsColoursAndMask)
{
    Pooled<BufferedImage> source(bands(40));
    for (int32_t depth : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(depth);
        Pooled<IconImage> entry(IconImage::take());
        ASSERT_TRUE(entry->encodeImage(*source, depth, true, 255, 255, 255));
        EXPECT_EQ(depth, entry->bitCount());
        EXPECT_EQ(8, entry->maskStride());
        EXPECT_EQ(int32_t(((depth * 40 + 31) / 32) * 4), entry->colorStride());
        // Alpha 0 always sets the mask bit; alpha 16 only below 32 bits.
        for (int32_t y : {0, 39})
            EXPECT_EQ(depth == 32 ? 0x80 : 0xC0, entry->maskRow(y)[0] & 0xC0);
        if (depth == 4 || depth == 8) {
            // Index n = 2^depth - 1 is black and marks the transparent pixels.
            const int32_t n = (1 << depth) - 1;
            EXPECT_EQ(0u, entry->header().m_colorTable[n]);
            EXPECT_EQ(n, depth == 8 ? entry->colorRow(0)[0] : entry->colorRow(0)[0] >> 4);
        }
        // Written and read back: the opaque bands as they were.
        Pooled<Icon> icon(Icon::take());
        icon->addEntry(entry.take());
        Pooled<Icon> back = decodeIcon(encodeIcon(*icon));
        ASSERT_EQ(1, back->imageCount());
        EXPECT_EQ(depth, back->entry(0)->bitCount());
        Pooled<BufferedImage> image(back->toImage(0, nullptr));
        ASSERT_TRUE(image);
        EXPECT_EQ(0u, pixel(*image, 0, 0) >> 24);
        EXPECT_EQ(depth == 32 ? 0x10u : 0u, pixel(*image, 1, 0) >> 24);
        for (int32_t y : {0, 6, 39}) {
            const uint32_t want = source->row(y)[20];
            const uint32_t got = pixel(*image, 20, y);
            if (depth == 1)
                EXPECT_EQ(0xFF000000u, got & 0xFF000000u);  // two colours only
            else if (depth == 16)
                EXPECT_EQ(want & 0xFFF8F8F8u, got & 0xFFF8F8F8u);
            else
                EXPECT_EQ(want, got) << y;
        }
    }
}

TEST(IcoEncode, FourBitsKeepAtMostFifteenColours)
{
    Pooled<BufferedImage> source(codec_test::makeImage(16, 16, [](int32_t x, int32_t y) {
        return (x + y) % 5 == 0 ? 0u : 0xFF000000u | uint32_t(x * 16) << 16 | uint32_t(y * 16);
    }));
    Pooled<IconImage> entry(IconImage::take());
    ASSERT_TRUE(entry->encodeImage(*source, 4, true, 255, 255, 255));
    std::set<int> used;
    for (int32_t y = 0; y < 16; ++y) {
        for (int32_t x = 0; x < 16; ++x) {
            const int index = (entry->colorRow(y)[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
            const bool masked = (entry->maskRow(y)[x / 8] & (0x80 >> (x % 8))) != 0;
            EXPECT_EQ((x + y) % 5 == 0, masked);
            EXPECT_EQ(masked, index == 15);
            used.insert(index);
        }
    }
    EXPECT_LE(used.size(), 16u);
    EXPECT_EQ(0u, entry->header().m_colorTable[15]);
}

TEST(IcoEncode, MultiEntryIconRoundTripsWithContiguousDirectory)
{
    Pooled<BufferedImage> small(bands(16));
    Pooled<BufferedImage> middle(bands(32));
    Pooled<BufferedImage> large(bands(48));
    Pooled<BufferedImage> huge(bands(300));
    Pooled<Icon> icon(Icon::take());
    const struct {
        BufferedImage* image;
        int32_t depth;
    } parts[] = {{small.get(), 4}, {middle.get(), 8}, {large.get(), 32}, {huge.get(), 32}};
    for (const auto& part : parts) {
        Pooled<IconImage> entry(IconImage::take());
        ASSERT_TRUE(entry->encodeImage(*part.image, part.depth, true, 255, 255, 255));
        ASSERT_TRUE(icon->addEntry(entry.take()));
    }
    const std::string written = encodeIcon(*icon);
    // Header, then records whose data follow one another from 6 + 16 x 4.
    EXPECT_EQ(std::string("\0\0\1\0\4\0", 6), written.substr(0, 6));
    uint32_t offset = 6 + 16 * 4;
    for (int i = 0; i < 4; ++i) {
        const size_t r = 6 + 16 * size_t(i);
        EXPECT_EQ(offset, u32At(written, r + 12)) << i;
        offset += u32At(written, r + 8);
    }
    EXPECT_EQ(written.size(), offset);
    // Records: sizes (0 for 300), colour counts, planes, depths.
    EXPECT_EQ(std::string("\x10\x10\x10\0\1\0\4\0", 8), written.substr(6, 8));
    EXPECT_EQ(std::string("\x20\x20\0\0\1\0\x08\0", 8), written.substr(22, 8));
    EXPECT_EQ(std::string("\0\0\0\0\1\0\x20\0", 8), written.substr(54, 8));
    // A classic entry's header: doubled height, the bytes of colour and mask.
    const size_t first = u32At(written, 18);
    EXPECT_EQ(40u, u32At(written, first));
    EXPECT_EQ(32u, u32At(written, first + 8));
    EXPECT_EQ(16u * 8 + 4u * 16, u32At(written, first + 20));

    Pooled<Icon> back = decodeIcon(written);
    ASSERT_EQ(4, back->imageCount());
    // The 32 x 32 entry nearest the best fit comes first on reading.
    const int32_t widths[] = {32, 16, 48, 300};
    const int32_t depths[] = {8, 4, 32, 32};
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(widths[i], back->entry(i)->width());
        EXPECT_EQ(depths[i], back->entry(i)->bitCount());
    }
    Pooled<BufferedImage> big(back->toImage(3, nullptr));
    EXPECT_EQ(0, codec_test::maxDifference(*huge, *big));
}

TEST(IcoEncode, SettingStretchesFilteredPicturesToEachEntry)
{
    Pooled<BufferedImageSet> set(BufferedImageSet::take());
    set->add(codec_test::makeImage(20, 10, [](int32_t x, int32_t) { return x < 10 ? 0xFFFF0000u : 0xFF0000FFu; }), 24, 0, 0);
    set->add(bands(16), 32, 0, 0);

    Pooled<EncodeSetting> setting(EncodeSetting::take());
    setting->setKeepRatio(false);
    setting->entryShapes().add(20 << 16 | 24);
    // A list of another length gives nothing.
    EXPECT_EQ(nullptr, setting->toEncodedSet(*set));
    setting->entryShapes().add(16 << 16 | 8);
    Pooled<s::image::IEncodedImage> encoded(setting->toEncodedSet(*set));
    auto* icon = dynamic_cast<Icon*>(encoded.get());
    ASSERT_NE(nullptr, icon);
    ASSERT_EQ(2, icon->imageCount());
    // Not square: stretched to 20 x 20, the two halves still side by side.
    EXPECT_EQ(20, icon->entry(0)->width());
    EXPECT_EQ(20, icon->entry(0)->height());
    EXPECT_EQ(24, icon->entry(0)->bitCount());
    Pooled<BufferedImage> stretched(icon->toImage(0, nullptr));
    EXPECT_EQ(0xFFFF0000u, pixel(*stretched, 2, 18));
    EXPECT_EQ(0xFF0000FFu, pixel(*stretched, 17, 1));
    EXPECT_EQ(8, icon->entry(1)->bitCount());
    // No image of its own: an icon is built from a set only.
    EXPECT_EQ(nullptr, setting->toEncoded(*set->item(0)));

    // With keepRatio the picture is fitted and centred on transparent black.
    setting->setKeepRatio(true);
    Pooled<s::image::IEncodedImage> fitted(setting->toEncodedSet(*set));
    Pooled<BufferedImage> centred(fitted->toImage(0, nullptr));
    ASSERT_TRUE(centred);
    EXPECT_EQ(0u, pixel(*centred, 10, 2) >> 24);
    EXPECT_EQ(0xFF0000FFu, pixel(*centred, 15, 10));
}

// --- Real icons ---------------------------------------------------------------

struct CorpusEntry {
    int32_t index, width, height, depth;
    std::string digest;
};

// 64-bit FNV-1a of the picture as R, G, B, A, fully transparent pixels as
// 0, 0, 0, 0: what tests/data/ico/make-corpus-expectations.py writes.
uint64_t shownDigest(const BufferedImage& image)
{
    uint64_t h = 0xCBF29CE484222325ull;
    for (int32_t y = 0; y < image.height(); ++y) {
        for (int32_t x = 0; x < image.width(); ++x) {
            uint32_t p = image.row(y)[x];
            if ((p >> 24) == 0)
                p = 0;
            const uint8_t bytes[4] = {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)};
            for (uint8_t b : bytes)
                h = (h ^ b) * 0x100000001B3ull;
        }
    }
    return h;
}

TEST(IcoCorpus, EntriesMatchTheReferenceDecoder)
{
    if (!std::filesystem::is_directory(codec_test::corpusDir() / "ico"))
        GTEST_SKIP() << "no corpus at " << PELLORY_CORPUS_DIR;
    std::ifstream table(codec_test::testData() / "ico" / "corpus-expected.txt");
    std::string line;
    int files = 0;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string name;
        int32_t count = 0;
        fields >> name >> count;
        SCOPED_TRACE(name);
        ++files;
        bool decoded = false;
        Pooled<Icon> icon = decodeIcon(codec_test::readFile(codec_test::corpusDir() / "ico" / name), &decoded);
        EXPECT_TRUE(decoded);
        ASSERT_EQ(count, icon->imageCount());
        for (int32_t i = 0; i < count; ++i) {
            CorpusEntry e;
            fields >> e.index >> e.width >> e.height >> e.depth >> e.digest;
            SCOPED_TRACE(e.index);
            EXPECT_EQ(e.depth, icon->bitDepthAt(i));
            Pooled<BufferedImage> image(icon->toImage(i, nullptr));
            ASSERT_TRUE(image);
            EXPECT_EQ(e.width, image->width());
            EXPECT_EQ(e.height, image->height());
            EXPECT_EQ(e.digest, codec_test::hex16(shownDigest(*image)));
        }
    }
    EXPECT_GE(files, 13);
}

}  // namespace
