#include "image/bmp/win/BitmapFromImage.h"

#include "image/bmp/win/Bitmap.h"
#include "image/win/BufferedImage.h"

namespace s::image::bmp::win {

using s::image::win::BufferedImage;

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
    // Over an opaque destination the composed alpha is 255, so the weight is a * 256 / 255.
    const int32_t weight = (a * 256) / 255;
    return 0xFF000000u | overOpaque(pixel, background, weight, 16) | overOpaque(pixel, background, weight, 8) |
           overOpaque(pixel, background, weight, 0);
}

template <int Bytes>
void storeRow(const uint32_t* in, int32_t width, uint8_t* out, bool flattening, bool keepAlpha, uint32_t background)
{
    for (int32_t x = 0; x < width; ++x, out += Bytes) {
        uint32_t p = in[x];
        if (flattening)
            p = flatten(p, background);
        else if (!keepAlpha)
            p |= 0xFF000000u;
        out[0] = static_cast<uint8_t>(p);
        out[1] = static_cast<uint8_t>(p >> 8);
        out[2] = static_cast<uint8_t>(p >> 16);
        if (Bytes == 4)
            out[3] = static_cast<uint8_t>(p >> 24);
    }
}

}  // namespace

bool copyImageRows(const BufferedImage& image, Bitmap& bitmap, int32_t background)
{
    const int32_t depth = bitmap.bitCount();
    if (!bitmap.bits() || image.width() != bitmap.width() || image.height() != bitmap.height() || (depth != 24 && depth != 32))
        return false;
    const bool flattening = background >= 0 && image.hasAlpha();
    const bool keepAlpha = image.hasAlpha();
    const uint32_t opaque = 0xFF000000u | (static_cast<uint32_t>(background) & 0x00FFFFFF);
    for (int32_t y = 0; y < image.height(); ++y) {
        if (depth == 32)
            storeRow<4>(image.row(y), image.width(), bitmap.row(y), flattening, keepAlpha, opaque);
        else
            storeRow<3>(image.row(y), image.width(), bitmap.row(y), flattening, keepAlpha, opaque);
    }
    return true;
}

}  // namespace s::image::bmp::win
