#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "image/bmp/BmpFormat.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"

#ifndef PELLORY_CORPUS_DIR
#define PELLORY_CORPUS_DIR ""
#endif
#ifndef PELLORY_TESTDATA_DIR
#define PELLORY_TESTDATA_DIR ""
#endif

namespace bmp = s::image::bmp;
using bmp::Fault;

namespace {

// --- Helpers ----------------------------------------------------------------

std::vector<uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool exists(const std::string& path)
{
    std::error_code ignored;
    return !path.empty() && std::filesystem::is_regular_file(path, ignored);
}

std::string corpusDir() { return PELLORY_CORPUS_DIR; }

// A BMP by name: the tree's own copy first, then the corpus's bmp/ and odd/.
std::string findBmp(const std::string& name)
{
    const std::string candidates[] = {
        std::string(PELLORY_TESTDATA_DIR) + "/bmp/" + name,
        corpusDir() + "/bmp/" + name,
        corpusDir() + "/odd/" + name,
    };
    for (const std::string& path : candidates)
        if (exists(path))
            return path;
    return std::string();
}

struct Decoded {
    bool ok = false;
    Fault fault = Fault::kNone;
    bmp::Dib dib;
    std::vector<uint32_t> argb;  // top row first
    bool hasAlpha = false;

    int32_t width() const { return dib.m_header.m_infoHeader.m_width; }
    int32_t height() const { return dib.m_header.m_infoHeader.m_height; }
};

// Parses from a buffer of exactly the file's size, so that AddressSanitizer
// sees any read past the end, then converts to 32-bit pixels.
Decoded decode(const std::vector<uint8_t>& bytes, int32_t colorKey = -1)
{
    Decoded d;
    std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size() + 1]);
    if (!bytes.empty())
        std::memcpy(exact.get(), bytes.data(), bytes.size());
    d.ok = bmp::parse(bytes.empty() ? nullptr : exact.get(), bytes.size(), d.dib, d.fault);
    if (!d.ok)
        return d;
    d.argb.assign(size_t(d.width()) * size_t(d.height()), 0xDEADBEEF);
    const bool converted = bmp::toArgb(d.dib.m_header, d.dib.m_bits.get(), d.dib.m_bitsSize, d.argb.data(),
                                       d.width(), colorKey, d.hasAlpha);
    EXPECT_TRUE(converted);
    return d;
}

// FNV-1a over each pixel's red, green, blue and alpha bytes, top row first.
uint64_t hashRgba(const std::vector<uint32_t>& argb)
{
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint32_t p : argb) {
        const uint8_t bytes[4] = {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)};
        for (uint8_t b : bytes)
            h = (h ^ b) * 0x100000001b3ull;
    }
    return h;
}

// ImageMagick's decode of a file as 8-bit RGBA, when ImageMagick is there.
bool imageMagickRgba(const std::string& path, size_t pixels, std::vector<uint8_t>& rgba)
{
#ifdef _WIN32
    (void)path, (void)pixels, (void)rgba;
    return false;
#else
    if (path.find('\'') != std::string::npos)
        return false;
    const std::string command = "convert '" + path + "' -depth 8 rgba:- 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return false;
    rgba.clear();
    uint8_t buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        rgba.insert(rgba.end(), buffer, buffer + n);
    pclose(pipe);
    return rgba.size() == pixels * 4;
#endif
}

bool imageMagickPresent()
{
#ifdef _WIN32
    return false;
#else
    static const bool present = [] {
        FILE* pipe = popen("convert -version 2>/dev/null", "r");
        if (!pipe)
            return false;
        char line[256] = {};
        // A stand-in that only names ImageMagick does not count.
        const bool found = fgets(line, sizeof line, pipe) && std::strncmp(line, "Version: ImageMagick", 20) == 0;
        pclose(pipe);
        return found;
    }();
    return present;
#endif
}

uint8_t channel(uint32_t argb, int i)  // 0 red, 1 green, 2 blue, 3 alpha
{
    const int shift[4] = {16, 8, 0, 24};
    return uint8_t(argb >> shift[i]);
}

// --- Hand-made files --------------------------------------------------------

// A small BMP written field by field, valid until a test changes one field.
struct Fixture {
    uint32_t headerSize = 40;
    int32_t width = 2;
    int32_t height = 2;
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = bmp::kBiRgb;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> masks;    // inside a long header, or after a 40-byte one
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    std::vector<uint8_t> pixels;
    int64_t pixelOffset = -1;       // -1: right after the colour table

    std::vector<uint8_t> bytes() const
    {
        std::vector<uint8_t> out;
        s::io::ByteWriter w(out);
        w.u16le(bmp::kFileType);
        w.u32le(0);  // file size, patched below
        w.u32le(0);
        w.u32le(0);  // pixel offset, patched below
        w.u32le(headerSize);
        if (headerSize == bmp::kCoreHeaderSize) {
            w.u16le(uint16_t(width));
            w.u16le(uint16_t(height));
            w.u16le(planes);
            w.u16le(bitCount);
        } else {
            w.s32le(width);
            w.s32le(height);
            w.u16le(planes);
            w.u16le(bitCount);
            w.u32le(compression);
            w.u32le(uint32_t(pixels.size()));
            w.u32le(2835);
            w.u32le(2835);
            w.u32le(colorsUsed);
            w.u32le(0);
            size_t written = 40;
            for (size_t i = 0; i < masks.size() && headerSize > 40 && written + 4 <= headerSize; ++i, written += 4)
                w.u32le(masks[i]);
            if (headerSize > written)
                w.zeros(headerSize - written);
            if (headerSize == 40 && compression == bmp::kBiBitfields)
                for (uint32_t m : masks)
                    w.u32le(m);
        }
        for (uint32_t c : palette) {
            w.u8(uint8_t(c));
            w.u8(uint8_t(c >> 8));
            w.u8(uint8_t(c >> 16));
            if (headerSize != bmp::kCoreHeaderSize)
                w.u8(0);
        }
        const size_t offset = pixelOffset < 0 ? out.size() : size_t(pixelOffset);
        w.bytes(pixels.data(), pixels.size());
        w.patchU32le(2, uint32_t(out.size()));
        w.patchU32le(10, uint32_t(offset));
        return out;
    }
};

// A fixture with one thing changed.
template <typename Change>
Fixture with(Fixture f, Change change)
{
    change(f);
    return f;
}

std::vector<uint8_t> cut(const Fixture& f, size_t size)
{
    std::vector<uint8_t> bytes = f.bytes();
    bytes.resize(size);
    return bytes;
}

std::vector<uint8_t> poke(std::vector<uint8_t> bytes, size_t at, uint8_t value)
{
    bytes[at] = value;
    return bytes;
}

// 2 × 2 at 24 bits: red, green on top; blue, white below.
Fixture tiny24()
{
    Fixture f;
    f.pixels = {
        0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0,  // bottom row: blue, white, padding
        0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,  // top row: red, green, padding
    };
    return f;
}
const std::vector<uint32_t> kTiny24Argb = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};

// 3 × 2 at 8 bits with a five-colour table.
Fixture small8()
{
    Fixture f;
    f.width = 3;
    f.bitCount = 8;
    f.colorsUsed = 5;
    f.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
    f.pixels = {1, 2, 3, 0, 4, 0, 1, 0};
    return f;
}

