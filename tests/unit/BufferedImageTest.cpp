#include <gtest/gtest.h>

#include "image/filters/IFilter.h"
#include "image/filters/convolution/Convolution.h"
#include "image/filters/sharpness/Sharpness.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

namespace {

// Pixels numbered by position, so moves are visible.
BufferedImage* numbered(int32_t w, int32_t h)
{
    BufferedImage* image = BufferedImage::createImage(w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x)
            image->row(y)[x] = 0xFF000000u | static_cast<uint32_t>(y * 1000 + x);
    }
    return image;
}

// Adds 1 to every blue value and counts its runs.
class PlusOne : public s::image::filters::IFilter {
public:
    const char16_t* className() const override { return u"PlusOne"; }
    s::base::IObject* newInstance() const override { return new PlusOne; }
    const char16_t* filterName() const override { return u"PlusOne"; }
    bool isAutoRelease() const override { return m_autoRelease; }
    void setAutoRelease(bool flag) override { m_autoRelease = flag; }
    void releaseFilter() override { ++released; }
    BufferedImage* apply(const BufferedImage& source, BufferedImage* destination) override
    {
        ++runs;
        BufferedImage* result = source.copyTo(destination);
        for (int32_t y = 0; y < result->height(); ++y) {
            for (int32_t x = 0; x < result->width(); ++x)
                result->row(y)[x] += 1;
        }
        return result;
    }
    bool applyInPlace(BufferedImage& image) override
    {
        ++runs;
        for (int32_t y = 0; y < image.height(); ++y) {
            for (int32_t x = 0; x < image.width(); ++x)
                image.row(y)[x] += 1;
        }
        return true;
    }
    int runs = 0;
    int released = 0;

private:
    bool m_autoRelease = false;
};

TEST(BufferedImage, RowsAreTopDownOverABottomUpStore)
{
    Pooled<BufferedImage> image(numbered(3, 2));
    // The store's first row in memory is the picture's bottom row.
    const auto* memory = reinterpret_cast<const uint32_t*>(image->pixels());
    EXPECT_EQ(0xFF000000u | 1000u, memory[0]);
    EXPECT_EQ(12, image->stride());
    EXPECT_EQ(nullptr, BufferedImage::createImage(0, 5));
    EXPECT_EQ(nullptr, BufferedImage::createImage(1 << 15, 1 << 15));  // past the pixel cap
}

TEST(BufferedImage, ReserveKeepsThePictureAndGrowCapacityOnly)
{
    Pooled<BufferedImage> image(numbered(40, 30));
    ASSERT_TRUE(image->reserve(10, 10));
    EXPECT_EQ(40, image->capacityWidth());
    ASSERT_TRUE(image->reserve(50, 30));
    EXPECT_EQ(50, image->capacityWidth());
    EXPECT_EQ(30, image->capacityHeight());
    EXPECT_EQ(40, image->width());
    EXPECT_EQ(30, image->height());
    for (int32_t y = 0; y < 30; ++y) {
        for (int32_t x = 0; x < 40; ++x)
            ASSERT_EQ(0xFF000000u | static_cast<uint32_t>(y * 1000 + x), image->row(y)[x]);
    }
}

