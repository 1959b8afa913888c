#include "image/win/BufferedImageSet.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/PixelStore.h"
#include "thread/Pooled.h"

namespace s::image::win {

using s::thread::Pooled;

BufferedImageSet::BufferedImageSet()
{
    m_images.setElementDisposer(&BufferedImage::classPool());
}

BufferedImageSet::~BufferedImageSet()
{
    clearAndRelease();
}

void BufferedImageSet::add(BufferedImage* image, int32_t bitDepth, int32_t delay, int32_t disposal)
{
    if (!image)
        return;
    // The primary image is the first of the largest area; an equal area
    // replaces it only with a strictly greater bit depth.
    const int64_t area = image->pixelCount();
    const int64_t largest = static_cast<int64_t>(m_largestWidth) * m_largestHeight;
    if (count() == 0 || area > largest || (area == largest && bitDepth > m_primaryDepth)) {
        m_largestWidth = image->width();
        m_largestHeight = image->height();
        m_primaryDepth = bitDepth;
        m_primaryIndex = count();
    }
    m_images.add(image);
    m_bitDepths.add(bitDepth);
    m_delays.add(delay);
    m_disposals.add(disposal);
    m_frameAreas.add(FrameArea());
}

void BufferedImageSet::setFrameArea(int32_t index, const FrameArea& area)
{
    if (index >= 0 && index < count())
        m_frameAreas.at(index) = area;
}

void BufferedImageSet::setScreenSize(int32_t w, int32_t h)
{
    m_screenWidth = w > 0 ? w : 0;
    m_screenHeight = h > 0 ? h : 0;
}

int32_t BufferedImageSet::updateLargest()
{
    int64_t largest = -1;
    for (int32_t i = 0; i < count(); ++i) {
        BufferedImage* image = item(i);
        const BufferedImage* measured = image->hasFilters() ? image->filteredImage() : image;
        if (!measured)
            measured = image;
        if (measured->pixelCount() > largest) {
            largest = measured->pixelCount();
            m_largestWidth = measured->width();
            m_largestHeight = measured->height();
        }
    }
    return count();
}

void BufferedImageSet::setAnimation(bool animated, uint16_t loopCount)
{
    m_animated = animated;
    m_loopCount = loopCount;
}

template <class Make>
BufferedImageSet* BufferedImageSet::derive(Make make, bool keepPlacement) const
{
    Pooled<BufferedImageSet> result(take());
    for (int32_t i = 0; i < count(); ++i) {
        BufferedImage* image = make(i);
        if (!image)
            return nullptr;
        result->add(image, m_bitDepths.at(i), m_delays.at(i), m_disposals.at(i));
        if (keepPlacement)
            result->setFrameArea(i, m_frameAreas.at(i));
    }
    if (keepPlacement)
        result->setScreenSize(m_screenWidth, m_screenHeight);
    result->setAnimation(m_animated, m_loopCount);
    return result.take();
}

BufferedImageSet* BufferedImageSet::copy() const
{
    return derive([this](int32_t i) { return item(i)->copyTo(nullptr); }, true);
}

BufferedImageSet* BufferedImageSet::scaled(int32_t w, int32_t h, bool keepRatio) const
{
    return derive(
        [&](int32_t i) -> BufferedImage* {
            BufferedImage* scaledImage = item(i)->scaled(w, h, keepRatio);
            return scaledImage ? scaledImage->copyTo(nullptr) : nullptr;
        },
        false);
}

BufferedImageSet* BufferedImageSet::filtered() const
{
    return derive(
        [this](int32_t i) -> BufferedImage* {
            BufferedImage* image = item(i);
            const BufferedImage* source = image->hasFilters() ? image->applyFilters() : image;
            return source ? source->copyTo(nullptr) : nullptr;
        },
        true);
}

namespace {

// Disposal methods of an animation frame: what becomes of its area before
// the next frame is drawn.
constexpr int32_t kDisposeKeep = 1;
constexpr int32_t kDisposeBackground = 2;
constexpr int32_t kDisposePrevious = 3;

// The frame area clipped to its image; the whole image when not set.
BufferedImageSet::FrameArea clippedArea(BufferedImageSet::FrameArea area, const BufferedImage& image)
{
    if (area.width < 0 || area.height < 0) {
        area.x = area.y = 0;
        area.width = image.width();
        area.height = image.height();
    }
    area.x = std::clamp(area.x, 0, image.width());
    area.y = std::clamp(area.y, 0, image.height());
    area.width = std::clamp(area.width, 0, image.width() - area.x);
    area.height = std::clamp(area.height, 0, image.height() - area.y);
    return area;
}

// Draws the frame's own pixels over picture at the frame's place.
bool drawFrame(BufferedImage& picture, const BufferedImage& image, const BufferedImageSet::FrameArea& area)
{
    if (area.width == 0 || area.height == 0)
        return true;
    if (area.x == 0 && area.y == 0 && area.width == image.width() && area.height == image.height()) {
        picture.drawImage(area.left, area.top, area.width, area.height, image, 0, 0, false);
        return true;
    }
    // drawImage takes the source up to its right and bottom edges, so the
    // frame is cut out of its image first.
    Pooled<BufferedImage> frame(BufferedImage::createImage(area.width, area.height));
    if (!frame)
        return false;
    for (int32_t y = 0; y < area.height; ++y)
        std::memcpy(frame->row(y), image.row(area.y + y) + area.x, static_cast<size_t>(area.width) * 4);
    frame->setHasAlpha(image.hasAlpha());
    picture.drawImage(area.left, area.top, area.width, area.height, *frame, 0, 0, false);
    return true;
}

void clearArea(BufferedImage& picture, const BufferedImageSet::FrameArea& area)
{
    const int64_t left = std::clamp<int64_t>(area.left, 0, picture.width());
    const int64_t top = std::clamp<int64_t>(area.top, 0, picture.height());
    const int64_t right = std::clamp<int64_t>(static_cast<int64_t>(area.left) + area.width, left, picture.width());
    const int64_t bottom = std::clamp<int64_t>(static_cast<int64_t>(area.top) + area.height, top, picture.height());
    for (int64_t y = top; y < bottom; ++y) {
        uint32_t* line = picture.row(static_cast<int32_t>(y));
        std::fill(line + left, line + right, 0u);
    }
}

bool anyTransparent(const BufferedImage& image)
{
    for (int32_t y = 0; y < image.height(); ++y) {
        const uint32_t* line = image.row(y);
        for (int32_t x = 0; x < image.width(); ++x) {
            if (line[x] < 0xFF000000u)
                return true;
        }
    }
    return false;
}

}  // namespace

// The logical screen, widened to hold the first frame when the file's
// screen is smaller (a header that understates a still picture must not cut
// it); without a screen, the extent of all frames. False when the composed
// pictures together would pass the pixel cap.
bool BufferedImageSet::composedCanvasSize(int32_t* w, int32_t* h) const
{
    int64_t width = m_screenWidth;
    int64_t height = m_screenHeight;
    const bool screenKnown = width > 0 && height > 0;
    for (int32_t i = 0; i < count(); ++i) {
        if (screenKnown && i > 0)
            break;
        const FrameArea area = clippedArea(m_frameAreas.at(i), *item(i));
        width = std::max<int64_t>(width, static_cast<int64_t>(area.left) + area.width);
        height = std::max<int64_t>(height, static_cast<int64_t>(area.top) + area.height);
    }
    if (width < 1 || height < 1)
        return false;
    const uint64_t total = static_cast<uint64_t>(count()) * static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    if (total > s::platform::PixelStore::kMaxPixels)
        return false;
    *w = static_cast<int32_t>(width);
    *h = static_cast<int32_t>(height);
    return true;
}

BufferedImageSet* BufferedImageSet::composed() const
{
    Pooled<BufferedImageSet> result(take());
    if (count() == 0) {
        result->setAnimation(true, m_loopCount);
        return result.take();
    }
    int32_t canvasWidth = 0;
    int32_t canvasHeight = 0;
    if (!composedCanvasSize(&canvasWidth, &canvasHeight))
        return nullptr;
    // What the screen shows; it starts transparent (new stores are zeroed)
    // and is marked so, or drawing would take its pixels as opaque.
    Pooled<BufferedImage> screen(BufferedImage::createImage(canvasWidth, canvasHeight));
    if (!screen)
        return nullptr;
    screen->setHasAlpha(true);
    for (int32_t i = 0; i < count(); ++i) {
        const FrameArea area = clippedArea(m_frameAreas.at(i), *item(i));
        const int32_t disposal = m_disposals.at(i);
        Pooled<BufferedImage> restore;
        if (disposal == kDisposePrevious) {
            restore.hold(screen->copyTo(nullptr));
            if (!restore)
                return nullptr;
        }
        if (!drawFrame(*screen, *item(i), area))
            return nullptr;
        Pooled<BufferedImage> shown(screen->copyTo(nullptr));
        if (!shown)
            return nullptr;
        shown->setHasAlpha(anyTransparent(*shown));
        // A frame drawn over the picture so far stands alone, so it is
        // marked to be replaced (disposal 2) rather than kept.
        result->add(shown.take(), m_bitDepths.at(i), m_delays.at(i), i > 0 && disposal == kDisposeKeep ? kDisposeBackground : disposal);
        if (disposal == kDisposeBackground)
            clearArea(*screen, area);
        else if (disposal == kDisposePrevious)
            screen.hold(restore.take());
    }
    result->setScreenSize(canvasWidth, canvasHeight);
    result->setAnimation(true, m_loopCount);
    return result.take();
}

bool BufferedImageSet::findExact(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const
{
    for (int32_t i = 0; i < count(); ++i) {
        if (item(i)->width() == w && item(i)->height() == h && m_bitDepths.at(i) == bitDepth) {
            if (indexOut)
                *indexOut = i;
            return true;
        }
    }
    if (indexOut)
        *indexOut = 0;
    return false;
}

bool BufferedImageSet::findNearest(int32_t w, int32_t h, int32_t bitDepth, bool bySize, int32_t* indexOut) const
{
    constexpr int64_t kSentinel = -16777215;
    int32_t bestIndex = -1;
    int64_t bestDepth = kSentinel;
    int64_t bestArea = kSentinel;
    const int64_t wantedArea = static_cast<int64_t>(w) * h;
    for (int32_t i = 0; i < count(); ++i) {
        const BufferedImage* image = item(i);
        const int32_t depth = m_bitDepths.at(i);
        if (image->width() == w && image->height() == h && depth == bitDepth) {
            if (indexOut)
                *indexOut = i;
            return true;
        }
        const int64_t dDepth = std::llabs(static_cast<int64_t>(bitDepth) - depth);
        const int64_t dArea = std::llabs(wantedArea - image->pixelCount());
        const int64_t bestDDepth = std::llabs(static_cast<int64_t>(bitDepth) - bestDepth);
        const int64_t bestDArea = std::llabs(wantedArea - bestArea);
        const bool better = bySize ? (dArea < bestDArea || (dArea == bestDArea && dDepth < bestDDepth))
                                   : (dDepth < bestDDepth || (dDepth == bestDDepth && dArea < bestDArea));
        if (bestIndex < 0 || better) {
            bestIndex = i;
            bestDepth = depth;
            bestArea = image->pixelCount();
        }
    }
    if (bestIndex < 0) {
        if (indexOut)
            *indexOut = 0;
        return false;
    }
    if (indexOut)
        *indexOut = bestIndex;
    return true;
}

bool BufferedImageSet::findNearestDepth(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const
{
    return findNearest(w, h, bitDepth, false, indexOut);
}

bool BufferedImageSet::findNearestSize(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const
{
    return findNearest(w, h, bitDepth, true, indexOut);
}

void BufferedImageSet::clear()
{
    m_animated = false;
    m_largestWidth = m_largestHeight = 0;
    m_primaryDepth = m_primaryIndex = 0;
    m_images.forget();
    m_bitDepths.clear();
    m_delays.clear();
    m_disposals.clear();
    m_frameAreas.clear();
    m_screenWidth = m_screenHeight = 0;
}

void BufferedImageSet::clearAndRelease()
{
    m_animated = false;
    m_loopCount = 1;
    m_largestWidth = m_largestHeight = 0;
    m_primaryDepth = m_primaryIndex = 0;
    m_images.clearAndFree();
    m_bitDepths.clearAndFree();
    m_delays.clearAndFree();
    m_disposals.clearAndFree();
    m_frameAreas.clearAndFree();
    m_screenWidth = m_screenHeight = 0;
}

}  // namespace s::image::win
