#pragma once
#include <cstdint>

namespace s::image::win {
class BufferedImage;
}

namespace s::image::bmp::win {

class Bitmap;

// Fills a 24- or 32-bit bitmap of the image's size from the image, row by
// row, with no picture-sized buffer between them: 24 bits drop alpha, 32 bits
// keep it. background >= 0 (0x00RRGGBB) first flattens an image with alpha
// onto that opaque colour, composed exactly as BufferedImage::drawImage
// composes it over an opaque canvas. An image without alpha is written
// opaque, whatever its alpha bytes hold. False when the sizes or depth differ.
bool copyImageRows(const s::image::win::BufferedImage& image, Bitmap& bitmap, int32_t background);

}  // namespace s::image::bmp::win
