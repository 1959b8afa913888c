#include "image/bmp/DibStore.h"

#include <new>

#include "image/win/BufferedImage.h"
#include "thread/Pooled.h"

namespace s::image::bmp {

using s::image::win::BufferedImage;

bool DibStore::create(int32_t width, int32_t height, uint32_t bitCount)
{
    clear();
    Fault fault = Fault::kNone;
    DibHeader header;
    if (width <= 0 || height <= 0 || !createHeader(width, height, bitCount, header, fault))
        return false;
    const size_t size = bitsSize(header);
    // Value-initialised: large blocks come as fresh zero pages, not a memset.
    uint8_t* bits = new (std::nothrow) uint8_t[size]();
    if (!bits)
        return false;
    m_dib.m_header = header;
    m_dib.m_bits.reset(bits);
    m_dib.m_bitsSize = size;
    return true;
}

void DibStore::clear()
{
    m_dib.m_bits.reset();
    m_dib.m_bitsSize = 0;
    m_dib.m_header = DibHeader();
    m_dib.m_header.m_infoHeader.m_bitCount = 0;
}

BufferedImage* DibStore::toImage(BufferedImage* destination) const
{
    if (isEmpty())
        return nullptr;
    s::thread::Pooled<BufferedImage> made;
    BufferedImage* image = destination;
    if (image) {
        if (!image->allocate(width(), height()))
            return nullptr;
    } else {
        made.hold(BufferedImage::createImage(width(), height()));
        image = made.get();
        if (!image)
            return nullptr;
    }
    // The image's rows run bottom-up too, capacityWidth pixels apart.
    const ptrdiff_t rowStride = -static_cast<ptrdiff_t>(image->capacityWidth());
    bool hasAlpha = false;
    if (!toArgb(m_dib.m_header, m_dib.m_bits.get(), m_dib.m_bitsSize, image->row(0), rowStride, -1, hasAlpha))
        return nullptr;
    image->setHasAlpha(hasAlpha);
    made.take();
    return image;
}

namespace {

// One channel of source over an opaque destination: the arithmetic of
// BufferedImage's alpha composition with the destination alpha at 255.
inline uint32_t overOpaque(uint32_t source, uint32_t destination, int32_t weight, int shift)
{
    const int32_t sc = static_cast<int32_t>((source >> shift) & 0xFF);
    const int32_t dc = static_cast<int32_t>((destination >> shift) & 0xFF);
    const int32_t product = (sc - dc) * weight;
    const int32_t value = dc + (product >= 0 ? (product >> 8) : -((-product + 255) >> 8));
    return static_cast<uint32_t>(value & 0xFF) << shift;
}

// The pixel as it shows over the opaque colour background (0xFFRRGGBB).
inline uint32_t flatten(uint32_t pixel, uint32_t background)
{
    const int32_t a = static_cast<int32_t>(pixel >> 24);
    if (a == 0)
        return background;
    if (a == 255)
        return pixel;
    // Over an opaque destination the result alpha is 255, so the weight is a * 256 / 255.
    const int32_t weight = (a * 256) / 255;
    return 0xFF000000u | overOpaque(pixel, background, weight, 16) | overOpaque(pixel, background, weight, 8) |
           overOpaque(pixel, background, weight, 0);
}

}  // namespace

bool DibStore::copyFrom(const BufferedImage& image, int32_t background)
{
    if (isEmpty() || image.width() != width() || image.height() != height())
        return false;
    const bool flattening = background >= 0 && image.hasAlpha();
    const bool keepAlpha = image.hasAlpha();
    const uint32_t opaqueBackground = 0xFF000000u | (static_cast<uint32_t>(background) & 0x00FFFFFF);
    const int32_t w = width();
    for (int32_t y = 0; y < height(); ++y) {
        const uint32_t* in = image.row(y);
        uint8_t* out = row(y);
        for (int32_t x = 0; x < w; ++x) {
            uint32_t p = in[x];
            if (flattening)
                p = flatten(p, opaqueBackground);
            else if (!keepAlpha)
                p |= 0xFF000000u;
            out[0] = static_cast<uint8_t>(p);
            out[1] = static_cast<uint8_t>(p >> 8);
            out[2] = static_cast<uint8_t>(p >> 16);
            if (bitCount() == 32) {
                out[3] = static_cast<uint8_t>(p >> 24);
                out += 4;
            } else {
                out += 3;
            }
        }
    }
    return true;
}

}  // namespace s::image::bmp
