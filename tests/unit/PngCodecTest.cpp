#include <gtest/gtest.h>

#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

#include <png.h>
#include <zlib.h>

#include "CodecTestSupport.h"
#include "MemoryStreams.h"
#include "file/win/PathWin.h"
#include "image/ImageFiles.h"
#include "image/png/EncodeSetting.h"
#include "image/png/win/Png.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

using codec_test::makeImage;
using s::image::png::win::Png;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

namespace {

// --- Files made with the library itself -------------------------------------------

struct PngFile {
    uint32_t width = 1;
    uint32_t height = 1;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlace = false;
    int compression = -1;          // zlib level; -1 for the library's default
    std::vector<uint8_t> rows;     // packed rows as the file holds them, top first
    std::vector<png_color> palette;
    std::vector<uint8_t> paletteAlpha;  // tRNS of a palette file
    bool colorKey = false;              // tRNS of a grey or RGB file
    png_color_16 key{};
};

size_t rowBytes(const PngFile& f)
{
    const int channels[] = {1, 0, 3, 1, 2, 0, 4};
    return (size_t(f.width) * channels[f.colorType] * f.bitDepth + 7) / 8;
}

void append(png_structp png, png_bytep data, size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

std::string write(const PngFile& f)
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "test file not written";
        return {};
    }
    png_set_write_fn(png, &out, &append, nullptr);
    if (f.compression >= 0)
        png_set_compression_level(png, f.compression);
    png_set_IHDR(png, info, f.width, f.height, f.bitDepth, f.colorType,
                 f.interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!f.palette.empty())
        png_set_PLTE(png, info, f.palette.data(), int(f.palette.size()));
    if (!f.paletteAlpha.empty())
        png_set_tRNS(png, info, f.paletteAlpha.data(), int(f.paletteAlpha.size()), nullptr);
    if (f.colorKey)
        png_set_tRNS(png, info, nullptr, 0, &f.key);
    png_write_info(png, info);
    std::vector<png_bytep> rows(f.height);
    for (uint32_t y = 0; y < f.height; ++y)
        rows[y] = const_cast<png_bytep>(f.rows.data() + y * rowBytes(f));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

uint32_t be32(const std::string& b, size_t at)
{
    return uint32_t(uint8_t(b[at])) << 24 | uint32_t(uint8_t(b[at + 1])) << 16 | uint32_t(uint8_t(b[at + 2])) << 8 | uint8_t(b[at + 3]);
}

void putBe32(std::string& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char(v >> (24 - 8 * i));
}

// The file with other IHDR dimensions and a CRC that matches them.
std::string withSize(std::string file, uint32_t width, uint32_t height)
{
    putBe32(file, 16, width);
    putBe32(file, 20, height);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(file.data() + 12), 17);
    putBe32(file, 29, uint32_t(crc));
    return file;
}

// Chunk types in file order.
std::vector<std::string> chunkTypes(const std::string& file)
{
    std::vector<std::string> types;
    for (size_t at = 8; at + 12 <= file.size(); at += 12 + be32(file, at))
        types.push_back(file.substr(at + 4, 4));
    return types;
}

Pooled<Png> decoded(const std::string& bytes, bool* result = nullptr)
{
    Pooled<Png> png(Png::take());
    MemoryInputStream in(bytes);
    const bool ok = png->decode(in);
    if (result)
        *result = ok;
    EXPECT_EQ(0, in.closes());  // closing is the caller's, even after an error
    return png;
}

Pooled<BufferedImage> decodedImage(const std::string& bytes)
{
    return Pooled<BufferedImage>(decoded(bytes)->toImage(0, nullptr));
}

std::string encoded(Png& png)
{
    MemoryOutputStream out;
    EXPECT_TRUE(png.encode(out));
    return out.bytes();
}

std::vector<uint8_t> storageBytes(const Png& png)
{
    std::vector<uint8_t> all;
    for (int32_t y = 0; y < png.height(); ++y)
        all.insert(all.end(), png.row(y), png.row(y) + png.bytesPerRow());
    return all;
}

BufferedImage* noisyImage(int32_t w, int32_t h, bool alpha)
{
    return makeImage(w, h, [alpha](int32_t x, int32_t y) {
        const uint32_t v = uint32_t(x * 2654435761u ^ y * 40503u) * 2246822519u;
        return alpha ? v : (v | 0xFF000000u);
    });
}

