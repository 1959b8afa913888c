#include <gtest/gtest.h>

#include "GifTestSupport.h"

using namespace giftest;

namespace {

constexpr uint32_t R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF;

struct Frame {
    int32_t w, h;
    std::vector<uint32_t> pixels;
    int32_t left, top, disposal;
};

Pooled<BufferedImageSet> placedSet(const std::vector<Frame>& frames, int32_t screenW, int32_t screenH)
{
    Pooled<BufferedImageSet> set(BufferedImageSet::take());
    for (const Frame& f : frames) {
        set->add(makeImage(f.w, f.h, f.pixels), 8, 100, f.disposal);
        BufferedImageSet::FrameArea area;
        area.left = f.left;
        area.top = f.top;
        set->setFrameArea(set->count() - 1, area);
    }
    set->setScreenSize(screenW, screenH);
    set->setAnimation(true, 0);
    return set;
}

TEST(GifCompose, FramesLandAtTheirPlaceAndAreDisposedOf)
{
    Pooled<BufferedImageSet> set = placedSet({
                                                 {3, 1, {R, R, R}, 0, 0, 1},  // kept
                                                 {1, 1, {G}, 1, 0, 3},        // restored away
                                                 {1, 1, {B}, 2, 0, 2},        // cleared to transparent
                                                 {1, 1, {0}, 0, 0, 0},        // a transparent pixel shows what is beneath
                                             },
                                             3, 1);
    Pooled<BufferedImageSet> composed(set->composed());
    ASSERT_TRUE(composed);
    const std::vector<std::vector<uint32_t>> expected{{R, R, R}, {R, G, R}, {R, R, B}, {R, R, 0}};
    ASSERT_EQ(4, composed->count());
    for (int32_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i], shownPixels(*composed->item(i)));
        EXPECT_EQ(100, composed->delayAt(i));
    }
    EXPECT_FALSE(composed->item(0)->hasAlpha());
    EXPECT_TRUE(composed->item(3)->hasAlpha());
    // Disposal "keep" becomes "replace" for the composed pictures, which stand alone.
    EXPECT_EQ((std::vector<int32_t>{1, 3, 2, 0}), (std::vector<int32_t>{composed->disposalAt(0), composed->disposalAt(1), composed->disposalAt(2), composed->disposalAt(3)}));
    EXPECT_TRUE(composed->isAnimated());
    EXPECT_EQ(0, composed->loopCount());
}

TEST(GifCompose, FullScreenOpaqueFramesComeOutUnchanged)
{
    Pooled<BufferedImageSet> set(BufferedImageSet::take());
    set->add(makeImage(2, 1, {R, G}), 8, 10, 0);
    set->add(makeImage(2, 1, {B, B}), 8, 20, 1);
    set->add(makeImage(2, 1, {G, R}), 8, 30, 2);
    set->setAnimation(true, 3);
    Pooled<BufferedImageSet> composed(set->composed());
    ASSERT_TRUE(composed);
    ASSERT_EQ(3, composed->count());
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(shownPixels(*set->item(i)), shownPixels(*composed->item(i)));
    EXPECT_EQ(2, composed->disposalAt(1));
    EXPECT_EQ(2, composed->disposalAt(2));
    EXPECT_EQ(3, composed->loopCount());
}

TEST(GifCompose, CanvasSizeAndCap)
{
    struct Case {
        const char* name;
        int32_t screenW, screenH;
        std::vector<Frame> frames;
        int32_t width, height;  // 0: refused
    } cases[] = {
        {"the logical screen", 4, 3, {{1, 1, {R}, 0, 0, 0}, {1, 1, {G}, 3, 2, 0}}, 4, 3},
        // No screen: the frames' extent.
        {"no screen", 0, 0, {{1, 1, {R}, 0, 0, 0}, {2, 1, {G, G}, 3, 2, 0}}, 5, 3},
        // A header that understates a still picture does not cut it.
        {"screen smaller than the first frame", 1, 1, {{2, 2, {R, R, R, R}, 0, 0, 0}}, 2, 2},
        // Later frames are clipped to the screen.
        {"frame past the screen", 2, 2, {{2, 2, {R, R, R, R}, 0, 0, 0}, {2, 2, {G, G, G, G}, 1, 1, 0}}, 2, 2},
        // Two pictures of 2^28 pixels pass the image model's cap together.
        {"pictures above the cap", 16384, 16384, {{1, 1, {R}, 0, 0, 0}, {1, 1, {G}, 0, 0, 0}}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pooled<BufferedImageSet> composed(placedSet(c.frames, c.screenW, c.screenH)->composed());
        if (c.width == 0) {
            EXPECT_FALSE(composed);
            continue;
        }
        ASSERT_TRUE(composed);
        EXPECT_EQ(c.width, composed->item(0)->width());
        EXPECT_EQ(c.height, composed->item(0)->height());
        EXPECT_EQ(c.width, composed->screenWidth());
    }
    Pooled<BufferedImageSet> empty(BufferedImageSet::take());
    Pooled<BufferedImageSet> none(empty->composed());
    ASSERT_TRUE(none);
    EXPECT_EQ(0, none->count());
}

}  // namespace