Fixture rle(uint16_t bitCount, int32_t width, int32_t height, std::vector<uint8_t> codes)
{
    Fixture f;
    f.bitCount = bitCount;
    f.width = width;
    f.height = height;
    f.compression = bitCount == 8 ? bmp::kBiRle8 : bmp::kBiRle4;
    f.colorsUsed = 16;
    for (uint32_t i = 0; i < 16; ++i)
        f.palette.push_back(i * 0x101010);
    f.pixels = std::move(codes);
    return f;
}

// 2 × 1 at 32 bits: colours 0x102030 and 0x405060 with the given alpha bytes.
Fixture alpha32(uint32_t compression, uint8_t alpha0, uint8_t alpha1)
{
    Fixture f;
    f.width = 2;
    f.height = 1;
    f.bitCount = 32;
    f.compression = compression;
    if (compression == bmp::kBiBitfields)
        f.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    f.pixels = {0x30, 0x20, 0x10, alpha0, 0x60, 0x50, 0x40, alpha1};
    return f;
}

// --- Palette mapping for the writer -------------------------------------------

struct ExactPalette {
    std::vector<uint32_t> colors;
};

void mapExact(void* context, const uint32_t* pixels, uint32_t width, uint8_t* indexes)
{
    const ExactPalette& palette = *static_cast<const ExactPalette*>(context);
    for (uint32_t x = 0; x < width; ++x) {
        indexes[x] = 0;
        for (size_t i = 0; i < palette.colors.size(); ++i)
            if ((palette.colors[i] & 0xFFFFFF) == (pixels[x] & 0xFFFFFF))
                indexes[x] = uint8_t(i);
    }
}

struct Written {
    bool ok = false;
    Fault fault = Fault::kNone;
    std::vector<uint8_t> file;
};

// createHeader, fromArgb and encodeFile, as the codec's encoder runs them.
Written writeBmp(const std::vector<uint32_t>& argb, int32_t width, int32_t height, uint32_t bitCount,
                 const std::vector<uint32_t>& colors = {})
{
    Written out;
    bmp::DibHeader header;
    if (!bmp::createHeader(width, height, bitCount, header, out.fault))
        return out;
    std::vector<uint8_t> bits(bmp::bitsSize(header) + 1, 0xCD);  // stale bytes must not survive
    ExactPalette palette{colors};
    bmp::PaletteMapping mapping;
    mapping.m_colors = palette.colors.data();
    mapping.m_colorCount = uint32_t(palette.colors.size());
    mapping.m_mapRow = mapExact;
    mapping.m_context = &palette;
    if (!bmp::fromArgb(argb.empty() ? nullptr : argb.data(), width, colors.empty() ? nullptr : &mapping, header,
                       bits.data(), bits.size(), out.fault))
        return out;
    out.ok = bmp::encodeFile(header, bits.data(), bits.size(), out.file, out.fault);
    return out;
}

}  // namespace

// --- Real files ---------------------------------------------------------------

