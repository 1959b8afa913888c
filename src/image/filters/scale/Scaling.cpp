#include "image/filters/scale/Scaling.h"

#include <cstring>
#include <memory>
#include <new>

#include "image/filters/scale/BilinearFilter.h"
#include "image/filters/scale/Contribution.h"
#include "image/win/BufferedImage.h"
#include "platform/PixelStore.h"

namespace s::image::filters::scale {

using s::image::win::BufferedImage;

namespace {

// One destination pixel from the source pixels an entry names, each channel
// weighed on its own in 16.16 fixed point. The weights are never negative
// and add up to at most 1.0, so a channel cannot leave 0..255.
// pixelAt(j) answers source pixel j of the line.
template <class PixelAt>
uint32_t applyEntry(const Contribution& table, int32_t entry, PixelAt pixelAt)
{
    const int32_t first = table.first(entry);
    const int32_t last = table.last(entry);
    if (first == last)
        return pixelAt(first);
    uint32_t sums[4] = {0, 0, 0, 0};
    for (int32_t j = first; j <= last; ++j) {
        const uint32_t weight = static_cast<uint32_t>(table.weight(entry, j - first));
        const uint32_t pixel = pixelAt(j);
        for (int c = 0; c < 4; ++c)
            sums[c] += weight * ((pixel >> (8 * c)) & 0xFF);
    }
    uint32_t result = 0;
    for (int c = 0; c < 4; ++c)
        result |= (((sums[c] + 32768) >> 16) & 0xFF) << (8 * c);
    return result;
}

// The intermediate picture: sourceHeight rows of destinationWidth pixels,
// row 0 at the top like the images'.
struct Intermediate {
    std::unique_ptr<uint32_t[]> pixels;  // owned
    int32_t width = 0;
    uint32_t* row(int32_t y) { return pixels.get() + static_cast<size_t>(y) * static_cast<size_t>(width); }
};

bool horizontalPass(const BufferedImage& source, const IScaleFilter& filter, int32_t sw, int32_t sh, int32_t dw, Intermediate& out)
{
    if (sw == dw) {
        for (int32_t y = 0; y < sh; ++y)
            std::memcpy(out.row(y), source.row(y), static_cast<size_t>(dw) * 4);
        return true;
    }
    Contribution table;
    if (!table.build(filter, dw, sw, static_cast<double>(dw) / sw))
        return false;
    for (int32_t y = 0; y < sh; ++y) {
        const uint32_t* in = source.row(y);
        uint32_t* line = out.row(y);
        for (int32_t i = 0; i < dw; ++i)
            line[i] = applyEntry(table, i, [in](int32_t j) { return in[j]; });
    }
    return true;
}

bool verticalPass(Intermediate& in, const IScaleFilter& filter, int32_t sh, int32_t dw, int32_t dh, BufferedImage& destination)
{
    if (sh == dh) {
        for (int32_t y = 0; y < dh; ++y)
            std::memcpy(destination.row(y), in.row(y), static_cast<size_t>(dw) * 4);
        return true;
    }
    Contribution table;
    if (!table.build(filter, dh, sh, static_cast<double>(dh) / sh))
        return false;
    // Entries count rows from the bottom; the pictures count them from the top.
    for (int32_t k = 0; k < dh; ++k) {
        uint32_t* line = destination.row(dh - 1 - k);
        for (int32_t x = 0; x < dw; ++x)
            line[x] = applyEntry(table, k, [&in, sh, x](int32_t j) { return in.row(sh - 1 - j)[x]; });
    }
    return true;
}

}  // namespace

bool resample(const BufferedImage& source, BufferedImage& destination, const IScaleFilter& filter, int32_t sw, int32_t sh, int32_t dw, int32_t dh)
{
    if (sw < 1 || sh < 1 || dw < 1 || dh < 1 || sw > source.width() || sh > source.height())
        return false;
    // The intermediate picture is as tall as the source and as wide as the
    // destination; both passed the pixel cap, their mix need not have.
    const uint64_t intermediatePixels = static_cast<uint64_t>(sh) * static_cast<uint64_t>(dw);
    if (intermediatePixels > s::platform::PixelStore::kMaxPixels)
        return false;
    destination.setSize(0, 0);
    if (!destination.reserve(dw, dh))
        return false;
    destination.setSize(dw, dh);
    Intermediate middle;
    middle.width = dw;
    middle.pixels.reset(new (std::nothrow) uint32_t[static_cast<size_t>(intermediatePixels)]);
    if (!middle.pixels)
        return false;
    if (!horizontalPass(source, filter, sw, sh, dw, middle))
        return false;
    if (!verticalPass(middle, filter, sh, dw, dh, destination))
        return false;
    destination.setHasAlpha(source.hasAlpha());
    return true;
}

bool scaleBilinear(const BufferedImage& source, BufferedImage& destination, int32_t w, int32_t h)
{
    // One filter serves every call; it is only read.
    static const BilinearFilter sharedFilter;
    return resample(source, destination, sharedFilter, source.width(), source.height(), w, h);
}

}  // namespace s::image::filters::scale
