#pragma once
#include <cstdint>

#include "image/IEncodedImage.h"

namespace s::image::ico {

// One picture of an icon file in the classic form: a 40-byte info header
// (with the picture's own height), a colour table for 1, 4 and 8 bits, the
// colour bits and a 1-bit transparency mask, both bottom row first.
class IIconImage : public s::image::IEncodedImage {
public:
    // An empty picture of that size and depth (colour bits and mask zero);
    // false when the size or depth is refused.
    virtual bool createStorage(int32_t width, int32_t height, int32_t bitCount) = 0;
    virtual int32_t bitCount() const = 0;
    // Rows are addressed from the top (y = 0); null without a picture.
    virtual uint8_t* colorBits() const = 0;
    virtual uint8_t* colorRow(int32_t y) const = 0;
    virtual int32_t colorStride() const = 0;
    virtual uint8_t* maskBits() const = 0;
    virtual uint8_t* maskRow(int32_t y) const = 0;
    virtual int32_t maskStride() const = 0;
    // Builds the picture from image at bitCount bits, with a mask where the
    // image is transparent (when keepTransparency) or flattened onto the
    // colour (red, green, blue) otherwise.
    virtual bool encodeImage(const s::image::win::BufferedImage& image, int32_t bitCount, bool keepTransparency, uint8_t red, uint8_t green, uint8_t blue) = 0;
};

}  // namespace s::image::ico