namespace {

// How a decoded corpus file is checked beyond its stored hash.
enum class Reference {
    kImageMagick,        // equal to ImageMagick's pixels
    kImageMagickBits,    // equal in as many top bits as each field has: ImageMagick
                         // does not widen fields of 1 to 3 bits to the full range
    kImageMagickWithin,  // each channel within `parameter`: ImageMagick rounds wide fields
    kSameAs,             // ImageMagick refuses or misreads the file; equal to `other`
    kBadIndexBlack,      // indexes beyond the table are black, all others as ImageMagick
    kTruncatedOf,        // the rows present equal `other`'s, the missing ones index 0
};

struct DecodedCase {
    const char* file;
    Reference reference;
    int parameter;
    const char* other;
    // FNV-1a of the expected pixels (ImageMagick's, with alpha 255 where the
    // DIB has no alpha channel; for the rows not compared exactly, this
    // decoder's output after it was checked as the row says).
    uint64_t hash;
    Fault fault;
};

const DecodedCase kDecoded[] = {
    {"Core_1_Bit.bmp", Reference::kImageMagick, 0, nullptr, 0xbf99a98a1b67bf1, Fault::kNone},
    {"Info_A8_R8_G8_B8_Top_Down.bmp", Reference::kImageMagick, 0, nullptr, 0x81c8b6660301d775, Fault::kNone},
    {"V4_A8_R8_G8_B8.bmp", Reference::kImageMagick, 0, nullptr, 0xc885ae68ae5249e, Fault::kNone},
    {"V4_R5_G6_B5.bmp", Reference::kImageMagick, 0, nullptr, 0x59f646addbc2a26a, Fault::kNone},
    {"V5_A1_R5_G5_B5.bmp", Reference::kImageMagick, 0, nullptr, 0x24fce2617167df4a, Fault::kNone},
    {"paintnet-basn2c08.bmp", Reference::kImageMagick, 0, nullptr, 0x6d0a594462868f25, Fault::kNone},
    {"paintnet-basn6a08.bmp", Reference::kImageMagick, 0, nullptr, 0xba3b24f9586b2225, Fault::kNone},
    {"pal1.bmp", Reference::kImageMagick, 0, nullptr, 0x5b87dcabe9e9f525, Fault::kNone},
    {"pal1bg.bmp", Reference::kImageMagick, 0, nullptr, 0x90160b8f8e7ece5, Fault::kNone},
    {"pal1p1.bmp", Reference::kImageMagick, 0, nullptr, 0x3c236604b0f57da5, Fault::kNone},
    {"pal4gs.bmp", Reference::kImageMagick, 0, nullptr, 0x24f5e32400e8e986, Fault::kNone},
    {"pal4rle.bmp", Reference::kImageMagick, 0, nullptr, 0xad00074acbb458dd, Fault::kNone},
    {"pal8-0.bmp", Reference::kImageMagick, 0, nullptr, 0xb6a8550b3d91a208, Fault::kNone},
    {"pal8.bmp", Reference::kImageMagick, 0, nullptr, 0xb6a8550b3d91a208, Fault::kNone},
    {"pal8gs.bmp", Reference::kImageMagick, 0, nullptr, 0xd4cb3e0edabc7a5b, Fault::kNone},
    {"pal8nonsquare.bmp", Reference::kImageMagick, 0, nullptr, 0x3d7bc072aeb775ec, Fault::kNone},
    {"pal8offs.bmp", Reference::kImageMagick, 0, nullptr, 0xb6a8550b3d91a208, Fault::kNone},
    {"pal8os2.bmp", Reference::kImageMagick, 0, nullptr, 0xb6a8550b3d91a208, Fault::kNone},
    {"pal8os2v2-sz.bmp", Reference::kSameAs, 0, "pal8.bmp", 0xb6a8550b3d91a208, Fault::kNone},
    {"pal8oversizepal.bmp", Reference::kSameAs, 0, "pal8.bmp", 0xb6a8550b3d91a208, Fault::kNone},
    {"pal8rle.bmp", Reference::kImageMagick, 0, nullptr, 0xb6a8550b3d91a208, Fault::kNone},
    {"pal8rletrns.bmp", Reference::kImageMagick, 0, nullptr, 0xc2ab97b9607d7354, Fault::kNone},
    {"pal8topdown.bmp", Reference::kImageMagick, 0, nullptr, 0xb6a8550b3d91a208, Fault::kNone},
    {"pal8v5.bmp", Reference::kImageMagick, 0, nullptr, 0xb6a8550b3d91a208, Fault::kNone},
    {"pal8w125.bmp", Reference::kImageMagick, 0, nullptr, 0xb88da87005d4fd97, Fault::kNone},
    {"rgb16-231.bmp", Reference::kImageMagickBits, 0, nullptr, 0x40427df5d3dd9adc, Fault::kNone},
    {"rgb16-565.bmp", Reference::kImageMagick, 0, nullptr, 0x7bd825386097a45a, Fault::kNone},
    {"rgb16.bmp", Reference::kImageMagick, 0, nullptr, 0xdfc37635c4aea7e4, Fault::kNone},
    {"rgb16bfdef.bmp", Reference::kImageMagick, 0, nullptr, 0xdfc37635c4aea7e4, Fault::kNone},
    {"rgb16faketrns.bmp", Reference::kImageMagick, 0, nullptr, 0xdfc37635c4aea7e4, Fault::kNone},
    {"rgb24.bmp", Reference::kImageMagick, 0, nullptr, 0xa9a2b59c29065ccb, Fault::kNone},
    {"rgb24largepal.bmp", Reference::kImageMagick, 0, nullptr, 0xa9a2b59c29065ccb, Fault::kNone},
    {"rgb24prof.bmp", Reference::kImageMagick, 0, nullptr, 0xa9a2b59c29065ccb, Fault::kNone},
    {"rgb32-7187.bmp", Reference::kImageMagickWithin, 2, nullptr, 0x37217b3d172cc6cb, Fault::kNone},
    {"rgb32.bmp", Reference::kImageMagick, 0, nullptr, 0xa9a2b59c29065ccb, Fault::kNone},
    {"rgb32bfdef.bmp", Reference::kImageMagick, 0, nullptr, 0xa9a2b59c29065ccb, Fault::kNone},
    {"rgb32fakealpha.bmp", Reference::kImageMagick, 0, nullptr, 0x908a80436291cb7f, Fault::kNone},
    {"rgb32h52.bmp", Reference::kImageMagick, 0, nullptr, 0xa9a2b59c29065ccb, Fault::kNone},
    {"rgba16-5551.bmp", Reference::kImageMagick, 0, nullptr, 0xdfc37635c4aea7e4, Fault::kNone},
    {"rgba32-1.bmp", Reference::kImageMagick, 0, nullptr, 0x6d5a22cb16a83775, Fault::kNone},
    {"rgba32-1010102.bmp", Reference::kImageMagickWithin, 1, nullptr, 0xe2408d5b703bdf4b, Fault::kNone},
    {"rgba32h56.bmp", Reference::kImageMagick, 0, nullptr, 0x6d5a22cb16a83775, Fault::kNone},
    {"Info_1_Bit-88bytes.bmp", Reference::kImageMagick, 0, nullptr, 0x37bff146d27e2b05, Fault::kNone},
    {"bmp-reserved-nonzero.bmp", Reference::kImageMagick, 0, nullptr, 0xb6a8550b3d91a208, Fault::kNone},
    {"pal8badindex.bmp", Reference::kBadIndexBlack, 0, nullptr, 0x3b3dbcd2bb18c137, Fault::kNone},
    {"pal8os2-hs.bmp", Reference::kImageMagick, 0, nullptr, 0xb6a8550b3d91a208, Fault::kNone},
    {"shortfile.bmp", Reference::kTruncatedOf, 0, "pal1.bmp", 0x988fe7425931b664, Fault::kTruncatedPixels},
};

struct RefusedCase {
    const char* file;
    Fault fault;
};

const RefusedCase kRefused[] = {
    {"pal1huffmsb.bmp", Fault::kUnsupportedCompression},  // OS/2 Huffman
    {"pal2color.bmp", Fault::kBadBitCount},
    {"rgb24png.bmp", Fault::kUnsupportedCompression},
    {"rgb24rle24.bmp", Fault::kUnsupportedCompression},   // OS/2 RLE24
    {"rgba32abf.bmp", Fault::kUnsupportedCompression},    // alpha bit fields
    {"rgba64.bmp", Fault::kBadBitCount},
    {"ba-bm.bmp", Fault::kBadSignature},
    {"badbitcount.bmp", Fault::kBadBitCount},
    {"badheadersize.bmp", Fault::kBadHeaderSize},
    {"badpalettesize.bmp", Fault::kColorTableOutOfFile},
    {"badplanes.bmp", Fault::kBadPlanes},
    {"badwidth.bmp", Fault::kBadWidth},
    {"reallybig.bmp", Fault::kTooLarge},
    {"rletopdown.bmp", Fault::kTopDownCompressed},
};

// The pixel the DIB's own rules give where the reference has rgba.
uint32_t expectedFrom(const uint8_t* rgba, bool alphaChannel)
{
    const uint32_t alpha = alphaChannel ? rgba[3] : 255;
    return (alpha << 24) | (uint32_t(rgba[0]) << 16) | (uint32_t(rgba[1]) << 8) | rgba[2];
}

void compareWithImageMagick(const DecodedCase& c, const std::string& path, const Decoded& d)
{
    std::vector<uint8_t> rgba;
    ASSERT_TRUE(imageMagickRgba(path, d.argb.size(), rgba)) << "ImageMagick could not decode " << c.file;
    const bool alphaChannel = bmp::hasAlphaChannel(d.dib.m_header);
    const int width = d.width();
    for (size_t i = 0; i < d.argb.size(); ++i) {
        const uint32_t want = expectedFrom(&rgba[4 * i], alphaChannel);
        const uint32_t got = d.argb[i];
        if (c.reference == Reference::kBadIndexBlack) {
            const uint32_t row = uint32_t(d.height() - 1 - int(i / width));
            const uint8_t index = d.dib.m_bits[row * d.dib.m_header.m_stride + i % width];
            if (index >= d.dib.m_header.m_colorCount) {
                ASSERT_EQ(got, 0xFF000000u) << "pixel " << i << " index " << int(index);
                continue;
            }
        }
        for (int ch = 0; ch < 4; ++ch) {
            const int a = channel(got, ch), b = channel(want, ch);
            bool same = a == b;
            if (c.reference == Reference::kImageMagickWithin)
                same = std::abs(a - b) <= c.parameter;
            if (c.reference == Reference::kImageMagickBits && ch < 3) {
                // Compare as many top bits as the file's field holds.
                const bmp::ColorMasks masks = bmp::colorMasks(d.dib.m_header);
                const uint32_t fields[3] = {masks.m_red, masks.m_green, masks.m_blue};
                int bits = 0;
                for (uint32_t m = fields[ch]; m; m &= m - 1)
                    ++bits;
                const int mask = (0xFF << (8 - (bits < 8 ? bits : 8))) & 0xFF;
                same = (a & mask) == (b & mask);
            }
            ASSERT_TRUE(same) << "pixel " << i << " (" << i % width << ", " << i / width << ") channel " << ch
                              << ": got " << a << ", ImageMagick " << b;
        }
    }
}

void compareWithOther(const DecodedCase& c, const Decoded& d)
{
    const std::string otherPath = findBmp(c.other);
    if (otherPath.empty())
        return;
    const Decoded other = decode(readBytes(otherPath));
    ASSERT_TRUE(other.ok);
    ASSERT_EQ(other.width(), d.width());
    ASSERT_EQ(other.height(), d.height());
    if (c.reference == Reference::kSameAs) {
        EXPECT_EQ(d.argb, other.argb);
        return;
    }
    // Truncated: bottom rows as in the whole file, then index 0 once the file ended.
    const std::vector<uint8_t> bytes = readBytes(findBmp(c.file));
    const size_t offset = d.dib.m_header.m_fileHeader.m_pixelOffset;
    const size_t stride = d.dib.m_header.m_stride;
    const size_t fullRows = (bytes.size() - offset) / stride;
    ASSERT_GT(fullRows, 0u);
    ASSERT_LT(fullRows, size_t(d.height()));
    const uint32_t index0 = 0xFF000000u | (d.dib.m_header.m_colorTable[0] & 0xFFFFFF);
    const size_t w = size_t(d.width());
    for (size_t y = 0; y < size_t(d.height()); ++y) {
        const size_t storedRow = size_t(d.height()) - 1 - y;
        for (size_t x = 0; x < w; ++x) {
            if (storedRow < fullRows) {
                ASSERT_EQ(d.argb[y * w + x], other.argb[y * w + x]) << x << ", " << y;
            } else if (storedRow > fullRows) {
                ASSERT_EQ(d.argb[y * w + x], index0) << x << ", " << y;
            }
        }
    }
}

}  // namespace

