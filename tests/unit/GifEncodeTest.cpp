#include <gtest/gtest.h>

#include <set>

#include "GifTestSupport.h"
#include "image/filters/reduction/Quantizer.h"
#include "image/gif/EncodeSetting.h"

using namespace giftest;
using s::image::filters::reduction::Quantizer;

namespace {

constexpr uint32_t kOpaque = 0xFF000000;
constexpr int32_t kWhite = 255;

Pooled<BufferedImage> picture(int32_t w, int32_t h, const std::vector<uint32_t>& pixels)
{
    return Pooled<BufferedImage>(makeImage(w, h, pixels));
}

// A picture with far more than 255 colours.
Pooled<BufferedImage> gradient(int32_t w, int32_t h)
{
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            pixels.push_back(kOpaque | uint32_t(x * 4) << 16 | uint32_t(y * 4) << 8 | uint32_t((x * y) & 0xFF));
    return picture(w, h, pixels);
}

// The file a Gif writes, read back by the codec.
Pooled<Gif> writtenAndRead(Gif& gif)
{
    bool decoded = false;
    Pooled<Gif> back = decodeBytes(encodeToBytes(gif), &decoded);
    EXPECT_TRUE(decoded);
    return back;
}

Pooled<Gif> encodedStill(const BufferedImage& image, int32_t bitDepth, bool keepTransparency = true)
{
    Pooled<Gif> gif(Gif::take());
    EXPECT_TRUE(gif->encodeImage(image, bitDepth, keepTransparency, kWhite, kWhite, kWhite, Gif::kAlphaCut));
    return gif;
}

std::set<uint32_t> opaqueColours(const BufferedImage& image)
{
    std::set<uint32_t> colours;
    for (uint32_t p : shownPixels(image))
        if (p >> 24 == 0xFF)
            colours.insert(p);
    return colours;
}

TEST(GifEncode, OneFrameFileLayout)
{
    Pooled<BufferedImage> image = picture(2, 1, {0xFF102030, 0xFF405060});
    Pooled<Gif> gif = encodedStill(*image, 8);
    const Bytes bytes = encodeToBytes(*gif);
    const Bytes expectedHead{
        'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0,
        0x77, 0x00, 0x00,                                                       // no global table
        0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
        0x03, 0x01, 0x01, 0x00, 0x00,                                           // loop count 1
        0x21, 0xF9, 0x04, 0x00, 0x00, 0x00, 0xFF, 0x00,                         // no transparency, delay 0
        0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0x87,                                     // 256-entry local table
    };
    ASSERT_GT(bytes.size(), expectedHead.size() + 768 + 3);
    EXPECT_EQ(expectedHead, Bytes(bytes.begin(), bytes.begin() + expectedHead.size()));
    EXPECT_EQ(8, bytes[expectedHead.size() + 768]);  // LZW minimum code size
    EXPECT_EQ(0x00, bytes[bytes.size() - 2]);        // block terminator
    EXPECT_EQ(0x3B, bytes.back());
    Pooled<Gif> back = writtenAndRead(*gif);
    Pooled<BufferedImage> shown(back->toImage(0, nullptr));
    EXPECT_EQ(shownPixels(*image), shownPixels(*shown));
}

TEST(GifEncode, RoundTripGivesTheQuantizedPicture)
{
    Pooled<BufferedImage> image = gradient(64, 48);
    Pooled<Gif> back = writtenAndRead(*encodedStill(*image, 8));
    Pooled<BufferedImage> shown(back->toImage(0, nullptr));
    ASSERT_EQ(64, shown->width());
    ASSERT_EQ(48, shown->height());
    Quantizer quantizer;
    quantizer.quantize(image->row(0), 64, 48, image->row(1) - image->row(0), 255);
    for (int32_t y = 0; y < 48; ++y) {
        std::vector<uint8_t> indices(64);
        quantizer.mapRow(image->row(y), 64, indices.data(), 8);
        for (int32_t x = 0; x < 64; ++x)
            ASSERT_EQ(kOpaque | (quantizer.paletteColor(indices[x]) & 0xFFFFFF), shown->row(y)[x]) << x << "," << y;
    }
    EXPECT_FALSE(shown->hasAlpha());
}

TEST(GifEncode, ColourBudgetAndTransparentIndexFollowTheBitDepth)
{
    // 40 colours, and transparent pixels.
    std::vector<uint32_t> pixels;
    for (int i = 0; i < 80; ++i)
        pixels.push_back(i % 41 == 40 ? 0x00123456 : kOpaque | uint32_t(i % 41) * 0x060504);
    Pooled<BufferedImage> image = picture(80, 1, pixels);
    struct Case {
        int32_t bitDepth;
        int32_t transparentIndex;
        size_t colours;
    } cases[] = {
        {4, 15, 15},
        {8, 255, 40},
        {2, 3, 3},
        // One bit would leave a single colour: raised to two.
        {1, 3, 3},
        // No depth of its own (a file without tables), or none that fits: the full palette.
        {0, 255, 40},
        {9, 255, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bitDepth);
        Pooled<Gif> back = writtenAndRead(*encodedStill(*image, c.bitDepth));
        EXPECT_EQ(c.transparentIndex, back->transparentIndexAt(0));
        Pooled<BufferedImage> shown(back->toImage(0, nullptr));
        EXPECT_EQ(c.colours, opaqueColours(*shown).size());
        // Exactly the transparent pixels have the transparent index.
        for (int i = 0; i < 80; ++i)
            EXPECT_EQ(pixels[i] >> 24 == 0, back->frameAt(0)->indices()[i] == c.transparentIndex) << i;
    }
}

TEST(GifEncode, TwoColourPictureKeepsBothColours)
{
    std::vector<uint32_t> pixels;
    for (int i = 0; i < 64; ++i)
        pixels.push_back((i / 3) % 2 ? 0xFFFFFFFF : 0xFF000000);
    Pooled<BufferedImage> image = picture(8, 8, pixels);
    Pooled<Gif> back = writtenAndRead(*encodedStill(*image, 1));
    Pooled<BufferedImage> shown(back->toImage(0, nullptr));
    EXPECT_EQ(pixels, shownPixels(*shown));
}

TEST(GifEncode, AlphaCutDecidesTransparency)
{
    Pooled<BufferedImage> image = picture(4, 1, {0x5F112233, 0x60112233, 0x00445566, 0xFF778899});
    Pooled<Gif> back = writtenAndRead(*encodedStill(*image, 8));
    Pooled<BufferedImage> shown(back->toImage(0, nullptr));
    EXPECT_EQ((std::vector<uint32_t>{0, 0xFF112233, 0, 0xFF778899}), shownPixels(*shown));
    // Without transparency the picture is flattened onto the background.
    Pooled<BufferedImage> flat(writtenAndRead(*encodedStill(*image, 8, false))->toImage(0, nullptr));
    EXPECT_FALSE(flat->hasAlpha());
    EXPECT_EQ(0xFFFFFFFFu, flat->row(0)[2]);
}

Pooled<BufferedImageSet> animation(const std::vector<std::vector<uint32_t>>& frames, int32_t w, int32_t h, const std::vector<int32_t>& delays)
{
    Pooled<BufferedImageSet> set(BufferedImageSet::take());
    for (size_t i = 0; i < frames.size(); ++i)
        set->add(makeImage(w, h, frames[i]), 8, delays[i], 0);
    set->setAnimation(true, 0);
    return set;
}

// What a reader shows for each frame of a written animation.
std::vector<std::vector<uint32_t>> shownFrames(Gif& gif)
{
    Pooled<Gif> back = writtenAndRead(gif);
    Pooled<BufferedImageSet> set(back->toImageSet(0));
    Pooled<BufferedImageSet> composed(set->composed());
    std::vector<std::vector<uint32_t>> frames;
    for (int32_t i = 0; i < composed->count(); ++i)
        frames.push_back(shownPixels(*composed->item(i)));
    return frames;
}

// A black-and-white animation (a one-bit table) re-encoded by the codec's
// own rule: every frame keeps both colours.
TEST(GifEncode, RealTwoColourAnimationKeepsBothColours)
{
    const std::filesystem::path path = corpusFile("gif/suite-dispose-restore-previous.gif");
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "no corpus at " << PELLORY_CORPUS_DIR;
    Pooled<Gif> source = decodeBytes(readFile(path));
    EXPECT_EQ(1, source->colorBits());
    Pooled<BufferedImageSet> set(source->toImageSet(0));
    Pooled<BufferedImageSet> composed(set->composed());
    Pooled<s::image::IEncodedImage> encoded(source->reencodeSet(*composed));
    ASSERT_TRUE(encoded);
    std::vector<std::vector<uint32_t>> expected;
    std::set<uint32_t> colours;
    for (int32_t i = 0; i < composed->count(); ++i) {
        expected.push_back(shownPixels(*composed->item(i)));
        for (uint32_t c : opaqueColours(*composed->item(i)))
            colours.insert(c);
    }
    EXPECT_EQ((std::set<uint32_t>{0xFF000000, 0xFFFFFFFF}), colours);
    EXPECT_EQ(expected, shownFrames(static_cast<Gif&>(*encoded)));
}

TEST(GifEncode, AnimationWritesChangesOverThePreviousPicture)
{
    const uint32_t r = 0xFFFF0000, g = 0xFF00FF00, b = 0xFF0000FF;
    const std::vector<std::vector<uint32_t>> frames{{r, r, g, g}, {r, b, g, g}, {r, b, g, g}};
    Pooled<BufferedImageSet> set = animation(frames, 2, 2, {35, 1000, 20});
    Pooled<Gif> gif(Gif::take());
    ASSERT_TRUE(gif->encodeAnimation(*set, 8, true, kWhite, kWhite, kWhite));
    ASSERT_EQ(3, gif->imageCount());
    EXPECT_EQ(0, gif->loopCount());
    // Frame 1 holds only the changed pixel; frame 2, identical, nothing.
    const auto* one = gif->frameAt(1);
    EXPECT_EQ((std::vector<uint8_t>{255, one->indices()[1], 255, 255}), std::vector<uint8_t>(one->indices(), one->indices() + 4));
    EXPECT_NE(255, one->indices()[1]);
    EXPECT_EQ((std::vector<uint8_t>{255, 255, 255, 255}), std::vector<uint8_t>(gif->frameAt(2)->indices(), gif->frameAt(2)->indices() + 4));
    EXPECT_EQ(1, gif->disposalAt(0));
    EXPECT_EQ(frames, shownFrames(*gif));

    Pooled<Gif> back = writtenAndRead(*gif);
    EXPECT_EQ(30, back->delayAt(0));  // 35 ms is written as 3 hundredths
    EXPECT_EQ(1000, back->delayAt(1));
    EXPECT_EQ(0, back->loopCount());
}

TEST(GifEncode, AnimationThatClearsPixelsIsWrittenWhole)
{
    // Frame 1 turns a visible pixel transparent, which drawing the changes
    // over frame 0 could never show: frame 0 is cleared when it ends.
    const uint32_t r = 0xFFFF0000, g = 0xFF00FF00;
    const std::vector<std::vector<uint32_t>> frames{{r, r, g, g}, {0, r, g, 0}, {g, r, g, 0}};
    Pooled<BufferedImageSet> set = animation(frames, 2, 2, {100, 100, 100});
    Pooled<Gif> gif(Gif::take());
    ASSERT_TRUE(gif->encodeAnimation(*set, 8, true, kWhite, kWhite, kWhite));
    EXPECT_EQ(2, gif->disposalAt(0));
    EXPECT_EQ(1, gif->disposalAt(1));
    EXPECT_EQ(frames, shownFrames(*gif));
}

TEST(GifEncode, RealAnimationComesBackAsItWas)
{
    // Optimised frames at offsets with all three disposals, re-encoded as
    // whole-screen frames of changes: a reader must see the same pictures.
    Pooled<Gif> source = decodeBytes(readFile(testDataFile("gif/mixed-disposal.gif")));
    Pooled<BufferedImageSet> set(source->toImageSet(0));
    Pooled<BufferedImageSet> composed(set->composed());
    Pooled<s::image::IEncodedImage> encoded(source->reencodeSet(*composed));
    ASSERT_TRUE(encoded);
    Gif& gif = static_cast<Gif&>(*encoded);
    ASSERT_EQ(composed->count(), gif.imageCount());
    std::vector<std::vector<uint32_t>> expected;
    for (int32_t i = 0; i < composed->count(); ++i)
        expected.push_back(shownPixels(*composed->item(i)));
    EXPECT_EQ(expected, shownFrames(gif));
}

TEST(GifEncode, FailuresAreReported)
{
    Pooled<Gif> empty(Gif::take());
    MemoryOutput out;
    EXPECT_FALSE(empty->encode(out));
    EXPECT_EQ(Gif::Fault::kNothingToWrite, empty->fault());

    Pooled<Gif> gif = encodedStill(*gradient(32, 32), 8);
    for (size_t failAfter : {size_t(0), size_t(10), size_t(900), size_t(1000)}) {
        SCOPED_TRACE(failAfter);
        MemoryOutput refusing(failAfter);
        EXPECT_FALSE(gif->encode(refusing));
    }

    Pooled<BufferedImage> wide(BufferedImage::createImage(65536, 1));
    Pooled<Gif> tooWide(Gif::take());
    EXPECT_FALSE(tooWide->encodeImage(*wide, 8, true, kWhite, kWhite, kWhite, Gif::kAlphaCut));
    EXPECT_EQ(Gif::Fault::kBadPicture, tooWide->fault());
}

TEST(GifEncodeSetting, FiltersTakeEffectAndSetsPickTheirPath)
{
    Pooled<s::image::gif::EncodeSetting> setting(s::image::gif::EncodeSetting::take());
    EXPECT_TRUE(setting->keepTransparency());
    EXPECT_EQ(8, setting->bitDepth());
    const uint32_t r = 0xFFFF0000, g = 0xFF00FF00;
    Pooled<BufferedImageSet> set = animation({{r, g}, {g, r}}, 2, 1, {10, 10});
    Pooled<s::image::IEncodedImage> animated(setting->toEncodedSet(*set));
    ASSERT_TRUE(animated);
    EXPECT_EQ(2, animated->imageCount());
    // A set not marked animated goes through its primary picture alone.
    set->setAnimation(false, 1);
    Pooled<s::image::IEncodedImage> still(setting->toEncodedSet(*set));
    ASSERT_TRUE(still);
    EXPECT_EQ(1, still->imageCount());
}

}  // namespace

namespace {

TEST(GifEncode, SaveGifWritesOnlyToAFreePath)
{
    TestFolder folder;
    Pooled<BufferedImage> image = picture(2, 1, {0xFF102030, 0x00000000});
    ASSERT_TRUE(image->saveGif(folder.file(u"a.gif")));
    const Bytes written = readFile(folder.path() / u"a.gif");
    bool decoded = false;
    Pooled<Gif> back = decodeBytes(written, &decoded);
    ASSERT_TRUE(decoded);
    Pooled<BufferedImage> shown(back->toImage(0, nullptr));
    EXPECT_EQ((std::vector<uint32_t>{0xFF102030, 0}), shownPixels(*shown));
    // An existing file is never replaced.
    Pooled<BufferedImage> other = picture(1, 1, {0xFFFFFFFF});
    EXPECT_FALSE(other->saveGif(folder.file(u"a.gif")));
    EXPECT_EQ(written, readFile(folder.path() / u"a.gif"));
}

}  // namespace
