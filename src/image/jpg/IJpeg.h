#pragma once
#include <cstdint>

#include "image/IEncodedImage.h"

namespace s::image::jpg {

// A JPEG file's picture, held as a 24-bit bottom-up bitmap (blue, green,
// red, rows padded to four bytes), and the quality it is written with.
class IJpeg : public s::image::IEncodedImage {
public:
    // An empty (black) 24-bit picture of that size; false when refused.
    virtual bool createStorage(int32_t width, int32_t height) = 0;
    virtual int32_t setQuality(int32_t quality) = 0;
    virtual int32_t quality() const = 0;
    // Builds the picture from image at this quality; transparency is
    // flattened onto the opaque colour (red, green, blue). An opaque image
    // may be read where it lies when the picture is encoded, so it must
    // stay unchanged until then.
    virtual bool encodeImage(const s::image::win::BufferedImage& image, int32_t quality, int32_t red, int32_t green, int32_t blue) = 0;

    // The stored picture: always 24 bits per pixel; bytesPerRow includes the
    // padding; row(y) counts from the top and is null when there is no picture.
    virtual int32_t bitDepth() const = 0;
    virtual int32_t bytesPerRow() const = 0;
    virtual uint8_t* row(int32_t y) const = 0;
};

}  // namespace s::image::jpg
