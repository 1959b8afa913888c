#pragma once
#include <cstdint>

#include "image/IEncodedImage.h"

namespace s::image::png {

// A PNG file's picture, held as a 32-bit bottom-up bitmap (blue, green, red,
// alpha not premultiplied), and whether it is written interlaced.
class IPng : public s::image::IEncodedImage {
public:
    // An empty (transparent black) 32-bit picture of that size; false when refused.
    virtual bool createStorage(int32_t width, int32_t height) = 0;
    // Adam7 interlacing for the next encode.
    virtual void setInterlace(bool interlace) = 0;
    virtual bool isInterlaced() const = 0;
    // Builds the picture from image. Its alpha is kept when keepTransparency
    // is set; otherwise it is flattened onto the opaque colour (red, green, blue).
    virtual bool encodeImage(const s::image::win::BufferedImage& image, bool interlace, bool keepTransparency, int32_t red, int32_t green, int32_t blue) = 0;

    // The stored picture: always 32 bits per pixel; row(y) counts from the
    // top and is null when there is no picture.
    virtual int32_t bitDepth() const = 0;
    virtual int32_t bytesPerRow() const = 0;
    virtual uint8_t* row(int32_t y) const = 0;
};

}  // namespace s::image::png
