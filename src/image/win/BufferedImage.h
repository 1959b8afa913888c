#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

#include "col/_array/ArrayP.h"
#include "image/IImage.h"
#include "image/filters/IFilter.h"
#include "thread/PooledBy.h"

namespace s::platform {
class PixelStore;
}

namespace s::image::win {

// The system's one in-memory picture: 32-bit pixels 0xAARRGGBB (not
// premultiplied), held bottom-up in a store that may be larger than the
// picture, plus a list of filters applied lazily and cached.
class BufferedImage : public s::image::IImage, public s::thread::PooledBy<BufferedImage> {
public:
    BufferedImage();
    ~BufferedImage() override;

    const char16_t* className() const override { return u"s_image_win_BufferedImage"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    int32_t width() const override { return m_width; }
    int32_t height() const override { return m_height; }
    bool isImageBuffer() const { return true; }
    // The native bitmap handle of the store (HBITMAP on Windows), or null.
    void* bitmapHandle() const;

    void setSize(int32_t w, int32_t h);
    // Grows the capacity to at least w x h keeping the picture; false when
    // the memory cannot be had (the image is then unchanged).
    bool reserve(int32_t w, int32_t h);
    // A new store of exactly w x h; false (and an empty image) when refused.
    bool allocate(int32_t w, int32_t h);
    // A new pooled image allocated to w x h, or null when refused.
    static BufferedImage* createImage(int32_t w, int32_t h);

    int32_t rowBytes() const { return m_width * 4; }
    int32_t capacityWidth() const { return m_capacityWidth; }
    int32_t capacityHeight() const { return m_capacityHeight; }
    int32_t stride() const { return m_capacityWidth * 4; }
    uint32_t* row(int32_t y) const;
    uint8_t* pixels() const { return m_pixels; }
    int64_t pixelCount() const { return static_cast<int64_t>(m_width) * m_height; }

    bool hasAlpha() const { return m_hasAlpha; }
    void setHasAlpha(bool flag) { m_hasAlpha = flag; }

    BufferedImage* scaledCache() const { return m_scaledCache; }
    void setScaledCache(BufferedImage* image);

    // Copies and turns: into destination (reused) or a new pooled image when
    // null. Null when memory is refused.
    BufferedImage* copyTo(BufferedImage* destination) const;
    BufferedImage* rotateClockwise(BufferedImage* destination) const;
    BufferedImage* rotate180(BufferedImage* destination) const;
    BufferedImage* rotateCounterClockwise(BufferedImage* destination) const;
    BufferedImage* mirror(BufferedImage* destination) const;
    BufferedImage* flip(BufferedImage* destination) const;

    // Composes source over this image, blending by alpha.
    void drawImage(int32_t dstX, int32_t dstY, int32_t scaleWidth, int32_t scaleHeight, const BufferedImage& source, int32_t srcX, int32_t srcY, bool scaleFirst);
    // A scaled copy owned by this image (or this image itself).
    BufferedImage* scaled(int32_t w, int32_t h, bool keepRatio);

    bool hasFilters() const { return !m_filters.isEmpty(); }
    bool findFilter(const char16_t* name, int32_t* indexOut) const;
    s::col::_array::ArrayP<s::image::filters::IFilter>& filterList() { return m_filters; }
    s::image::filters::IFilter* filterAt(int32_t index) const { return m_filters.at(index); }
    void addFilter(s::image::filters::IFilter* filter);
    void insertFilter(int32_t index, s::image::filters::IFilter* filter);
    void removeFilter(int32_t index);
    void clearFilters();
    void forgetFilters();
    BufferedImage* applyFilters();
    // Runs one filter over the image's own pixels (no filtered copy is
    // made) when the picture as it was is no longer needed; the filter
    // stays the caller's.
    bool filterInPlace(s::image::filters::IFilter& filter);
    BufferedImage* filteredImage();
    // What an encoder reads: the filtered result when there are filters.
    const BufferedImage* encodeSource();

    // Writes the picture (filters applied) as a GIF file under a path that
    // must be free; false when it is taken or anything fails. Defined with
    // the GIF codec.
    bool saveGif(std::u16string_view pathText);
    // The same as a JPEG file at quality, transparency flattened onto the
    // colour (red, green, blue). Defined with the JPEG codec.
    bool saveJpeg(std::u16string_view pathText, int32_t quality = 75, int32_t red = 255, int32_t green = 255, int32_t blue = 255);
    // The same as a PNG file, Adam7 when interlace is set, alpha kept or
    // flattened onto the colour (red, green, blue). Defined with the PNG codec.
    bool savePng(std::u16string_view pathText, bool interlace = true, bool keepTransparency = true, int32_t red = 255, int32_t green = 255, int32_t blue = 255);

private:
    BufferedImage* sizedDestination(BufferedImage* destination, int32_t w, int32_t h) const;
    void dropFilteredCache();
    bool anyBelowOpaque() const;
    void releaseStore();

    std::unique_ptr<s::platform::PixelStore> m_store;  // owned
    uint8_t* m_pixels = nullptr;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_capacityWidth = 0;
    int32_t m_capacityHeight = 0;
    BufferedImage* m_scaledCache = nullptr;  // owned
    bool m_hasAlpha = false;
    s::col::_array::ArrayP<s::image::filters::IFilter> m_filters;
    BufferedImage* m_filteredCache = nullptr;  // owned
};

}  // namespace s::image::win
