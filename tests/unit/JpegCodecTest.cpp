#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "CodecTestSupport.h"
#include "MemoryStreams.h"
#include "file/win/PathWin.h"
#include "image/ImageFiles.h"
#include "image/filters/IFilter.h"
#include "image/jpg/EncodeSetting.h"
#include "image/jpg/win/Jpeg.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

using codec_test::makeImage;
using s::image::jpg::win::Jpeg;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

namespace {

// --- Files made with the library itself ---------------------------------------

struct Samples {
    int width;
    int height;
    int components;
    J_COLOR_SPACE space;
    std::vector<uint8_t> bytes;  // rows top first, components interleaved
};

Samples gradient(int width, int height, int components, J_COLOR_SPACE space)
{
    Samples s{width, height, components, space, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c)
                s.bytes.push_back(static_cast<uint8_t>((x * 7 + y * 13 + c * 50) & 0xFF));
    return s;
}

// A JPEG of the samples written by libjpeg with its defaults at quality.
std::string libraryEncode(const Samples& s, int quality, bool progressive = false, bool fullChroma = false)
{
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(s.width);
    info.image_height = static_cast<JDIMENSION>(s.height);
    info.input_components = s.components;
    info.in_color_space = s.space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (fullChroma)
        info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(s.bytes.data() + size_t(info.next_scanline) * s.width * s.components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<char*>(out), size);
    free(out);
    return bytes;
}

// The samples libjpeg delivers for a file in its default output colour space.
Samples libraryDecode(const std::string& bytes)
{
    jpeg_decompress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    Samples s{int(info.output_width), int(info.output_height), info.output_components, info.out_color_space, {}};
    s.bytes.resize(size_t(s.width) * s.height * s.components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = s.bytes.data() + size_t(info.output_scanline) * s.width * s.components;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return s;
}

// Offset of the first marker (FF code) among the segments before the scan data.
size_t findMarker(const std::string& bytes, uint8_t code)
{
    size_t i = 2;
    while (i + 4 <= bytes.size() && uint8_t(bytes[i]) == 0xFF) {
        const uint8_t marker = uint8_t(bytes[i + 1]);
        if (marker == code)
            return i;
        if (marker == 0xDA)
            break;
        i += 2 + ((uint8_t(bytes[i + 2]) << 8) | uint8_t(bytes[i + 3]));
    }
    return std::string::npos;
}

std::string withSize(std::string bytes, uint8_t sofCode, int width, int height)
{
    const size_t sof = findMarker(bytes, sofCode);
    bytes[sof + 5] = char(height >> 8);
    bytes[sof + 6] = char(height & 0xFF);
    bytes[sof + 7] = char(width >> 8);
    bytes[sof + 8] = char(width & 0xFF);
    return bytes;
}

Pooled<Jpeg> decoded(const std::string& bytes, bool* result = nullptr)
{
    Pooled<Jpeg> jpeg(Jpeg::take());
    MemoryInputStream in(bytes);
    const bool ok = jpeg->decode(in);
    if (result)
        *result = ok;
    return jpeg;
}

std::string encoded(Jpeg& jpeg)
{
    MemoryOutputStream out;
    EXPECT_TRUE(jpeg.encode(out));
    return out.bytes();
}

std::vector<uint8_t> storageBytes(const Jpeg& jpeg)
{
    std::vector<uint8_t> all;
    for (int32_t y = 0; y < jpeg.height(); ++y)
        all.insert(all.end(), jpeg.row(y), jpeg.row(y) + jpeg.bytesPerRow());
    return all;
}

BufferedImage* smoothImage(int32_t w, int32_t h)
{
    return makeImage(w, h, [](int32_t x, int32_t y) { return 0xFF000000u | uint32_t(x * 4) << 16 | uint32_t(y * 4) << 8 | 0x80u; });
}

// --- Corpus ---------------------------------------------------------------------

TEST(JpegCorpus, DecodesLikeTheReferenceDecoders)
{
    if (!codec_test::hasCorpus())
        GTEST_SKIP() << "no corpus at " << PELLORY_CORPUS_DIR;
    const auto table = codec_test::readTable(codec_test::testData() / "jpeg" / "corpus-expected.txt");
    ASSERT_GT(table.size(), 40u);
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
        ASSERT_EQ(s::image::kFormatJpg, format);
        Pooled<Jpeg> jpeg(Jpeg::take());
        const bool ok = codec_test::decodeFile(*jpeg, file);
        Pooled<BufferedImage> image(jpeg->toImage(0, nullptr));
        if (e.outcome == "empty") {
            EXPECT_FALSE(ok);
            EXPECT_FALSE(image);
            EXPECT_EQ(0, jpeg->width());
            continue;
        }
        EXPECT_EQ(e.outcome == "ok", ok);
        ASSERT_TRUE(image);
        EXPECT_EQ(e.width, image->width());
        EXPECT_EQ(e.height, image->height());
        EXPECT_FALSE(image->hasAlpha());
        EXPECT_EQ(e.digest, codec_test::hex16(codec_test::digest(*image)));
    }
}

TEST(JpegCorpus, JpegNamedPngIsLoadedAsJpeg)
{
    if (!codec_test::hasCorpus())
        GTEST_SKIP() << "no corpus at " << PELLORY_CORPUS_DIR;
    Pooled<s::file::win::PathWin> path(s::file::win::PathWin::fromText(codec_test::corpusFile("odd/jpg-size-9x9-named.png")));
    Pooled<s::image::IEncodedImage> codec(s::image::loadImageFile(*path));
    ASSERT_TRUE(codec);
    EXPECT_EQ(std::u16string(u"s_image_jpg_win_Jpeg"), codec->className());
    EXPECT_EQ(9, codec->width());
    EXPECT_EQ(9, codec->height());
}

// --- Decoding -----------------------------------------------------------------------

TEST(JpegDecode, GreyGivesEqualBlueGreenRed)
{
    const Samples grey = gradient(19, 11, 1, JCS_GRAYSCALE);
    const std::string file = libraryEncode(grey, 90);
    const Samples truth = libraryDecode(file);
    Pooled<Jpeg> jpeg = decoded(file);
    ASSERT_EQ(19, jpeg->width());
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 19; ++x) {
            const uint8_t* p = jpeg->row(y) + 3 * x;
            const uint8_t v = truth.bytes[size_t(y) * 19 + x];
            ASSERT_EQ(v, p[0]);
            ASSERT_EQ(v, p[1]);
            ASSERT_EQ(v, p[2]);
        }
    }
}