TEST(BmpCorpus, EveryFileOfTheCorpusIsInATable)
{
    const std::string dir = corpusDir() + "/bmp";
    std::error_code error;
    if (corpusDir().empty() || !std::filesystem::is_directory(dir, error))
        GTEST_SKIP() << "corpus not found at " << dir;
    std::set<std::string> listed;
    for (const DecodedCase& c : kDecoded)
        listed.insert(c.file);
    for (const RefusedCase& c : kRefused)
        listed.insert(c.file);
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        EXPECT_TRUE(listed.count(entry.path().filename().string())) << entry.path().filename();
}

TEST(BmpCorpus, DecodesLikeTheReference)
{
    int found = 0;
    const bool magick = imageMagickPresent();
    for (const DecodedCase& c : kDecoded) {
        SCOPED_TRACE(c.file);
        const std::string path = findBmp(c.file);
        if (path.empty())
            continue;
        ++found;
        const Decoded d = decode(readBytes(path));
        ASSERT_TRUE(d.ok) << "fault " << int(d.fault);
        EXPECT_EQ(d.fault, c.fault);
        EXPECT_EQ(hashRgba(d.argb), c.hash) << std::hex << "0x" << hashRgba(d.argb);
        // The alpha rule: only a 32-bit DIB without bit fields carries alpha.
        if (!bmp::hasAlphaChannel(d.dib.m_header)) {
            EXPECT_FALSE(d.hasAlpha);
            for (uint32_t p : d.argb)
                ASSERT_EQ(p >> 24, 255u);
        }
        if (c.reference == Reference::kSameAs || c.reference == Reference::kTruncatedOf) {
            compareWithOther(c, d);
        } else if (magick) {
            compareWithImageMagick(c, path, d);
        }
    }
    if (found == 0)
        GTEST_SKIP() << "no corpus files found";
}

TEST(BmpCorpus, RefusesWhatItDoesNotRead)
{
    int found = 0;
    for (const RefusedCase& c : kRefused) {
        SCOPED_TRACE(c.file);
        const std::string path = findBmp(c.file);
        if (path.empty())
            continue;
        ++found;
        const Decoded d = decode(readBytes(path));
        EXPECT_FALSE(d.ok);
        EXPECT_EQ(d.fault, c.fault) << "fault " << int(d.fault);
    }
    if (found == 0)
        GTEST_SKIP() << "no corpus files found";
}

// --- Hand-made files: reading -------------------------------------------------

TEST(BmpRead, TopDownAndBottomUpGiveTheSamePicture)
{
    const Fixture bottomUp = tiny24();
    Fixture topDown = bottomUp;
    topDown.height = -2;
    // The same rows in the other order.
    std::copy(bottomUp.pixels.begin() + 8, bottomUp.pixels.end(), topDown.pixels.begin());
    std::copy(bottomUp.pixels.begin(), bottomUp.pixels.begin() + 8, topDown.pixels.begin() + 8);
    for (const Fixture& f : {bottomUp, topDown}) {
        SCOPED_TRACE(f.height);
        const Decoded d = decode(f.bytes());
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.fault, Fault::kNone);
        EXPECT_EQ(d.height(), 2);  // kept positive: the store is always bottom-up
        EXPECT_EQ(d.argb, kTiny24Argb);
    }
}