TEST(BufferedImage, CopiesAndTurns)
{
    Pooled<BufferedImage> source(numbered(3, 2));
    struct Case {
        const char* name;
        BufferedImage* (BufferedImage::*op)(BufferedImage*) const;
        int32_t w, h;
        uint32_t topLeft;
    } cases[] = {
        {"copy", &BufferedImage::copyTo, 3, 2, 0},
        {"clockwise", &BufferedImage::rotateClockwise, 2, 3, 1000},  // the source's bottom-left
        {"180", &BufferedImage::rotate180, 3, 2, 1002},
        {"counter-clockwise", &BufferedImage::rotateCounterClockwise, 2, 3, 2},
        {"mirror", &BufferedImage::mirror, 3, 2, 2},
        {"flip", &BufferedImage::flip, 3, 2, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pooled<BufferedImage> result(((*source).*c.op)(nullptr));
        ASSERT_TRUE(result);
        EXPECT_EQ(c.w, result->width());
        EXPECT_EQ(c.h, result->height());
        EXPECT_EQ(0xFF000000u | c.topLeft, result->row(0)[0]);
        // Into a reused destination, the same result.
        Pooled<BufferedImage> reused(BufferedImage::createImage(10, 10));
        ((*source).*c.op)(reused.get());
        EXPECT_EQ(c.w, reused->width());
        EXPECT_EQ(0xFF000000u | c.topLeft, reused->row(0)[0]);
    }
}

TEST(BufferedImage, DrawImageBlendsByAlpha)
{
    Pooled<BufferedImage> source(BufferedImage::createImage(1, 1));
    source->row(0)[0] = 0x80FF0000u;  // alpha 128, red 255
    source->setHasAlpha(true);
    Pooled<BufferedImage> opaque(BufferedImage::createImage(1, 1));
    opaque->row(0)[0] = 0xFF0000FFu;
    opaque->drawImage(0, 0, 1, 1, *source, 0, 0, false);
    EXPECT_EQ(0xFF7F007Fu, opaque->row(0)[0]);
    Pooled<BufferedImage> half(BufferedImage::createImage(1, 1));
    half->row(0)[0] = 0x800000FFu;
    half->setHasAlpha(true);
    half->drawImage(0, 0, 1, 1, *source, 0, 0, false);
    EXPECT_EQ(0xC0A90055u, half->row(0)[0]);

    // A negative destination column moves the source start instead.
    Pooled<BufferedImage> strip(numbered(10, 1));
    Pooled<BufferedImage> target(BufferedImage::createImage(4, 1));
    target->drawImage(-5, 0, 0, 0, *strip, 0, 0, false);
    EXPECT_EQ(0xFF000005u, target->row(0)[0]);
}

TEST(BufferedImage, FilterChainIsLazyCachedAndLeavesThePictureAlone)
{
    Pooled<BufferedImage> image(numbered(2, 2));
    EXPECT_EQ(nullptr, image->applyFilters());
    PlusOne f, g;
    image->addFilter(&f);
    BufferedImage* once = image->filteredImage();
    ASSERT_NE(nullptr, once);
    EXPECT_EQ(once, image->filteredImage());
    EXPECT_EQ(1, f.runs);
    EXPECT_EQ(0xFF000001u, once->row(0)[0]);
    EXPECT_EQ(0xFF000000u, image->row(0)[0]);
    image->addFilter(&g);
    EXPECT_EQ(0xFF000002u, image->filteredImage()->row(0)[0]);
    EXPECT_EQ(1, g.runs);
    // Only filters marked auto-release are released with the list.
    g.setAutoRelease(true);
    image->clearFilters();
    EXPECT_EQ(0, f.released);
    EXPECT_EQ(1, g.released);
    EXPECT_FALSE(image->hasFilters());
}

TEST(BufferedImage, SharpnessFilterWithStrengthZeroCopiesExactly)
{
    Pooled<BufferedImage> image(numbered(5, 4));
    auto* filter = s::image::filters::sharpness::Sharpness::take();
    filter->setStrength(0);
    EXPECT_EQ(nullptr, filter->kernel());
    image->addFilter(filter);
    const BufferedImage* result = image->encodeSource();
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 5; ++x)
            EXPECT_EQ(image->row(y)[x], result->row(y)[x]);
    }
    filter->setStrength(-29);
    ASSERT_NE(nullptr, filter->kernel());
    EXPECT_EQ(28, filter->kernel()->weight(0));
    EXPECT_EQ(57, filter->kernel()->weight(1));
    image->clearFilters();  // releases the filter to its pool
}

TEST(BufferedImageSet, PrimaryIsTheFirstLargestWithGreaterDepthWinningTies)
{
    Pooled<BufferedImageSet> set(BufferedImageSet::take());
    set->add(BufferedImage::createImage(16, 16), 32, 0, 0);
    set->add(BufferedImage::createImage(32, 32), 4, 0, 0);
    set->add(BufferedImage::createImage(32, 32), 8, 0, 0);
    EXPECT_EQ(2, set->primaryIndex());
    EXPECT_EQ(32, set->width());
    Pooled<BufferedImageSet> equal(BufferedImageSet::take());
    equal->add(BufferedImage::createImage(32, 32), 8, 0, 0);
    equal->add(BufferedImage::createImage(32, 32), 8, 0, 0);
    EXPECT_EQ(0, equal->primaryIndex());
    EXPECT_EQ(1000, equal->delayAt(2));
}

TEST(BufferedImageSet, NearestSearches)
{
    Pooled<BufferedImageSet> sizes(BufferedImageSet::take());
    sizes->add(BufferedImage::createImage(16, 16), 32, 0, 0);
    sizes->add(BufferedImage::createImage(32, 32), 32, 0, 0);
    int32_t index = -1;
    EXPECT_TRUE(sizes->findNearestSize(24, 24, 32, &index));
    EXPECT_EQ(0, index);
    Pooled<BufferedImageSet> depths(BufferedImageSet::take());
    depths->add(BufferedImage::createImage(32, 32), 32, 0, 0);
    depths->add(BufferedImage::createImage(16, 16), 4, 0, 0);
    EXPECT_TRUE(depths->findNearestDepth(32, 32, 8, &index));
    EXPECT_EQ(1, index);
    Pooled<BufferedImageSet> empty(BufferedImageSet::take());
    EXPECT_FALSE(empty->findNearestSize(1, 1, 1, &index));
    EXPECT_EQ(0, index);
}

TEST(BufferedImageSet, ComposedDrawsDisposalOneFramesOverThePrevious)
{
    Pooled<BufferedImageSet> set(BufferedImageSet::take());
    BufferedImage* first = BufferedImage::createImage(2, 1);
    first->row(0)[0] = 0xFF111111u;
    first->row(0)[1] = 0xFF222222u;
    BufferedImage* second = BufferedImage::createImage(2, 1);
    second->row(0)[0] = 0x00000000u;  // transparent: the first frame shows through
    second->row(0)[1] = 0xFF333333u;
    second->setHasAlpha(true);
    set->add(first, 8, 10, 0);
    set->add(second, 8, 10, 1);
    set->setAnimation(true, 0);
    Pooled<BufferedImageSet> composed(set->composed());
    ASSERT_EQ(2, composed->count());
    EXPECT_EQ(0xFF111111u, composed->item(1)->row(0)[0]);
    EXPECT_EQ(0xFF333333u, composed->item(1)->row(0)[1]);
    EXPECT_EQ(2, composed->disposalAt(1));
    EXPECT_TRUE(composed->isAnimated());
}

}  // namespace
