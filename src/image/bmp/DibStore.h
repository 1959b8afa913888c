#pragma once
#include <cstddef>
#include <cstdint>

#include "image/bmp/BmpFormat.h"

namespace s::image::win {
class BufferedImage;
}

namespace s::image::bmp {

// A codec's own picture, laid out as a DIB section is: rows bottom-up, each
// padded to a multiple of four bytes, pixels blue, green, red (and alpha at
// 32 bits, not premultiplied). Plain memory on both builds, zero-filled when
// made, so rows a decoder never reaches read as black, never as old memory.
class DibStore {
public:
    DibStore() = default;
    DibStore(const DibStore&) = delete;
    DibStore& operator=(const DibStore&) = delete;

    // A zeroed picture of width x height at bitCount (24 or 32). False, and
    // an empty store, for a negative or empty size, a picture above
    // kMaxPixels, or memory the system refuses.
    bool create(int32_t width, int32_t height, uint32_t bitCount);
    // Back to the empty store.
    void clear();

    int32_t width() const { return m_dib.m_header.m_infoHeader.m_width; }
    int32_t height() const { return m_dib.m_header.m_infoHeader.m_height; }
    uint32_t bitCount() const { return m_dib.m_header.m_infoHeader.m_bitCount; }
    uint32_t stride() const { return m_dib.m_header.m_stride; }
    bool isEmpty() const { return !m_dib.m_bits; }
    const DibHeader& header() const { return m_dib.m_header; }
    // Picture row y, 0 being the top. No bounds check: callers stay below height().
    uint8_t* row(int32_t y) const
    {
        return m_dib.m_bits.get() + static_cast<size_t>(height() - 1 - y) * stride();
    }

    // The picture as 32-bit pixels in destination, or in a new pooled image
    // when destination is null. Alpha follows the rule for a 32-bit DIB: the
    // stored bytes count when at least one is not 0, otherwise the picture is
    // opaque; 24 bits are opaque. Null when the store is empty or the memory
    // is refused.
    s::image::win::BufferedImage* toImage(s::image::win::BufferedImage* destination) const;

    // Fills the store, which has the image's size, from the image: 24 bits
    // drop alpha, 32 bits keep it. background >= 0 (0x00RRGGBB) flattens an
    // image with alpha onto that opaque colour first, composed exactly as
    // BufferedImage::drawImage composes it over an opaque canvas. An image
    // without alpha is opaque whatever its alpha bytes hold.
    bool copyFrom(const s::image::win::BufferedImage& image, int32_t background);

private:
    Dib m_dib;
};

}  // namespace s::image::bmp