// --- Corpus ---------------------------------------------------------------------

TEST(PngCorpus, DecodesLikeTheReferenceDecoder)
{
    if (!codec_test::hasCorpus())
        GTEST_SKIP() << "no corpus at " << PELLORY_CORPUS_DIR;
    const auto table = codec_test::readTable(codec_test::testData() / "png" / "corpus-expected.txt");
    ASSERT_GT(table.size(), 70u);
    for (const codec_test::Expected& e : table) {
        SCOPED_TRACE(e.path);
        const std::u16string file = codec_test::corpusFile(e.path);
        const char16_t* format = nullptr;
        const bool detected = s::image::detectFormat(file, &format);
        if (e.outcome == "undetected") {
            EXPECT_FALSE(detected);
            continue;
        }
        ASSERT_TRUE(detected);
        ASSERT_EQ(s::image::kFormatPng, format);
        Pooled<Png> png(Png::take());
        const bool ok = codec_test::decodeFile(*png, file);
        Pooled<BufferedImage> image(png->toImage(0, nullptr));
        if (e.outcome == "empty") {
            EXPECT_FALSE(ok);
            EXPECT_FALSE(image);
            continue;
        }
        EXPECT_EQ(e.outcome == "ok", ok);
        ASSERT_TRUE(image);
        EXPECT_EQ(e.width, image->width());
        EXPECT_EQ(e.height, image->height());
        if (e.hasAlpha != "-") {
            EXPECT_EQ(e.hasAlpha == "1", image->hasAlpha());
        }
        if (e.digest != "-") {
            EXPECT_EQ(e.digest, codec_test::hex16(codec_test::digest(*image)));
        }
    }
}

TEST(PngCorpus, CutAndDamagedFilesKeepTheRowsTheyHold)
{
    if (!codec_test::hasCorpus())
        GTEST_SKIP() << "no corpus at " << PELLORY_CORPUS_DIR;
    const struct {
        const char* damaged;
        const char* intact;
    } pairs[] = {
        {"odd/debug_triangle-truncated.png", "png/debug_triangle_corners_widescreen.png"},
        {"odd/xcsn0g01.png", "png/basn0g01.png"},
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair.damaged);
        Pooled<Png> damaged(Png::take());
        Pooled<Png> intact(Png::take());
        EXPECT_FALSE(codec_test::decodeFile(*damaged, codec_test::corpusFile(pair.damaged)));
        ASSERT_TRUE(codec_test::decodeFile(*intact, codec_test::corpusFile(pair.intact)));
        ASSERT_EQ(intact->width(), damaged->width());
        ASSERT_EQ(intact->height(), damaged->height());
        // The rows read are the intact file's; every later row is zero.
        int32_t y = 0;
        const size_t bytes = size_t(intact->width()) * 4;
        while (y < intact->height() && std::memcmp(intact->row(y), damaged->row(y), bytes) == 0)
            ++y;
        EXPECT_GT(y, 0);
        const std::vector<uint8_t> zero(bytes, 0);
        for (; y < intact->height(); ++y)
            ASSERT_EQ(0, std::memcmp(zero.data(), damaged->row(y), bytes)) << "row " << y;
    }
}

TEST(PngCorpus, PngNamedJpgIsLoadedAsPng)
{
    if (!codec_test::hasCorpus())
        GTEST_SKIP() << "no corpus at " << PELLORY_CORPUS_DIR;
    Pooled<s::file::win::PathWin> path(s::file::win::PathWin::fromText(codec_test::corpusFile("odd/jpg-size-6x6-is-png.jpg")));
    Pooled<s::image::IEncodedImage> codec(s::image::loadImageFile(*path));
    ASSERT_TRUE(codec);
    EXPECT_EQ(std::u16string(u"s_image_png_win_Png"), codec->className());
    EXPECT_EQ(6, codec->width());
}

// --- Decoding: every colour type becomes 8-bit RGBA -----------------------------------

