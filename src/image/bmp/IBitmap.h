#pragma once
#include <cstdint>

#include "image/IEncodedImage.h"

namespace s::image::bmp {

class IBitmap : public s::image::IEncodedImage {
public:
    virtual bool createBitmap(int32_t width, int32_t height, int32_t bitCount) = 0;
    virtual int32_t bitCount() const = 0;
    virtual int32_t stride() const = 0;
    virtual bool hasAlphaChannel() const = 0;
    virtual bool hasColorTable() const = 0;
    virtual int32_t colorCount() const = 0;
    virtual int32_t colorTableBytes() const = 0;
    virtual const uint32_t* colorTable() const = 0;
    virtual uint8_t* row(int32_t y) const = 0;
    virtual uint8_t* bits() const = 0;
    virtual bool hasColorKey() const = 0;
    virtual void setColorKey(uint8_t red, uint8_t green, uint8_t blue) = 0;
    virtual bool encodeBody(s::io::IOutputStream& out) = 0;
    virtual bool decodeBody(s::io::IInputStream& in) = 0;
    virtual bool encodeImage(const s::image::win::BufferedImage& image, int32_t bitDepth, bool keepTransparency, uint8_t red, uint8_t green, uint8_t blue) = 0;
};

}  // namespace s::image::bmp