TEST(JpegDecode, FourComponentsAreScaledByTheFourth)
{
    const std::string file = libraryEncode(gradient(16, 8, 4, JCS_CMYK), 95);
    const Samples cmyk = libraryDecode(file);
    ASSERT_EQ(4, cmyk.components);
    Pooled<Jpeg> jpeg = decoded(file);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            const uint8_t* s = &cmyk.bytes[(size_t(y) * 16 + x) * 4];
            const uint8_t* p = jpeg->row(y) + 3 * x;
            EXPECT_EQ(s[2] * s[3] / 255, p[0]);  // blue
            EXPECT_EQ(s[1] * s[3] / 255, p[1]);  // green
            EXPECT_EQ(s[0] * s[3] / 255, p[2]);  // red
        }
    }
}

TEST(JpegDecode, ColourPicturesComeOutAsTheLibraryGivesThem)
{
    const std::string file = libraryEncode(gradient(33, 17, 3, JCS_RGB), 80);
    const Samples rgb = libraryDecode(file);
    Pooled<Jpeg> jpeg = decoded(file);
    Pooled<BufferedImage> image(jpeg->toImage(0, nullptr));
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->hasAlpha());
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 33; ++x) {
            const uint8_t* s = &rgb.bytes[(size_t(y) * 33 + x) * 3];
            ASSERT_EQ(0xFF000000u | uint32_t(s[0]) << 16 | uint32_t(s[1]) << 8 | s[2], image->row(y)[x]);
        }
    }
}