TEST(BmpRead, HeadersAreKeptAsTheDibSectionNeedsThem)
{
    struct Case {
        const char* name;
        Fixture fixture;
        uint32_t compression;  // after reading
        uint32_t colorCount;
        uint32_t colorsUsed;
        std::vector<uint32_t> tableStart;
        std::vector<uint32_t> argb;
    };
    Fixture v5 = tiny24();
    v5.headerSize = 124;
    v5.bitCount = 16;
    v5.compression = bmp::kBiBitfields;
    v5.masks = {0xF800, 0x07E0, 0x001F, 0x0000};
    v5.pixels = {0x1F, 0x00, 0xFF, 0xFF, 0x00, 0xF8, 0xE0, 0x07};  // blue, white / red, green (5-6-5)
    Fixture v40 = v5;
    v40.headerSize = 40;
    v40.masks.resize(3);
    Fixture v3 = v5;
    v3.headerSize = 56;
    Fixture oversized = small8();
    oversized.colorsUsed = 300;
    oversized.palette.resize(300, 0x123456);
    Fixture core;
    core.headerSize = 12;
    core.width = 2;
    core.height = 1;
    core.bitCount = 1;
    core.palette = {0xFF0000, 0x0000FF};  // three bytes each
    core.pixels = {0x40, 0, 0, 0};        // index 0, then 1
    Fixture rle8 = rle(8, 2, 1, {0x02, 0x01, 0x00, 0x01});
    const uint32_t grey = 0xFF101010;
    const Case cases[] = {
        {"v5 bit fields", v5, bmp::kBiBitfields, 3, 0, {0xF800, 0x07E0, 0x001F}, kTiny24Argb},
        {"40-byte bit fields", v40, bmp::kBiBitfields, 3, 0, {0xF800, 0x07E0, 0x001F}, kTiny24Argb},
        {"v3 bit fields", v3, bmp::kBiBitfields, 3, 0, {0xF800, 0x07E0, 0x001F}, kTiny24Argb},
        {"300 colours", oversized, bmp::kBiRgb, 256, 256, {0x000000, 0xFF0000}, {}},
        {"OS/2 core", core, bmp::kBiRgb, 2, 0, {0xFF0000, 0x0000FF}, {0xFFFF0000, 0xFF0000FF}},
        {"RLE8", rle8, bmp::kBiRgb, 16, 16, {0x000000, 0x101010}, {grey, grey}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d = decode(c.fixture.bytes());
        ASSERT_TRUE(d.ok) << int(d.fault);
        const bmp::DibHeader& h = d.dib.m_header;
        EXPECT_EQ(h.m_infoHeader.m_headerSize, bmp::kInfoHeaderSize);
        EXPECT_EQ(h.m_infoHeader.m_compression, c.compression);
        EXPECT_EQ(h.m_colorCount, c.colorCount);
        EXPECT_EQ(h.m_colorTableBytes, c.colorCount * 4);
        EXPECT_EQ(h.m_infoHeader.m_colorsUsed, c.colorsUsed);
        EXPECT_EQ(h.m_stride, bmp::strideFor(uint32_t(d.width()), h.m_infoHeader.m_bitCount));
        for (size_t i = 0; i < c.tableStart.size(); ++i)
            EXPECT_EQ(h.m_colorTable[i], c.tableStart[i]) << i;
        for (uint32_t i = h.m_colorCount; i < bmp::kColorTableEntries; ++i) {
            ASSERT_EQ(h.m_colorTable[i], 0u) << i;
        }
        if (!c.argb.empty()) {
            EXPECT_EQ(d.argb, c.argb);
        }
    }
}

TEST(BmpRead, BitFieldsWidenToTheFullRange)
{
    // Fields of 2, 5 and 9 bits: narrow ones repeat their bits, wide ones keep the top 8.
    Fixture f;
    f.width = 3;
    f.height = 1;
    f.bitCount = 16;
    f.compression = bmp::kBiBitfields;
    f.masks = {0xC000, 0x3E00, 0x01FF};
    f.pixels = {0xFF, 0xFF, 0x01, 0x42, 0x00, 0xA1, 0, 0};
    const Decoded d = decode(f.bytes());
    ASSERT_TRUE(d.ok);
    const std::vector<uint32_t> want = {
        0xFFFFFFFF,  // all ones
        0xFF550800,  // 1 of 2 bits, 1 of 5 bits (00001 -> 00001000), 1 of 9 bits
        0xFFAA8480,  // 2 of 2 bits, 16 of 5 bits (10000 -> 10000100), 256 of 9 bits
    };
    EXPECT_EQ(d.argb, want);
}

TEST(BmpRead, AlphaIsKeptOnlyWhenTheFileHasSome)
{
    struct Case {
        const char* name;
        Fixture fixture;
        int32_t colorKey;
        uint8_t alpha0, alpha1;
        bool hasAlpha;
    };
    const int32_t key = 0x102030;
    const Case cases[] = {
        {"all alpha 0: written without alpha, opaque", alpha32(bmp::kBiRgb, 0, 0), -1, 255, 255, false},
        {"some alpha: kept", alpha32(bmp::kBiRgb, 0, 128), -1, 0, 128, true},
        {"all alpha 255: kept, nothing transparent", alpha32(bmp::kBiRgb, 255, 255), -1, 255, 255, false},
        {"bit fields have no alpha channel", alpha32(bmp::kBiBitfields, 0, 128), -1, 255, 255, false},
        {"no alpha: the colour key decides", alpha32(bmp::kBiRgb, 0, 0), key, 0, 255, true},
        {"kept alpha wins over the key", alpha32(bmp::kBiRgb, 7, 128), key, 7, 128, true},
        {"key matching nothing", tiny24(), 0x010203, 255, 255, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d = decode(c.fixture.bytes(), c.colorKey);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.argb[0] >> 24, c.alpha0);
        EXPECT_EQ(d.argb[1] >> 24, c.alpha1);
        EXPECT_EQ(d.hasAlpha, c.hasAlpha);
    }
    const Decoded keyed = decode(alpha32(bmp::kBiRgb, 0, 0).bytes(), key);
    EXPECT_EQ(keyed.argb[0], 0x00102030u);  // the colour stays, only alpha changes
    EXPECT_EQ(keyed.argb[1], 0xFF405060u);
}

TEST(BmpRead, IndexesBeyondTheTableReadAsBlack)
{
    Fixture f = small8();
    f.colorsUsed = 2;  // table: black, red; pixels use indexes up to 4
    f.palette.resize(2);
    const Decoded d = decode(f.bytes());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.argb[0], 0xFF000000u);  // index 4
    EXPECT_EQ(d.argb[3], 0xFFFF0000u);  // index 1
    EXPECT_EQ(d.argb[4], 0xFF000000u);  // index 2
}

