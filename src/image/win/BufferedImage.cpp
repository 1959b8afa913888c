#include "image/win/BufferedImage.h"

#include <cstring>

#include "cleaner/CleanerIObject.h"
#include "image/filters/scale/Scaling.h"
#include "platform/PixelStore.h"

namespace s::image::win {

using s::image::filters::IFilter;

BufferedImage::BufferedImage()
{
    m_filters.setElementDisposer(&s::cleaner::CleanerIObject::instance());
}

BufferedImage::~BufferedImage()
{
    delete m_scaledCache;
    delete m_filteredCache;
    // Filters still listed are destroyed with the image (the list's disposer).
}

void BufferedImage::reset()
{
    releaseStore();
    setScaledCache(nullptr);
    m_width = m_height = 0;
    m_hasAlpha = false;
    clearFilters();
    dropFilteredCache();
}

void BufferedImage::releaseStore()
{
    m_store.reset();
    m_pixels = nullptr;
    m_capacityWidth = m_capacityHeight = 0;
}

void* BufferedImage::bitmapHandle() const
{
    return m_store ? m_store->nativeHandle() : nullptr;
}

void BufferedImage::setSize(int32_t w, int32_t h)
{
    m_width = w;
    m_height = h;
}

uint32_t* BufferedImage::row(int32_t y) const
{
    // Logical row 0 is the top; the store is bottom-up.
    return reinterpret_cast<uint32_t*>(m_pixels + static_cast<size_t>(m_capacityHeight - 1 - y) * static_cast<size_t>(stride()));
}

bool BufferedImage::allocate(int32_t w, int32_t h)
{
    releaseStore();
    m_width = m_height = 0;
    auto store = std::make_unique<s::platform::PixelStore>();
    if (!store->create(w, h))
        return false;
    m_pixels = store->bits();
    m_store = std::move(store);
    m_width = m_capacityWidth = w;
    m_height = m_capacityHeight = h;
    return true;
}

bool BufferedImage::reserve(int32_t w, int32_t h)
{
    if (w <= m_capacityWidth && h <= m_capacityHeight)
        return true;
    auto store = std::make_unique<s::platform::PixelStore>();
    const int32_t newWidth = w > m_capacityWidth ? w : m_capacityWidth;
    const int32_t newHeight = h > m_capacityHeight ? h : m_capacityHeight;
    if (!store->create(newWidth, newHeight))
        return false;
    const int32_t oldWidth = m_width;
    const int32_t oldHeight = m_height;
    std::unique_ptr<s::platform::PixelStore> old = std::move(m_store);
    const uint8_t* oldPixels = m_pixels;
    const int32_t oldCapacityHeight = m_capacityHeight;
    const size_t oldStride = static_cast<size_t>(m_capacityWidth) * 4;
    m_store = std::move(store);
    m_pixels = m_store->bits();
    m_capacityWidth = newWidth;
    m_capacityHeight = newHeight;
    for (int32_t y = 0; y < oldHeight && oldPixels; ++y) {
        const uint8_t* from = oldPixels + static_cast<size_t>(oldCapacityHeight - 1 - y) * oldStride;
        std::memcpy(row(y), from, static_cast<size_t>(oldWidth) * 4);
    }
    setSize(oldWidth, oldHeight);
    return true;
}

BufferedImage* BufferedImage::createImage(int32_t w, int32_t h)
{
    BufferedImage* image = take();
    if (!image->allocate(w, h)) {
        image->release();
        return nullptr;
    }
    return image;
}

void BufferedImage::setScaledCache(BufferedImage* image)
{
    if (m_scaledCache && m_scaledCache != image)
        m_scaledCache->release();
    m_scaledCache = image;
}

BufferedImage* BufferedImage::sizedDestination(BufferedImage* destination, int32_t w, int32_t h) const
{
    if (!destination)
        return (w > 0 && h > 0) ? createImage(w, h) : take();
    destination->setSize(0, 0);
    if (w > 0 && h > 0 && !destination->reserve(w, h))
        return nullptr;
    destination->setSize(w, h);
    return destination;
}

BufferedImage* BufferedImage::copyTo(BufferedImage* destination) const
{
    BufferedImage* result = destination;
    if (result) {
        // The destination gets a store of exactly this size.
        if (m_width > 0 && m_height > 0) {
            if (!result->allocate(m_width, m_height))
                return nullptr;
        } else {
            result->releaseStore();
            result->setSize(0, 0);
        }
    } else {
        result = sizedDestination(nullptr, m_width, m_height);
        if (!result)
            return nullptr;
    }
    for (int32_t y = 0; y < m_height; ++y)
        std::memcpy(result->row(y), row(y), static_cast<size_t>(rowBytes()));
    result->m_hasAlpha = m_hasAlpha;
    return result;
}

namespace {
// Result pixel (x, y) of a turn comes from source pixel pick(x, y).
template <class Pick>
BufferedImage* transform(const BufferedImage& source, BufferedImage* result, Pick pick)
{
    if (!result)
        return nullptr;
    for (int32_t y = 0; y < result->height(); ++y) {
        uint32_t* out = result->row(y);
        for (int32_t x = 0; x < result->width(); ++x) {
            int32_t sx = 0, sy = 0;
            pick(x, y, sx, sy);
            out[x] = source.row(sy)[sx];
        }
    }
    result->setHasAlpha(source.hasAlpha());
    return result;
}
}  // namespace

BufferedImage* BufferedImage::rotateClockwise(BufferedImage* destination) const
{
    const int32_t h = m_height;
    return transform(*this, sizedDestination(destination, m_height, m_width), [h](int32_t x, int32_t y, int32_t& sx, int32_t& sy) { sx = y; sy = h - 1 - x; });
}

BufferedImage* BufferedImage::rotate180(BufferedImage* destination) const
{
    const int32_t w = m_width, h = m_height;
    return transform(*this, sizedDestination(destination, m_width, m_height), [w, h](int32_t x, int32_t y, int32_t& sx, int32_t& sy) { sx = w - 1 - x; sy = h - 1 - y; });
}

BufferedImage* BufferedImage::rotateCounterClockwise(BufferedImage* destination) const
{
    const int32_t w = m_width;
    return transform(*this, sizedDestination(destination, m_height, m_width), [w](int32_t x, int32_t y, int32_t& sx, int32_t& sy) { sx = w - 1 - y; sy = x; });
}

BufferedImage* BufferedImage::mirror(BufferedImage* destination) const
{
    const int32_t w = m_width;
    return transform(*this, sizedDestination(destination, m_width, m_height), [w](int32_t x, int32_t y, int32_t& sx, int32_t& sy) { sx = w - 1 - x; sy = y; });
}

BufferedImage* BufferedImage::flip(BufferedImage* destination) const
{
    const int32_t h = m_height;
    return transform(*this, sizedDestination(destination, m_width, m_height), [h](int32_t x, int32_t y, int32_t& sx, int32_t& sy) { sx = x; sy = h - 1 - y; });
}

namespace {
uint32_t blendOver(uint32_t s, uint32_t d)
{
    const int32_t a = static_cast<int32_t>(s >> 24);
    const int32_t b = static_cast<int32_t>(d >> 24);
    if (a == 0)
        return d;
    if (a == 255 || b == 0)
        return s;
    const int32_t c = a + b - (((a + 1) * b) >> 8);
    const int32_t w = (a * 256) / c;
    uint32_t result = static_cast<uint32_t>(c) << 24;
    for (int shift = 16; shift >= 0; shift -= 8) {
        const int32_t sc = static_cast<int32_t>((s >> shift) & 0xFF);
        const int32_t dc = static_cast<int32_t>((d >> shift) & 0xFF);
        // Arithmetic shift: negative products round toward minus infinity.
        const int32_t product = (sc - dc) * w;
        const int32_t value = dc + (product >= 0 ? (product >> 8) : -((-product + 255) >> 8));
        result |= static_cast<uint32_t>(value & 0xFF) << shift;
    }
    return result;
}
}  // namespace

void BufferedImage::drawImage(int32_t dstX, int32_t dstY, int32_t scaleWidth, int32_t scaleHeight, const BufferedImage& sourceImage, int32_t srcX, int32_t srcY, bool scaleFirst)
{
    const BufferedImage* source = &sourceImage;
    if (scaleFirst) {
        source = const_cast<BufferedImage&>(sourceImage).scaled(scaleWidth, scaleHeight, false);
        if (!source)
            return;
    }
    if (dstX < 0) {
        srcX -= dstX;
        dstX = 0;
    }
    if (dstY < 0) {
        srcY -= dstY;
        dstY = 0;
    }
    int32_t w = source->width() - srcX;
    if (m_width - dstX < w)
        w = m_width - dstX;
    int32_t h = source->height() - srcY;
    if (m_height - dstY < h)
        h = m_height - dstY;
    if (w <= 0 || h <= 0 || srcX < 0 || srcY < 0)
        return;
    for (int32_t y = 0; y < h; ++y) {
        const uint32_t* in = source->row(srcY + y) + srcX;
        uint32_t* out = row(dstY + y) + dstX;
        if (!source->hasAlpha()) {
            std::memcpy(out, in, static_cast<size_t>(w) * 4);
            continue;
        }
        for (int32_t x = 0; x < w; ++x) {
            uint32_t d = out[x];
            if (!m_hasAlpha)
                d |= 0xFF000000u;
            out[x] = blendOver(in[x], d);
        }
    }
}

BufferedImage* BufferedImage::scaled(int32_t w, int32_t h, bool keepRatio)
{
    if (keepRatio && m_width > 0 && m_height > 0) {
        const double rx = static_cast<double>(w) / m_width;
        const double ry = static_cast<double>(h) / m_height;
        if (ry > rx)
            h = static_cast<int32_t>(m_height * rx);
        else if (ry < rx)
            w = static_cast<int32_t>(m_width * ry);
    }
    if (w == m_width && h == m_height)
        return this;
    if (m_scaledCache && m_scaledCache->width() == w && m_scaledCache->height() == h)
        return m_scaledCache;
    if (!m_scaledCache) {
        BufferedImage* cache = createImage(w, h);
        if (!cache)
            return nullptr;
        setScaledCache(cache);
    }
    if (!s::image::filters::scale::scaleBilinear(*this, *m_scaledCache, w, h))
        return nullptr;
    return m_scaledCache;
}

bool BufferedImage::findFilter(const char16_t* name, int32_t* indexOut) const
{
    for (int32_t i = 0; i < m_filters.count(); ++i) {
        if (m_filters.at(i)->filterName() == name) {
            if (indexOut)
                *indexOut = i;
            return true;
        }
    }
    return false;
}

void BufferedImage::dropFilteredCache()
{
    if (m_filteredCache)
        m_filteredCache->release();
    m_filteredCache = nullptr;
}

void BufferedImage::addFilter(IFilter* filter)
{
    m_filters.add(filter);
    dropFilteredCache();
}

void BufferedImage::insertFilter(int32_t index, IFilter* filter)
{
    if (index >= m_filters.count())
        m_filters.add(filter);
    else
        m_filters.insert(index, filter);
    dropFilteredCache();
}

void BufferedImage::removeFilter(int32_t index)
{
    IFilter* filter = m_filters.removeAt(index);
    if (filter && filter->isAutoRelease())
        filter->releaseFilter();
    dropFilteredCache();
}

void BufferedImage::clearFilters()
{
    for (int32_t i = 0; i < m_filters.count(); ++i) {
        IFilter* filter = m_filters.at(i);
        if (filter && filter->isAutoRelease())
            filter->releaseFilter();
    }
    m_filters.forgetAndFree();
    dropFilteredCache();
}

void BufferedImage::forgetFilters()
{
    m_filters.forgetAndFree();
    dropFilteredCache();
}

BufferedImage* BufferedImage::applyFilters()
{
    dropFilteredCache();
    for (int32_t i = 0; i < m_filters.count(); ++i) {
        const BufferedImage& source = i == 0 ? *this : *m_filteredCache;
        BufferedImage* result = m_filters.at(i)->apply(source, take());
        dropFilteredCache();
        m_filteredCache = result;
        if (!result)
            break;
    }
    if (m_filteredCache)
        m_filteredCache->setHasAlpha(m_filteredCache->anyBelowOpaque());
    return m_filteredCache;
}

bool BufferedImage::filterInPlace(IFilter& filter)
{
    dropFilteredCache();
    if (!filter.applyInPlace(*this))
        return false;
    m_hasAlpha = anyBelowOpaque();
    return true;
}

bool BufferedImage::anyBelowOpaque() const
{
    for (int32_t y = 0; y < m_height; ++y) {
        const uint32_t* line = row(y);
        for (int32_t x = 0; x < m_width; ++x) {
            if (line[x] < 0xFF000000u)
                return true;
        }
    }
    return false;
}

BufferedImage* BufferedImage::filteredImage()
{
    return m_filteredCache ? m_filteredCache : applyFilters();
}

const BufferedImage* BufferedImage::encodeSource()
{
    if (!hasFilters())
        return this;
    return applyFilters();
}

}  // namespace s::image::win