TEST(PngDecode, PaletteWithTransparencyGivesThePaletteAlphas)
{
    PngFile f;
    f.width = 4;
    f.colorType = PNG_COLOR_TYPE_PALETTE;
    f.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    f.paletteAlpha = {0, 128, 255};  // the fourth entry has none: opaque
    f.rows = {0, 1, 2, 3};
    Pooled<BufferedImage> image = decodedImage(write(f));
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->hasAlpha());
    const uint32_t expected[] = {0x00FF0000u, 0x8000FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(expected[x], image->row(0)[x]) << x;
}

TEST(PngDecode, PackedPalettesAndGreysAreExpanded)
{
    const struct Case {
        const char* name;
        int colorType;
        int bitDepth;
        std::vector<uint8_t> row;  // eight pixels
        std::vector<uint32_t> expected;
    } cases[] = {
        {"1-bit grey: black and white", PNG_COLOR_TYPE_GRAY, 1, {0xA5}, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
        {"2-bit grey: steps of 85", PNG_COLOR_TYPE_GRAY, 2, {0x1B, 0xE4}, {0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFAAAAAA, 0xFF555555, 0xFF000000}},
        {"4-bit grey: steps of 17", PNG_COLOR_TYPE_GRAY, 4, {0x01, 0x23, 0xEF, 0x80}, {0xFF000000, 0xFF111111, 0xFF222222, 0xFF333333, 0xFFEEEEEE, 0xFFFFFFFF, 0xFF888888, 0xFF000000}},
        {"2-bit palette", PNG_COLOR_TYPE_PALETTE, 2, {0x1B, 0x00}, {0xFF0A0B0C, 0xFF141516, 0xFF1E1F20, 0xFF28292A, 0xFF0A0B0C, 0xFF0A0B0C, 0xFF0A0B0C, 0xFF0A0B0C}},
        {"4-bit palette", PNG_COLOR_TYPE_PALETTE, 4, {0x32, 0x10, 0x00, 0x01}, {0xFF28292A, 0xFF1E1F20, 0xFF141516, 0xFF0A0B0C, 0xFF0A0B0C, 0xFF0A0B0C, 0xFF0A0B0C, 0xFF141516}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PngFile f;
        f.width = 8;
        f.colorType = c.colorType;
        f.bitDepth = c.bitDepth;
        f.rows = c.row;
        if (c.colorType == PNG_COLOR_TYPE_PALETTE)
            f.palette = {{10, 11, 12}, {20, 21, 22}, {30, 31, 32}, {40, 41, 42}};
        Pooled<BufferedImage> image = decodedImage(write(f));
        ASSERT_TRUE(image);
        EXPECT_FALSE(image->hasAlpha());
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(c.expected[x], image->row(0)[x]) << x;
    }
}

TEST(PngDecode, GreyWithAlphaKeepsGreyAndAlpha)
{
    PngFile f;
    f.width = 2;
    f.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    f.rows = {100, 50, 7, 255};
    Pooled<BufferedImage> image = decodedImage(write(f));
    ASSERT_TRUE(image);
    EXPECT_EQ(0x32646464u, image->row(0)[0]);
    EXPECT_EQ(0xFF070707u, image->row(0)[1]);
    EXPECT_TRUE(image->hasAlpha());
}

TEST(PngDecode, SixteenBitSamplesKeepTheirHighBytes)
{
    PngFile rgb;
    rgb.width = 1;
    rgb.bitDepth = 16;
    rgb.rows = {0x12, 0xAB, 0x34, 0xFF, 0x56, 0x01};
    EXPECT_EQ(0xFF123456u, decodedImage(write(rgb))->row(0)[0]);
    PngFile greyAlpha;
    greyAlpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    greyAlpha.bitDepth = 16;
    greyAlpha.rows = {0x80, 0xFF, 0x7F, 0xFF};
    EXPECT_EQ(0x7F808080u, decodedImage(write(greyAlpha))->row(0)[0]);
}

TEST(PngDecode, ColourKeyMakesExactlyThatColourClear)
{
    PngFile f;
    f.width = 3;
    f.rows = {10, 20, 30, 10, 20, 31, 0, 0, 0};
    f.colorKey = true;
    f.key.red = 10;
    f.key.green = 20;
    f.key.blue = 30;
    Pooled<BufferedImage> image = decodedImage(write(f));
    ASSERT_TRUE(image);
    EXPECT_EQ(0x000A141Eu, image->row(0)[0]);
    EXPECT_EQ(0xFF0A141Fu, image->row(0)[1]);
    EXPECT_EQ(0xFF000000u, image->row(0)[2]);
    EXPECT_TRUE(image->hasAlpha());
    // At 16 bits the whole sample counts, not only the byte that is kept.
    PngFile wide;
    wide.width = 2;
    wide.bitDepth = 16;
    wide.rows = {0x0A, 0x00, 0x14, 0x00, 0x1E, 0x00, 0x0A, 0x01, 0x14, 0x00, 0x1E, 0x00};
    wide.colorKey = true;
    wide.key.red = 0x0A00;
    wide.key.green = 0x1400;
    wide.key.blue = 0x1E00;
    Pooled<BufferedImage> wideImage = decodedImage(write(wide));
    EXPECT_EQ(0x000A141Eu, wideImage->row(0)[0]);
    EXPECT_EQ(0xFF0A141Eu, wideImage->row(0)[1]);
}

TEST(PngDecode, EveryAlphaZeroReadsAsAnOpaquePicture)
{
    PngFile f;
    f.width = 2;
    f.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    f.rows = {1, 2, 3, 0, 4, 5, 6, 0};
    Pooled<BufferedImage> image = decodedImage(write(f));
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->hasAlpha());
    EXPECT_EQ(0xFF010203u, image->row(0)[0]);
    EXPECT_EQ(0xFF040506u, image->row(0)[1]);
}

TEST(PngDecode, InterlacedFilesGiveTheSamePicture)
{
    for (uint32_t size : {1u, 3u, 7u, 9u, 33u}) {
        for (int colorType : {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_RGB_ALPHA, PNG_COLOR_TYPE_PALETTE}) {
            SCOPED_TRACE(testing::Message() << size << " type " << colorType);
            PngFile f;
            f.width = size;
            f.height = size + 2;
            f.colorType = colorType;
            if (colorType == PNG_COLOR_TYPE_PALETTE) {
                f.bitDepth = 4;
                for (int i = 0; i < 16; ++i)
                    f.palette.push_back({uint8_t(i * 16), uint8_t(255 - i), uint8_t(i * 3)});
            }
            f.rows.resize(rowBytes(f) * f.height);
            for (size_t i = 0; i < f.rows.size(); ++i)
                f.rows[i] = uint8_t(i * 37 + 11);
            Pooled<BufferedImage> plain = decodedImage(write(f));
            f.interlace = true;
            Pooled<BufferedImage> interlaced = decodedImage(write(f));
            ASSERT_TRUE(plain);
            ASSERT_TRUE(interlaced);
            EXPECT_EQ(codec_test::digest(*plain), codec_test::digest(*interlaced));
        }
    }
}

TEST(PngDecode, ReadsInSmallPiecesAlike)
{
    PngFile f;
    f.width = 40;
    f.height = 30;
    f.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    f.rows.resize(rowBytes(f) * f.height);
    for (size_t i = 0; i < f.rows.size(); ++i)
        f.rows[i] = uint8_t(i * 7);
    const std::string file = write(f);
    Pooled<Png> whole = decoded(file);
    Pooled<Png> pieces(Png::take());
    MemoryInputStream in(file, 3);
    ASSERT_TRUE(pieces->decode(in));
    EXPECT_EQ(storageBytes(*whole), storageBytes(*pieces));
}

// --- Decoding: broken and hostile files --------------------------------------------

TEST(PngDecode, BrokenFilesFailWithoutAPicture)
{
    PngFile one;
    one.rows = {1, 2, 3};
    const std::string file = write(one);
    std::string badCrc = file;
    badCrc[29] = char(badCrc[29] ^ 1);
    const std::string ihdrThenEnd = file.substr(0, 33) + file.substr(file.size() - 12);
    const struct Case {
        const char* name;
        std::string bytes;
        Png::Fault fault;
    } cases[] = {
        {"empty stream", "", Png::Fault::kEndOfStream},
        {"signature only", file.substr(0, 8), Png::Fault::kEndOfStream},
        {"cut inside the header", file.substr(0, 20), Png::Fault::kEndOfStream},
        {"not a PNG", std::string(200, 'x'), Png::Fault::kLibrary},
        {"header CRC wrong", badCrc, Png::Fault::kLibrary},
        {"no image data", ihdrThenEnd, Png::Fault::kLibrary},
        {"60000 x 60000 claimed by a 1 x 1 file", withSize(file, 60000, 60000), Png::Fault::kTooLarge},
        {"wider than the side limit", withSize(file, Png::kMaxSide + 1, 1), Png::Fault::kLibrary},
        {"width 0", withSize(file, 0, 1), Png::Fault::kLibrary},
        {"cut before the first row", file.substr(0, file.size() - 12 - 12), Png::Fault::kEndOfStream},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool ok = true;
        Pooled<Png> png = decoded(c.bytes, &ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(c.fault, png->lastFault());
        EXPECT_EQ(0, png->width());
        EXPECT_EQ(nullptr, png->toImage(0, nullptr));
        Pooled<BufferedImageSet> set(png->toImageSet(0));
        EXPECT_EQ(0, set->count());
    }
}

TEST(PngDecode, StreamEndingInsideTheImageKeepsTheRowsRead)
{
    PngFile f;
    f.width = 64;
    f.height = 64;
    f.compression = 0;  // stored: the data of each row lies where it is expected
    f.rows.resize(rowBytes(f) * f.height);
    for (size_t i = 0; i < f.rows.size(); ++i)
        f.rows[i] = uint8_t(i % 251 + 1);
    const std::string file = write(f);
    bool ok = true;
    Pooled<Png> png = decoded(file.substr(0, file.size() / 2), &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(Png::Fault::kEndOfStream, png->lastFault());
    ASSERT_EQ(64, png->height());
    Pooled<Png> whole = decoded(file);
    int32_t y = 0;
    while (y < 64 && std::memcmp(whole->row(y), png->row(y), 256) == 0)
        ++y;
    // What the last, incomplete read asked for is lost: at most 4096 bytes.
    EXPECT_GT(y, 10);
    EXPECT_LT(y, 40);
    const std::vector<uint8_t> zero(256, 0);
    for (; y < 64; ++y)
        EXPECT_EQ(0, std::memcmp(zero.data(), png->row(y), 256)) << y;
}

TEST(PngDecode, ReadErrorInsideAnInterlacedImageKeepsWhatCame)
{
    PngFile f;
    f.width = 128;
    f.height = 128;
    f.interlace = true;
    f.compression = 0;
    f.rows.resize(rowBytes(f) * f.height, 200);
    const std::string file = write(f);
    Pooled<Png> png(Png::take());
    MemoryInputStream in(file, 100);
    in.failAt(file.size() * 3 / 4);
    EXPECT_FALSE(png->decode(in));
    ASSERT_EQ(128, png->width());
    // Pixels of the passes read are the file's; all others are zero.
    int filled = 0;
    for (int32_t y = 0; y < 128; ++y) {
        for (int32_t x = 0; x < 128 * 4; ++x) {
            const uint8_t v = png->row(y)[x];
            ASSERT_TRUE(v == 0 || v == 200 || v == 255) << y << " " << x;
            filled += v != 0;
        }
    }
    EXPECT_GT(filled, 0);
}

// --- Encoding -------------------------------------------------------------------

TEST(PngEncode, WritesEightBitRgbaWithNoOtherChunks)
{
    Pooled<BufferedImage> grey(makeImage(5, 3, [](int32_t, int32_t) { return 0xFF808080u; }));
    Pooled<Png> png(Png::take());
    ASSERT_TRUE(png->encodeImage(*grey, false, true, 255, 255, 255));
    const std::string file = encoded(*png);
    EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n", 8), file.substr(0, 8));
    EXPECT_EQ(5u, be32(file, 16));
    EXPECT_EQ(3u, be32(file, 20));
    EXPECT_EQ(8, file[24]);   // bit depth
    EXPECT_EQ(6, file[25]);   // colour type: RGB with alpha
    EXPECT_EQ(0, file[28]);   // not interlaced
    for (const std::string& type : chunkTypes(file))
        EXPECT_TRUE(type == "IHDR" || type == "IDAT" || type == "IEND") << type;
}

TEST(PngEncode, ReencodeIsInterlacedAndKeepsAlpha)
{
    Pooled<BufferedImage> image(noisyImage(23, 17, true));
    Pooled<Png> any(Png::take());
    Pooled<s::image::IEncodedImage> codec(any->reencodeImage(*image));
    ASSERT_TRUE(codec);
    const std::string file = encoded(static_cast<Png&>(*codec));
    EXPECT_EQ(1, file[28]);  // Adam7
    Pooled<BufferedImage> back = decodedImage(file);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->hasAlpha());
    EXPECT_EQ(codec_test::digest(*image), codec_test::digest(*back));
}

TEST(PngEncode, RoundTripsExactlyAndLeavesTheStorageAlone)
{
    for (bool interlace : {false, true}) {
        SCOPED_TRACE(interlace);
        Pooled<BufferedImage> image(noisyImage(61, 45, true));
        Pooled<Png> png(Png::take());
        ASSERT_TRUE(png->encodeImage(*image, interlace, true, 255, 255, 255));
        const std::vector<uint8_t> before = storageBytes(*png);
        const std::string file = encoded(*png);
        EXPECT_EQ(before, storageBytes(*png));
        EXPECT_EQ(codec_test::digest(*image), codec_test::digest(*decodedImage(file)));
    }
}

TEST(PngEncode, FlatteningGivesTheCompositionOverTheBackground)
{
    Pooled<BufferedImage> image(noisyImage(40, 9, true));
    Pooled<BufferedImage> canvas(makeImage(40, 9, [](int32_t, int32_t) { return 0xFF0A141Eu; }));
    canvas->drawImage(0, 0, 40, 9, *image, 0, 0, false);
    Pooled<Png> png(Png::take());
    ASSERT_TRUE(png->encodeImage(*image, false, false, 10, 20, 30));
    Pooled<BufferedImage> back = decodedImage(encoded(*png));
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->hasAlpha());
    EXPECT_EQ(codec_test::digest(*canvas), codec_test::digest(*back));
}

TEST(PngEncode, AnOpaquePictureIsWrittenOpaque)
{
    // Alpha bytes of a picture that says it has no alpha are not transparency.
    Pooled<BufferedImage> image(makeImage(3, 2, [](int32_t x, int32_t) { return 0x00102030u + uint32_t(x); }));
    image->setHasAlpha(false);
    Pooled<Png> png(Png::take());
    ASSERT_TRUE(png->encodeImage(*image, false, true, 255, 255, 255));
    Pooled<BufferedImage> back = decodedImage(encoded(*png));
    EXPECT_EQ(0xFF102031u, back->row(1)[1]);
}

TEST(PngEncode, RefusedWritesFailCleanlyAtEveryPoint)
{
    Pooled<BufferedImage> image(noisyImage(120, 90, true));
    Pooled<Png> png(Png::take());
    ASSERT_TRUE(png->encodeImage(*image, true, true, 255, 255, 255));
    const std::string whole = encoded(*png);
    const std::vector<uint8_t> before = storageBytes(*png);
    for (size_t limit : {size_t(0), size_t(8), size_t(40), whole.size() / 2, whole.size() - 1}) {
        SCOPED_TRACE(limit);
        MemoryOutputStream out;
        out.failAfter(limit);
        EXPECT_FALSE(png->encode(out));
        EXPECT_EQ(Png::Fault::kWriteFailed, png->lastFault());
        EXPECT_EQ(0, out.closes());
        EXPECT_EQ(before, storageBytes(*png));
    }
    MemoryOutputStream exact;
    exact.failAfter(whole.size());
    EXPECT_TRUE(png->encode(exact));
    EXPECT_EQ(whole, exact.bytes());
}

TEST(PngEncode, NothingToWriteWithoutAPicture)
{
    Pooled<Png> png(Png::take());
    MemoryOutputStream out;
    EXPECT_FALSE(png->encode(out));
    EXPECT_EQ(Png::Fault::kNothingToWrite, png->lastFault());
    EXPECT_TRUE(out.bytes().empty());
}

TEST(PngEncode, SettingsStartAsTheReencodeUsesThem)
{
    Pooled<s::image::png::EncodeSetting> setting(s::image::png::EncodeSetting::take());
    EXPECT_TRUE(setting->keepTransparency());
    EXPECT_TRUE(setting->withInterlace());
    EXPECT_EQ(255, setting->bgRed());
    Pooled<BufferedImageSet> empty(BufferedImageSet::take());
    EXPECT_EQ(nullptr, setting->toEncodedSet(*empty));
}

}  // namespace