TEST(BmpRead, RunLengthDataExpandsIntoRows)
{
    struct Case {
        const char* name;
        Fixture fixture;
        Fault fault;
        std::vector<uint8_t> bits;  // bottom row first, stride bytes per row
    };
    const Case cases[] = {
        {"RLE8: run, end of line, literals with pad, delta, end",
         rle(8, 4, 3,
             {0x04, 0x01, 0x00, 0x00, 0x00, 0x03, 0x02, 0x03, 0x02, 0x00, 0x00, 0x02, 0x00, 0x01, 0x01, 0x04, 0x00,
              0x01}),
         Fault::kNone,
         {1, 1, 1, 1, 2, 3, 2, 0, 0, 0, 0, 4}},
        {"RLE4: runs alternate nibbles, literals of 3",
         rle(4, 5, 2, {0x05, 0x12, 0x00, 0x00, 0x00, 0x03, 0x34, 0x50, 0x02, 0x67, 0x00, 0x01}), Fault::kNone,
         {0x12, 0x12, 0x10, 0x00, 0x34, 0x56, 0x70, 0x00}},
        {"RLE4: literal group of three bytes is padded",
         rle(4, 5, 1, {0x00, 0x05, 0xAB, 0xCD, 0xE0, 0x00, 0x00, 0x01}), Fault::kNone, {0xAB, 0xCD, 0xE0, 0x00}},
        {"ends after the last row without the end code", rle(8, 2, 1, {0x02, 0x07, 0x00, 0x00}), Fault::kNone,
         {7, 7, 0, 0}},
        {"ends inside the picture: the rest is index 0", rle(8, 2, 2, {0x02, 0x07}), Fault::kTruncatedPixels,
         {7, 7, 0, 0, 0, 0, 0, 0}},
        {"ends inside a literal group", rle(8, 4, 1, {0x00, 0x04, 0x05, 0x06}), Fault::kTruncatedPixels,
         {5, 6, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d = decode(c.fixture.bytes());
        ASSERT_TRUE(d.ok) << int(d.fault);
        EXPECT_EQ(d.fault, c.fault);
        ASSERT_EQ(d.dib.m_bitsSize, c.bits.size());
        EXPECT_EQ(std::vector<uint8_t>(d.dib.m_bits.get(), d.dib.m_bits.get() + d.dib.m_bitsSize), c.bits);
    }
}

// Each row is a valid file with one thing broken; each must fail for its own
// reason, without reading outside the file (AddressSanitizer watches).
TEST(BmpRead, MalformedFilesFailCleanly)
{
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        Fault fault;
    };
    using F = Fixture&;
    const Case cases[] = {
        {"empty file", {}, Fault::kTruncatedHeader},
        {"file header only", cut(tiny24(), 14), Fault::kTruncatedHeader},
        {"cut inside the info header", cut(tiny24(), 30), Fault::kTruncatedHeader},
        {"masks cut off", cut(with(alpha32(bmp::kBiBitfields, 0, 0), [](F f) { f.pixels.clear(); }), 60),
         Fault::kTruncatedHeader},
        {"\"BA\", an OS/2 bitmap array", poke(tiny24().bytes(), 1, 'A'), Fault::kBadSignature},
        {"header size 66", with(tiny24(), [](F f) { f.headerSize = 66; }).bytes(), Fault::kBadHeaderSize},
        {"header size 0", with(tiny24(), [](F f) { f.headerSize = 0; }).bytes(), Fault::kBadHeaderSize},
        {"planes 0", with(tiny24(), [](F f) { f.planes = 0; }).bytes(), Fault::kBadPlanes},
        {"JPEG inside", with(tiny24(), [](F f) { f.compression = 4; }).bytes(), Fault::kUnsupportedCompression},
        {"PNG inside", with(tiny24(), [](F f) { f.compression = 5; }).bytes(), Fault::kUnsupportedCompression},
        {"alpha bit fields", with(alpha32(6, 0, 0), [](F f) { f.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000}; }).bytes(),
         Fault::kUnsupportedCompression},
        {"OS/2 Huffman", with(small8(), [](F f) { f.headerSize = 64, f.compression = bmp::kBiBitfields; }).bytes(),
         Fault::kUnsupportedCompression},
        {"RLE4 on 8 bits", with(small8(), [](F f) { f.compression = bmp::kBiRle4; }).bytes(), Fault::kCompressionMismatch},
        {"RLE8 on 24 bits", with(tiny24(), [](F f) { f.compression = bmp::kBiRle8; }).bytes(), Fault::kCompressionMismatch},
        {"bit fields on 8 bits",
         with(small8(), [](F f) { f.compression = bmp::kBiBitfields, f.masks = {0xE0, 0x1C, 0x03}; }).bytes(),
         Fault::kCompressionMismatch},
        {"2 bits", with(small8(), [](F f) { f.bitCount = 2; }).bytes(), Fault::kBadBitCount},
        {"0 bits", with(tiny24(), [](F f) { f.bitCount = 0; }).bytes(), Fault::kBadBitCount},
        {"64 bits", with(tiny24(), [](F f) { f.bitCount = 64; }).bytes(), Fault::kBadBitCount},
        {"32 bits in an OS/2 core header", with(tiny24(), [](F f) { f.headerSize = 12, f.bitCount = 32; }).bytes(),
         Fault::kBadBitCount},
        {"width 0", with(tiny24(), [](F f) { f.width = 0; }).bytes(), Fault::kBadWidth},
        {"negative width", with(tiny24(), [](F f) { f.width = -2; }).bytes(), Fault::kBadWidth},
        {"height 0", with(tiny24(), [](F f) { f.height = 0; }).bytes(), Fault::kBadHeight},
        {"height -2^31", with(tiny24(), [](F f) { f.height = INT32_MIN; }).bytes(), Fault::kBadHeight},
        {"65536 x 65536", with(tiny24(), [](F f) { f.width = 65536, f.height = 65536; }).bytes(), Fault::kTooLarge},
        {"one pixel over the cap", with(tiny24(), [](F f) { f.width = 1, f.height = (1 << 28) + 1; }).bytes(),
         Fault::kTooLarge},
        {"2^31 x 2^31 top-down", with(tiny24(), [](F f) { f.width = INT32_MAX, f.height = -INT32_MAX; }).bytes(),
         Fault::kTooLarge},
        {"top-down RLE", rle(8, 2, -1, {0x02, 0x01, 0x00, 0x01}).bytes(), Fault::kTopDownCompressed},
        {"overlapping masks",
         with(alpha32(bmp::kBiBitfields, 0, 0), [](F f) { f.masks = {0xFF0000, 0x01FF00, 0xFF}; }).bytes(),
         Fault::kBadMasks},
        {"mask with a gap", with(alpha32(bmp::kBiBitfields, 0, 0), [](F f) { f.masks = {0xF0F000, 0xFF, 0}; }).bytes(),
         Fault::kBadMasks},
        {"no masks", with(alpha32(bmp::kBiBitfields, 0, 0), [](F f) { f.masks = {0, 0, 0}; }).bytes(), Fault::kBadMasks},
        {"16-bit mask above 16 bits",
         with(alpha32(bmp::kBiBitfields, 0, 0), [](F f) { f.bitCount = 16, f.masks = {0x7C00, 0x3E0, 0x1F0000}; }).bytes(),
         Fault::kBadMasks},
        {"colour count 2^32 - 1", with(small8(), [](F f) { f.colorsUsed = 0xFFFFFFFF; }).bytes(),
         Fault::kColorTableOutOfFile},
        {"colour count whose size wraps to 8", with(small8(), [](F f) { f.colorsUsed = 0x40000002; }).bytes(),
         Fault::kColorTableOutOfFile},
        {"colour table past the end", with(small8(), [](F f) { f.colorsUsed = 100; }).bytes(),
         Fault::kColorTableOutOfFile},
        {"pixel offset past the end", with(tiny24(), [](F f) { f.pixelOffset = 1000; }).bytes(),
         Fault::kPixelOffsetOutOfRange},
        {"pixel offset 2^32 - 1", with(tiny24(), [](F f) { f.pixelOffset = 0xFFFFFFFF; }).bytes(),
         Fault::kPixelOffsetOutOfRange},
        {"pixel offset inside the headers", with(tiny24(), [](F f) { f.pixelOffset = 20; }).bytes(),
         Fault::kPixelOffsetOutOfRange},
        {"pixel offset at the end", with(tiny24(), [](F f) { f.pixelOffset = 70; }).bytes(), Fault::kNoPixelData},
        {"RLE run past the row", rle(8, 2, 2, {0x03, 0x07}).bytes(), Fault::kRleRunPastRow},
        {"RLE literals past the row", rle(8, 2, 2, {0x00, 0x03, 0x01, 0x02, 0x03, 0x00}).bytes(), Fault::kRleRunPastRow},
        {"RLE4 run past the row", rle(4, 3, 1, {0x04, 0x11}).bytes(), Fault::kRleRunPastRow},
        {"RLE delta past the right edge", rle(8, 2, 2, {0x00, 0x02, 0x03, 0x00}).bytes(), Fault::kRleRunPastRow},
        {"RLE delta past the top", rle(8, 2, 2, {0x00, 0x02, 0x00, 0x03}).bytes(), Fault::kRleRunPastPicture},
        {"RLE run above the last row", rle(8, 2, 1, {0x02, 0x07, 0x00, 0x00, 0x01, 0x07}).bytes(),
         Fault::kRleRunPastPicture},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d = decode(c.bytes);
        EXPECT_FALSE(d.ok);
        EXPECT_EQ(d.fault, c.fault) << "fault " << int(d.fault);
    }
}

TEST(BmpRead, PictureAtTheCapPassesTheHeaderChecks)
{
    // 2^28 pixels exactly: checked, not allocated here.
    Fixture f = tiny24();
    f.width = 1 << 14;
    f.height = 1 << 14;
    f.bitCount = 1;
    f.colorsUsed = 2;
    f.palette = {0, 0xFFFFFF};
    const std::vector<uint8_t> bytes = f.bytes();
    bmp::DibHeader header;
    bmp::PixelSource source;
    Fault fault;
    ASSERT_TRUE(bmp::parseHeaders(bytes.data(), bytes.size(), header, source, fault)) << int(fault);
    EXPECT_EQ(bmp::bitsSize(header), size_t(2048) * 16384);
}

