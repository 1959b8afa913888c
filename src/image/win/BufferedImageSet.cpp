#include "image/win/BufferedImageSet.h"

#include <cstdlib>

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
BufferedImageSet* BufferedImageSet::derive(Make make) const
{
    Pooled<BufferedImageSet> result(take());
    for (int32_t i = 0; i < count(); ++i) {
        BufferedImage* image = make(i);
        if (!image)
            return nullptr;
        result->add(image, m_bitDepths.at(i), m_delays.at(i), m_disposals.at(i));
    }
    result->setAnimation(m_animated, m_loopCount);
    return result.take();
}

BufferedImageSet* BufferedImageSet::copy() const
{
    return derive([this](int32_t i) { return item(i)->copyTo(nullptr); });
}

BufferedImageSet* BufferedImageSet::scaled(int32_t w, int32_t h, bool keepRatio) const
{
    return derive([&](int32_t i) -> BufferedImage* {
        BufferedImage* scaledImage = item(i)->scaled(w, h, keepRatio);
        return scaledImage ? scaledImage->copyTo(nullptr) : nullptr;
    });
}

BufferedImageSet* BufferedImageSet::filtered() const
{
    return derive([this](int32_t i) -> BufferedImage* {
        BufferedImage* image = item(i);
        const BufferedImage* source = image->hasFilters() ? image->applyFilters() : image;
        return source ? source->copyTo(nullptr) : nullptr;
    });
}

BufferedImageSet* BufferedImageSet::composed() const
{
    Pooled<BufferedImageSet> result(take());
    for (int32_t i = 0; i < count(); ++i) {
        Pooled<BufferedImage> frame(item(i)->copyTo(nullptr));
        if (!frame)
            return nullptr;
        int32_t disposal = disposalAt(i);
        if (i > 0 && disposal == 1) {
            // Drawn over the picture so far; the result stands alone, so it
            // is marked to be replaced (disposal 2) rather than kept.
            Pooled<BufferedImage> over(result->item(i - 1)->copyTo(nullptr));
            if (!over)
                return nullptr;
            over->drawImage(0, 0, frame->width(), frame->height(), *frame, 0, 0, false);
            frame.hold(over.take());
            disposal = 2;
        }
        result->add(frame.take(), m_bitDepths.at(i), m_delays.at(i), disposal);
    }
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
}

}  // namespace s::image::win
