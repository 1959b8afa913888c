#include <gtest/gtest.h>

#include <vector>

#include "image/filters/scale/BilinearFilter.h"
#include "image/filters/scale/Contribution.h"
#include "image/filters/scale/Scaling.h"
#include "image/win/BufferedImage.h"
#include "thread/Pooled.h"

using s::image::filters::scale::BilinearFilter;
using s::image::filters::scale::Contribution;
using s::image::win::BufferedImage;
using s::thread::Pooled;

namespace {

// Every channel, alpha included, holds the same value.
uint32_t grey(uint32_t value)
{
    return value * 0x01010101u;
}

Pooled<BufferedImage> line(int32_t w, int32_t h, const std::vector<uint32_t>& values)
{
    Pooled<BufferedImage> image(BufferedImage::createImage(w, h));
    for (int32_t i = 0; i < w * h; ++i)
        image->row(i / w)[i % w] = grey(values[i]);
    return image;
}

std::vector<uint32_t> values(const BufferedImage& image)
{
    std::vector<uint32_t> out;
    for (int32_t y = 0; y < image.height(); ++y)
        for (int32_t x = 0; x < image.width(); ++x) {
            const uint32_t p = image.row(y)[x];
            EXPECT_EQ(grey(p & 0xFF), p) << "channels differ at " << x << "," << y;
            out.push_back(p & 0xFF);
        }
    return out;
}

TEST(Scaling, ExactValuesOfTheTwoPasses)
{
    struct Case {
        const char* name;
        int32_t w, h;
        std::vector<uint32_t> source;  // top row first
        int32_t dw, dh;
        std::vector<uint32_t> expected;
    } cases[] = {
        // The last column repeats the last source pixel; the middle rounds half up.
        {"row 2 to 4", 2, 1, {10, 20}, 4, 1, {10, 15, 20, 20}},
        {"row 4 to 2", 4, 1, {0, 90, 180, 255}, 2, 1, {30, 176}},
        {"row 3 to 2", 3, 1, {0, 100, 200}, 2, 1, {25, 150}},
        // Rows count from the bottom: the bottom row is anchored, the top repeats.
        {"column 2 to 4", 1, 2, {10, 20}, 1, 4, {10, 10, 15, 20}},
        {"both ways", 2, 2, {10, 20, 30, 40}, 4, 4, {10, 15, 20, 20, 10, 15, 20, 20, 20, 25, 30, 30, 30, 35, 40, 40}},
        {"one pixel to many", 1, 1, {77}, 3, 2, {77, 77, 77, 77, 77, 77}},
        // Shrinking widens the tent over all four: weights .4, .3, .2, .1.
        {"many to one", 4, 1, {0, 90, 180, 255}, 1, 1, {88}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pooled<BufferedImage> source = line(c.w, c.h, c.source);
        Pooled<BufferedImage> destination(BufferedImage::take());
        ASSERT_TRUE(s::image::filters::scale::scaleBilinear(*source, *destination, c.dw, c.dh));
        ASSERT_EQ(c.dw, destination->width());
        ASSERT_EQ(c.dh, destination->height());
        EXPECT_EQ(c.expected, values(*destination));
    }
}

TEST(Scaling, ContributionWeightsAreFixedPoint)
{
    BilinearFilter filter;
    Contribution table;
    ASSERT_TRUE(table.build(filter, 2, 4, 0.5));
    // Shrinking by 2 widens the tent to radius 2: 2 * 2 + 1 taps.
    EXPECT_EQ(5, table.taps());
    EXPECT_EQ(5 * 4 + 8, table.entryBytes());
    EXPECT_EQ(0, table.first(0));
    EXPECT_EQ(1, table.last(0));
    EXPECT_EQ(43690, table.weight(0, 0));
    EXPECT_EQ(21845, table.weight(0, 1));
    EXPECT_EQ(1, table.first(1));
    EXPECT_EQ(3, table.last(1));
    EXPECT_EQ((std::vector<int32_t>{16384, 32768, 16384}), (std::vector<int32_t>{table.weight(1, 0), table.weight(1, 1), table.weight(1, 2)}));

    EXPECT_FALSE(table.build(filter, 0, 4, 0.0));
    EXPECT_FALSE(table.build(filter, 2, 0, 2.0));
    EXPECT_EQ(0, table.count());
}

TEST(Scaling, BilinearFilterIsATent)
{
    BilinearFilter filter;
    EXPECT_EQ(1.0, filter.support());
    EXPECT_EQ(1.0, filter.weight(0.0));
    EXPECT_EQ(0.75, filter.weight(-0.25));
    EXPECT_EQ(0.0, filter.weight(1.0));
    filter.setSupport(2.0);
    EXPECT_EQ(1.5, filter.weight(0.5));
    filter.reset();
    EXPECT_EQ(1.0, filter.support());
}

TEST(Scaling, ImageScaledKeepsRatioAndCopiesAlpha)
{
    Pooled<BufferedImage> image(BufferedImage::createImage(200, 100));
    image->row(0)[0] = 0x80FF0000;
    image->setHasAlpha(true);
    BufferedImage* fitted = image->scaled(50, 50, true);
    ASSERT_TRUE(fitted);
    EXPECT_EQ(50, fitted->width());
    EXPECT_EQ(25, fitted->height());
    EXPECT_TRUE(fitted->hasAlpha());
    EXPECT_EQ(image.get(), image->scaled(200, 100, true));
    // Asking again for the same size answers the cached picture.
    EXPECT_EQ(fitted, image->scaled(50, 25, false));

    Pooled<BufferedImage> same(BufferedImage::take());
    ASSERT_TRUE(s::image::filters::scale::scaleBilinear(*image, *same, 200, 100));
    EXPECT_TRUE(same->hasAlpha());
    EXPECT_EQ(0x80FF0000u, same->row(0)[0]);

    Pooled<BufferedImage> refused(BufferedImage::take());
    EXPECT_FALSE(s::image::filters::scale::scaleBilinear(*image, *refused, 0, 10));
    Pooled<BufferedImage> empty(BufferedImage::take());
    EXPECT_FALSE(s::image::filters::scale::scaleBilinear(*empty, *refused, 10, 10));
}

}  // namespace