// Every prefix of a valid file either fails as a short file or gives the rows
// it holds, with zeros where the file ended: never memory it did not write.
TEST(BmpRead, EveryPrefixOfAFileIsSafe)
{
    Fixture v5 = alpha32(bmp::kBiBitfields, 1, 2);
    v5.headerSize = 124;
    v5.masks.push_back(0xFF000000);
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
        {"24 bits", tiny24().bytes()},
        {"8 bits", small8().bytes()},
        {"v5 bit fields", v5.bytes()},
        {"RLE8", rle(8, 4, 3, {0x04, 0x01, 0x00, 0x00, 0x00, 0x03, 0x02, 0x03, 0x02, 0x00, 0x00, 0x01}).bytes()},
        {"RLE4", rle(4, 5, 2, {0x05, 0x12, 0x00, 0x00, 0x00, 0x03, 0x34, 0x50, 0x00, 0x01}).bytes()},
    };
    for (const char* name : {"V4_R5_G6_B5.bmp", "V5_A1_R5_G5_B5.bmp", "Info_A8_R8_G8_B8_Top_Down.bmp"}) {
        const std::string path = findBmp(name);
        if (!path.empty())
            files.push_back({name, readBytes(path)});
    }
    const std::set<Fault> shortFile = {Fault::kTruncatedHeader, Fault::kColorTableOutOfFile,
                                       Fault::kPixelOffsetOutOfRange, Fault::kNoPixelData};
    for (const auto& file : files) {
        SCOPED_TRACE(file.first);
        const Decoded whole = decode(file.second);
        ASSERT_TRUE(whole.ok);
        ASSERT_EQ(whole.fault, Fault::kNone);
        const bmp::DibHeader& h = whole.dib.m_header;
        s::io::ByteReader fields(file.second.data(), file.second.size());
        fields.seek(bmp::kFileHeaderSize + 8);
        const int32_t height = fields.s32le();
        fields.skip(4);
        const uint32_t compression = fields.u32le();
        const bool plainBottomUp = height > 0 && (compression == bmp::kBiRgb || compression == bmp::kBiBitfields);
        for (size_t size = 0; size < file.second.size(); ++size) {
            SCOPED_TRACE(size);
            const std::vector<uint8_t> prefix(file.second.begin(), file.second.begin() + size);
            const Decoded d = decode(prefix);
            if (!d.ok) {
                ASSERT_TRUE(shortFile.count(d.fault)) << int(d.fault);
                continue;
            }
            ASSERT_TRUE(d.fault == Fault::kTruncatedPixels || d.fault == Fault::kNone);
            ASSERT_EQ(d.dib.m_bitsSize, whole.dib.m_bitsSize);
            if (!plainBottomUp)
                continue;
            // Uncompressed bottom-up: the bytes the prefix holds, then zeros.
            const size_t have = size - h.m_fileHeader.m_pixelOffset;
            for (size_t i = 0; i < d.dib.m_bitsSize; ++i)
                ASSERT_EQ(d.dib.m_bits[i], i < have ? whole.dib.m_bits[i] : 0) << i;
        }
    }
}

// The codec reads into a pixel store the platform made, not into zeroed
// memory: whatever the file does not fill must still come out zero.
TEST(BmpRead, PixelsTheFileDoesNotHoldAreZeroInAnyStore)
{
    std::vector<uint8_t> truncated = small8().bytes();
    truncated.resize(truncated.size() - 3);  // the top row keeps only its first pixel
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> files = {
        {"truncated rows", truncated},
        {"RLE skipping pixels", rle(8, 4, 3, {0x00, 0x02, 0x01, 0x01, 0x01, 0x05, 0x00, 0x01}).bytes()},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.first);
        bmp::DibHeader header;
        bmp::PixelSource source;
        Fault fault;
        ASSERT_TRUE(bmp::parseHeaders(file.second.data(), file.second.size(), header, source, fault));
        std::vector<uint8_t> store(bmp::bitsSize(header), 0xCD);
        ASSERT_TRUE(bmp::readPixels(file.second.data(), file.second.size(), header, source, store.data(),
                                    store.size(), fault));
        size_t nonZero = 0;
        for (uint8_t b : store) {
            ASSERT_NE(b, 0xCD);
            nonZero += b != 0;
        }
        EXPECT_EQ(nonZero, file.first[0] == 't' ? 4u : 1u);  // indexes 1 2 3 4, or the one run pixel
    }
}

TEST(BmpRead, BodyWithoutFileHeader)
{
    const std::vector<uint8_t> file = small8().bytes();
    const std::vector<uint8_t> body(file.begin() + bmp::kFileHeaderSize, file.end());
    bmp::Dib dib;
    Fault fault;
    ASSERT_TRUE(bmp::parseBody(body.data(), body.size(), dib, fault)) << int(fault);
    const Decoded whole = decode(file);
    ASSERT_EQ(dib.m_bitsSize, whole.dib.m_bitsSize);
    EXPECT_EQ(std::memcmp(dib.m_bits.get(), whole.dib.m_bits.get(), dib.m_bitsSize), 0);
    // The file header is made up as for a new bitmap.
    EXPECT_EQ(dib.m_header.m_fileHeader.m_pixelOffset, 54u + 5 * 4);
    EXPECT_EQ(dib.m_header.m_fileHeader.m_fileSize, 54u + 5 * 4 + 8);
    EXPECT_FALSE(bmp::parseBody(body.data(), 40 + 5 * 4, dib, fault));
    EXPECT_EQ(fault, Fault::kNoPixelData);
}

// --- Writing ----------------------------------------------------------------

TEST(BmpWrite, HeaderFieldsAreThoseOfTheEncoder)
{
    struct Case {
        uint32_t bitCount;
        uint32_t stride, fileSize, pixelOffset, imageSize, colorsUsed;
    };
    // A 3 × 2 picture; the image-size field counts bytes without row padding.
    const Case cases[] = {
        {1, 4, 70, 62, 1, 2},        {4, 4, 126, 118, 3, 16},  {8, 4, 1086, 1078, 6, 256},
        {16, 8, 70, 54, 12, 0},      {24, 12, 78, 54, 18, 0},  {32, 12, 78, 54, 24, 0},
    };
    const std::vector<uint32_t> picture = {0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bitCount);
        const Written w = writeBmp(picture, 3, 2, c.bitCount, {0x000000, 0xFFFFFF});
        ASSERT_TRUE(w.ok) << int(w.fault);
        ASSERT_EQ(w.file.size(), c.fileSize);
        s::io::ByteReader r(w.file.data(), w.file.size());
        EXPECT_EQ(r.u16le(), 0x4D42);
        EXPECT_EQ(r.u32le(), c.fileSize);
        EXPECT_EQ(r.u32le(), 0u);  // both reserved fields
        EXPECT_EQ(r.u32le(), c.pixelOffset);
        EXPECT_EQ(r.u32le(), 40u);
        EXPECT_EQ(r.s32le(), 3);
        EXPECT_EQ(r.s32le(), 2);  // positive: bottom-up
        EXPECT_EQ(r.u16le(), 1);
        EXPECT_EQ(r.u16le(), c.bitCount);
        EXPECT_EQ(r.u32le(), 0u);  // BI_RGB, also for 16 bits
        EXPECT_EQ(r.u32le(), c.imageSize);
        EXPECT_EQ(r.u32le(), 0u);
        EXPECT_EQ(r.u32le(), 0u);
        EXPECT_EQ(r.u32le(), c.colorsUsed);
        EXPECT_EQ(r.u32le(), c.colorsUsed);
        // The whole table is written; colours the palette did not fill are 0.
        for (uint32_t i = 0; i < c.colorsUsed; ++i)
            ASSERT_EQ(r.u32le(), i == 1 ? 0x00FFFFFFu : 0u) << i;
        // Every row ends in zero bytes up to the multiple of 4.
        const size_t used = (3 * c.bitCount + 7) / 8;
        for (size_t row = 0; row < 2; ++row)
            for (size_t i = used; i < c.stride; ++i)
                ASSERT_EQ(w.file[c.pixelOffset + row * c.stride + i], 0) << row << ", " << i;
        EXPECT_TRUE(r.ok());
    }
}