TEST(JpegDecode, SmallReadsAndSkipsGiveTheSamePicture)
{
    // An APP segment the library skips, read a few bytes at a time.
    std::string file = libraryEncode(gradient(40, 24, 3, JCS_RGB), 75);
    const std::string comment = std::string("\xFF\xE5\x10\x02", 4) + std::string(0x1000, 'c');
    file.insert(2, comment);
    Pooled<Jpeg> whole = decoded(file);
    Pooled<Jpeg> pieces(Jpeg::take());
    MemoryInputStream in(file, 7);
    ASSERT_TRUE(pieces->decode(in));
    EXPECT_EQ(storageBytes(*whole), storageBytes(*pieces));
    EXPECT_EQ(0, in.closes());  // closing is the caller's
}

TEST(JpegDecode, StreamCutAfterTheHeaderFinishesWithAWarning)
{
    const std::string file = libraryEncode(gradient(48, 32, 3, JCS_RGB), 75);
    const size_t scan = file.find("\xFF\xDA");
    const size_t headerEnd = scan + 2 + ((uint8_t(file[scan + 2]) << 8) | uint8_t(file[scan + 3]));
    for (size_t cut : {headerEnd, headerEnd + 40, file.size() - 2}) {
        SCOPED_TRACE(cut);
        bool ok = false;
        Pooled<Jpeg> jpeg = decoded(file.substr(0, cut), &ok);
        EXPECT_TRUE(ok);
        EXPECT_GT(jpeg->lastWarnings(), 0);
        EXPECT_EQ(48, jpeg->width());
        EXPECT_EQ(32, jpeg->height());
        // Rows past the data are what the library makes of nothing, the same every time.
        Pooled<Jpeg> again = decoded(file.substr(0, cut));
        EXPECT_EQ(storageBytes(*jpeg), storageBytes(*again));
    }
}