TEST(BmpWrite, RefusesWhatCannotBeWritten)
{
    struct Case {
        const char* name;
        int32_t width, height;
        uint32_t bitCount;
        Fault fault;
    };
    const Case cases[] = {
        {"0 x 0", 0, 0, 24, Fault::kEmptyPicture},
        {"width 0", 0, 5, 32, Fault::kEmptyPicture},
        {"height 0", 5, 0, 8, Fault::kEmptyPicture},
        {"negative width", -1, 2, 24, Fault::kBadArgument},
        {"2 bits", 2, 2, 2, Fault::kBadBitCount},
        {"64 bits", 2, 2, 64, Fault::kBadBitCount},
        {"over the pixel cap", 16385, 16384, 8, Fault::kTooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint32_t> picture(64, 0xFF808080);  // never read past: no row is stored
        const Written w = writeBmp(picture, c.width, c.height, c.bitCount, {0x808080});
        EXPECT_FALSE(w.ok);
        EXPECT_EQ(w.fault, c.fault);
        EXPECT_TRUE(w.file.empty());  // no bytes at all, so no output file
    }
    // Indexed depths need the palette that the quantizer chose.
    bmp::DibHeader header;
    Fault fault;
    ASSERT_TRUE(bmp::createHeader(2, 2, 4, header, fault));
    const uint32_t pixels[4] = {};
    uint8_t bits[8];
    EXPECT_FALSE(bmp::fromArgb(pixels, 2, nullptr, header, bits, sizeof bits, fault));
    EXPECT_EQ(fault, Fault::kBadArgument);
}

TEST(BmpWrite, RoundTripsAtEveryDepth)
{
    // 5 × 3: odd width, so every depth has row padding.
    const std::vector<uint32_t> picture = {
        0xFF000000, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF,  //
        0x80123456, 0x00FEDCBA, 0xFF808080, 0xC0010203, 0xFFFFFF00,  //
        0xFF00FFFF, 0xFFFF00FF, 0xFF7F7F7F, 0x01404040, 0xFFC0C0C0,
    };
    std::vector<uint32_t> colors;
    for (uint32_t p : picture)
        if (std::find(colors.begin(), colors.end(), p & 0xFFFFFF) == colors.end())
            colors.push_back(p & 0xFFFFFF);
    ASSERT_EQ(colors.size(), 15u);
    const std::vector<uint32_t> twoColors = {0x000000, 0xFFFFFF};

    const bool magick = imageMagickPresent();
    TestFolder folder;
    for (uint32_t bitCount : {1u, 4u, 8u, 16u, 24u, 32u}) {
        SCOPED_TRACE(bitCount);
        // One bit: the two colours a quantizer would keep; pixels map to the nearer.
        std::vector<uint32_t> source = picture;
        if (bitCount == 1)
            for (uint32_t& p : source)
                p = (((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255)) >= 384 ? 0xFFFFFFFF : 0xFF000000;
        const Written w = writeBmp(source, 5, 3, bitCount, bitCount == 1 ? twoColors : colors);
        ASSERT_TRUE(w.ok) << int(w.fault);
        std::vector<uint32_t> want = source;
        for (uint32_t& p : want) {
            if (bitCount == 16) {
                // 5-5-5 keeps the top five bits, read back widened.
                uint32_t q = 0;
                for (int shift : {16, 8, 0}) {
                    const uint32_t five = (p >> (shift + 3)) & 31;
                    q |= ((five << 3) | (five >> 2)) << shift;
                }
                p = q;
            }
            if (bitCount != 32)
                p |= 0xFF000000;
        }
        const Decoded d = decode(w.file);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.fault, Fault::kNone);
        EXPECT_EQ(d.dib.m_header.m_infoHeader.m_bitCount, bitCount);
        EXPECT_EQ(d.argb, want);
        EXPECT_EQ(d.hasAlpha, bitCount == 32);

        // An independent reader sees the same picture.
        if (!magick)
            continue;
        const std::string name = "depth" + std::to_string(bitCount) + ".bmp";
        const std::filesystem::path path = folder.write(std::u16string(name.begin(), name.end()),
                                                        std::string(w.file.begin(), w.file.end()));
        std::vector<uint8_t> rgba;
        ASSERT_TRUE(imageMagickRgba(path.string(), want.size(), rgba));
        for (size_t i = 0; i < want.size(); ++i)
            ASSERT_EQ(expectedFrom(&rgba[4 * i], bitCount == 32), want[i]) << "pixel " << i;
    }
}

TEST(BmpWrite, HeadersBodyAndFileAgree)
{
    const Written w = writeBmp(kTiny24Argb, 2, 2, 24);
    ASSERT_TRUE(w.ok);
    const Decoded d = decode(w.file);
    ASSERT_TRUE(d.ok);
    const bmp::DibHeader& h = d.dib.m_header;
    std::vector<uint8_t> body, headers, bodyHeaders;
    Fault fault;
    ASSERT_TRUE(bmp::encodeBody(h, d.dib.m_bits.get(), d.dib.m_bitsSize, body, fault));
    EXPECT_EQ(body, std::vector<uint8_t>(w.file.begin() + bmp::kFileHeaderSize, w.file.end()));
    // A writer that streams the rows from its own store sends these first.
    const bool withFileHeader = true;
    ASSERT_TRUE(bmp::encodeHeaders(h, withFileHeader, headers, fault));
    EXPECT_EQ(headers, std::vector<uint8_t>(w.file.begin(), w.file.begin() + 54));
    ASSERT_TRUE(bmp::encodeHeaders(h, !withFileHeader, bodyHeaders, fault));
    EXPECT_EQ(bodyHeaders, std::vector<uint8_t>(body.begin(), body.begin() + 40));
    // Rows that are not there are not made up.
    EXPECT_FALSE(bmp::encodeFile(h, d.dib.m_bits.get(), d.dib.m_bitsSize - 1, headers, fault));
    EXPECT_EQ(fault, Fault::kBadArgument);
    EXPECT_TRUE(headers.empty());
}

// A DIB read from a file with a long header is written with a 40-byte one;
// the size and offset fields follow what is written, not what was read.
TEST(BmpWrite, ReadDibIsWrittenAsAFortyByteFile)
{
    Fixture v5 = alpha32(bmp::kBiBitfields, 0, 0);
    v5.headerSize = 124;
    v5.masks.push_back(0xFF000000);
    const Decoded d = decode(v5.bytes());
    ASSERT_TRUE(d.ok);
    std::vector<uint8_t> file;
    Fault fault;
    ASSERT_TRUE(bmp::encodeFile(d.dib.m_header, d.dib.m_bits.get(), d.dib.m_bitsSize, file, fault));
    ASSERT_EQ(file.size(), 14u + 40 + 12 + 8);
    s::io::ByteReader r(file.data(), file.size());
    r.skip(2);
    EXPECT_EQ(r.u32le(), file.size());
    r.skip(4);
    EXPECT_EQ(r.u32le(), 14u + 40 + 12);
    const Decoded again = decode(file);
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.argb, d.argb);
}