TEST(JpegDecode, BrokenStreamsFailWithoutAPicture)
{
    const std::string file = libraryEncode(gradient(8, 8, 3, JCS_RGB), 75);
    const struct Case {
        const char* name;
        std::string bytes;
        Jpeg::Fault fault;
    } cases[] = {
        {"empty stream", "", Jpeg::Fault::kLibrary},
        {"not a JPEG", std::string(200, 'x'), Jpeg::Fault::kLibrary},
        {"start of image only", file.substr(0, 2), Jpeg::Fault::kLibrary},
        {"cut inside the headers", file.substr(0, 100), Jpeg::Fault::kLibrary},
        {"60000 x 60000 claimed by an 8 x 8 file", withSize(file, 0xC0, 60000, 60000), Jpeg::Fault::kTooLarge},
        {"height 0", withSize(file, 0xC0, 8, 0), Jpeg::Fault::kLibrary},
        {"two components", [&] {
             std::string two = libraryEncode(gradient(8, 8, 1, JCS_GRAYSCALE), 75);
             const size_t sof = findMarker(two, 0xC0);
             // One more component (id 2, 1x1, table 0) in the frame header.
             two.insert(sof + 13, std::string("\x02\x11\x00", 3));
             two[sof + 3] = char(uint8_t(two[sof + 3]) + 3);
             two[sof + 9] = 2;
             return two;
         }(), Jpeg::Fault::kComponents},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool ok = true;
        Pooled<Jpeg> jpeg = decoded(c.bytes, &ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(c.fault, jpeg->lastFault());
        EXPECT_EQ(0, jpeg->width());
        EXPECT_EQ(nullptr, jpeg->toImage(0, nullptr));
        Pooled<BufferedImageSet> set(jpeg->toImageSet(0));
        EXPECT_EQ(0, set->count());
    }
}

TEST(JpegDecode, ProgressiveFileBeyondTheMemoryLimitFailsQuickly)
{
    // 16000 x 16000 is within the pixel cap, but the coefficients of three
    // full-resolution components take 1.5 GB: more than the library may have.
    const std::string file = withSize(libraryEncode(gradient(16, 16, 3, JCS_RGB), 75, true, true), 0xC2, 16000, 16000);
    const auto start = std::chrono::steady_clock::now();
    bool ok = true;
    Pooled<Jpeg> jpeg = decoded(file, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(Jpeg::Fault::kLibrary, jpeg->lastFault());
    EXPECT_EQ(0, jpeg->width());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(JpegDecode, EndlessScansAreCutOff)
{
    // The last scan of a progressive file again and again: each repeat is only
    // a warning to the library, and each costs a pass over the picture.
    const std::string file = libraryEncode(gradient(64, 64, 3, JCS_RGB), 75, true);
    const size_t lastScan = file.rfind("\xFF\xDA");
    const std::string scan = file.substr(lastScan, file.size() - 2 - lastScan);
    std::string hostile = file.substr(0, file.size() - 2);
    for (int i = 0; i < Jpeg::kMaxScans; ++i)
        hostile += scan;
    hostile += "\xFF\xD9";
    bool ok = true;
    Pooled<Jpeg> jpeg = decoded(hostile, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(Jpeg::Fault::kTooManyScans, jpeg->lastFault());
    EXPECT_EQ(0, jpeg->width());
    // A real progressive file passes.
    Pooled<Jpeg> plain = decoded(file, &ok);
    EXPECT_TRUE(ok);
}

TEST(JpegDecode, FatalErrorAfterTheLastRowKeepsThePicture)
{
    const std::string file = libraryEncode(gradient(24, 24, 3, JCS_RGB), 75);
    // A second frame header where the end marker was: the library stops in
    // jpeg_finish_decompress, after every row was read.
    const std::string broken = file.substr(0, file.size() - 2) + std::string("\xFF\xC0\x00\x0B\x08\x00\x08\x00\x08\x01\x01\x11\x00", 13);
    bool ok = true;
    Pooled<Jpeg> jpeg = decoded(broken, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(Jpeg::Fault::kLibrary, jpeg->lastFault());
    Pooled<Jpeg> clean = decoded(file);
    EXPECT_EQ(storageBytes(*clean), storageBytes(*jpeg));
}

TEST(JpegDecode, ReadErrorInTheMiddleEndsLikeAnEarlyEnd)
{
    const std::string file = libraryEncode(gradient(64, 64, 3, JCS_RGB), 75);
    Pooled<Jpeg> jpeg(Jpeg::take());
    MemoryInputStream in(file, 500);
    in.failAt(file.size() / 2);
    EXPECT_TRUE(jpeg->decode(in));
    EXPECT_GT(jpeg->lastWarnings(), 0);
    EXPECT_EQ(64, jpeg->height());
}

TEST(JpegDecode, ReleasedPixelsLeaveNoPicture)
{
    Pooled<Jpeg> jpeg = decoded(libraryEncode(gradient(8, 8, 3, JCS_RGB), 75));
    Pooled<BufferedImageSet> set(jpeg->toImageSet(0));
    ASSERT_EQ(1, set->count());
    EXPECT_EQ(24, set->bitDepthAt(0));
    jpeg->releasePixels();
    EXPECT_EQ(nullptr, jpeg->toImage(0, nullptr));
    EXPECT_EQ(8, set->item(0)->width());
}

// --- Encoding -----------------------------------------------------------------------

TEST(JpegEncode, WritesWhatTheLibraryWritesWithItsDefaultsAtQuality75)
{
    Pooled<BufferedImage> image(smoothImage(37, 21));
    Pooled<Jpeg> any(Jpeg::take());
    Pooled<s::image::IEncodedImage> codec(any->reencodeImage(*image));
    ASSERT_TRUE(codec);
    auto& jpeg = static_cast<Jpeg&>(*codec);
    EXPECT_EQ(75, jpeg.quality());
    const std::string ours = encoded(jpeg);
    // The same pixels as red, green, blue through the library's own defaults.
    Samples rgb{37, 21, 3, JCS_RGB, {}};
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 37; ++x)
            for (int shift : {16, 8, 0})
                rgb.bytes.push_back(uint8_t(image->row(y)[x] >> shift));
    EXPECT_EQ(libraryEncode(rgb, 75), ours);
    // Baseline JFIF, density unit 0 at 1:1, luminance sampled 2 x 2, the
    // others 1 x 1, and the quality-75 tables (DC entries 16 and 17 halved).
    EXPECT_EQ(std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01", 18), ours.substr(0, 18));
    const size_t sof = findMarker(ours, 0xC0);
    ASSERT_NE(std::string::npos, sof);
    EXPECT_EQ(0x22, uint8_t(ours[sof + 11]));
    EXPECT_EQ(0x11, uint8_t(ours[sof + 14]));
    EXPECT_EQ(0x11, uint8_t(ours[sof + 17]));
    const size_t dqt = findMarker(ours, 0xDB);
    ASSERT_NE(std::string::npos, dqt);
    EXPECT_EQ(8, uint8_t(ours[dqt + 5]));
    EXPECT_EQ(std::string::npos, findMarker(ours, 0xC2));
}

TEST(JpegEncode, LeavesTheStorageAsItWas)
{
    Pooled<Jpeg> jpeg(Jpeg::take());
    Pooled<BufferedImage> image(smoothImage(30, 20));
    ASSERT_TRUE(jpeg->encodeImage(*image, 75, 255, 255, 255));
    const std::vector<uint8_t> before = storageBytes(*jpeg);
    encoded(*jpeg);
    EXPECT_EQ(before, storageBytes(*jpeg));
}

TEST(JpegEncode, RoundTripStaysClose)
{
    Pooled<Jpeg> jpeg(Jpeg::take());
    Pooled<BufferedImage> image(smoothImage(64, 48));
    ASSERT_TRUE(jpeg->encodeImage(*image, 95, 255, 255, 255));
    Pooled<Jpeg> back = decoded(encoded(*jpeg));
    Pooled<BufferedImage> decodedImage(back->toImage(0, nullptr));
    ASSERT_TRUE(decodedImage);
    EXPECT_LE(codec_test::maxDifference(*image, *decodedImage), 6);
}

TEST(JpegEncode, AnyQualityComesBackAt75)
{
    Pooled<Jpeg> source(Jpeg::take());
    Pooled<BufferedImage> image(smoothImage(16, 16));
    ASSERT_TRUE(source->encodeImage(*image, 97, 0, 0, 0));
    Pooled<Jpeg> read = decoded(encoded(*source));
    Pooled<BufferedImageSet> set(read->toImageSet(0));
    Pooled<s::image::IEncodedImage> again(read->reencodeSet(*set));
    ASSERT_TRUE(again);
    EXPECT_EQ(75, static_cast<Jpeg&>(*again).quality());
    const std::string bytes = encoded(static_cast<Jpeg&>(*again));
    EXPECT_EQ(8, uint8_t(bytes[findMarker(bytes, 0xDB) + 5]));
}

TEST(JpegEncode, TransparencyIsFlattenedOntoTheBackground)
{
    Pooled<BufferedImage> clear(makeImage(9, 5, [](int32_t, int32_t) { return 0x00123456u; }));
    Pooled<Jpeg> jpeg(Jpeg::take());
    ASSERT_TRUE(jpeg->encodeImage(*clear, 75, 10, 20, 30));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(0, std::memcmp("\x1E\x14\x0A", jpeg->row(y) + 3 * x, 3));
    Pooled<BufferedImage> back(decoded(encoded(*jpeg))->toImage(0, nullptr));
    ASSERT_TRUE(back);
    EXPECT_NEAR(30, int(back->row(2)[4] & 0xFF), 2);
}

TEST(JpegEncode, FlatteningComposesAsDrawingOverACanvasDoes)
{
    Pooled<BufferedImage> image(makeImage(256, 3, [](int32_t x, int32_t y) { return uint32_t(x) << 24 | uint32_t(y * 90) << 16 | uint32_t(255 - x) << 8 | 0x40u; }));
    Pooled<BufferedImage> canvas(makeImage(256, 3, [](int32_t, int32_t) { return 0xFFC8641Eu; }));
    canvas->drawImage(0, 0, 256, 3, *image, 0, 0, false);
    Pooled<Jpeg> jpeg(Jpeg::take());
    ASSERT_TRUE(jpeg->encodeImage(*image, 75, 0xC8, 0x64, 0x1E));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 256; ++x) {
            const uint32_t c = canvas->row(y)[x];
            const uint8_t* p = jpeg->row(y) + 3 * x;
            ASSERT_EQ(c & 0xFFFFFFu, uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16) << x;
        }
    }
}

TEST(JpegEncode, FiltersOfTheSetImageAreApplied)
{
    Pooled<BufferedImage> image(smoothImage(20, 20));
    Pooled<BufferedImage> filtered(image->copyTo(nullptr));
    // A filter that inverts: what is encoded must be the inverted picture.
    struct Invert : s::image::filters::IFilter {
        const char16_t* className() const override { return u"test_Invert"; }
        s::base::IObject* newInstance() const override { return nullptr; }
        const char16_t* filterName() const override { return u"invert"; }
        bool isAutoRelease() const override { return false; }
        void setAutoRelease(bool) override {}
        BufferedImage* apply(const BufferedImage& source, BufferedImage* destination) override
        {
            BufferedImage* out = source.copyTo(destination);
            for (int32_t y = 0; y < out->height(); ++y)
                for (int32_t x = 0; x < out->width(); ++x)
                    out->row(y)[x] ^= 0x00FFFFFFu;
            return out;
        }
        void releaseFilter() override {}
    } invert;
    image->addFilter(&invert);
    Pooled<Jpeg> any(Jpeg::take());
    Pooled<s::image::IEncodedImage> codec(any->reencodeImage(*image));
    ASSERT_TRUE(codec);
    const auto& jpeg = static_cast<const Jpeg&>(*codec);
    EXPECT_EQ(uint8_t(~filtered->row(3)[5] & 0xFF), jpeg.row(3)[15]);
    EXPECT_EQ(filtered->row(3)[5], image->row(3)[5]);  // the set image keeps its pixels
    image->forgetFilters();
}

TEST(JpegEncode, RefusedWritesFailCleanlyAtEveryPoint)
{
    Pooled<Jpeg> jpeg(Jpeg::take());
    Pooled<BufferedImage> image(makeImage(200, 150, [](int32_t x, int32_t y) { return 0xFF000000u | uint32_t(x * y * 2654435761u >> 8); }));
    ASSERT_TRUE(jpeg->encodeImage(*image, 75, 255, 255, 255));
    const std::string whole = encoded(*jpeg);
    ASSERT_GT(whole.size(), 8192u);
    const std::vector<uint8_t> before = storageBytes(*jpeg);
    for (size_t limit : {size_t(0), size_t(1), size_t(4095), size_t(4096), size_t(8192), whole.size() - 1}) {
        SCOPED_TRACE(limit);
        MemoryOutputStream out;
        out.failAfter(limit);
        EXPECT_FALSE(jpeg->encode(out));
        EXPECT_EQ(Jpeg::Fault::kWriteFailed, jpeg->lastFault());
        EXPECT_EQ(0, out.closes());
        EXPECT_EQ(before, storageBytes(*jpeg));
    }
    MemoryOutputStream exact;
    exact.failAfter(whole.size());
    EXPECT_TRUE(jpeg->encode(exact));
    EXPECT_EQ(whole, exact.bytes());
}

TEST(JpegEncode, NothingToWriteWithoutAPicture)
{
    Pooled<Jpeg> jpeg(Jpeg::take());
    MemoryOutputStream out;
    EXPECT_FALSE(jpeg->encode(out));
    EXPECT_EQ(Jpeg::Fault::kNothingToWrite, jpeg->lastFault());
    EXPECT_TRUE(out.bytes().empty());
}

}  // namespace
