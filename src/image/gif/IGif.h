#pragma once
#include <cstdint>

#include "image/IEncodedImage.h"

namespace s::image::gif {

// A GIF file's frames: palette pictures with a transparent index, delay and
// disposal each, and the animation's loop count.
class IGif : public s::image::IEncodedImage {
public:
    // Removes every frame and makes one width x height frame of index 0
    // (no transparency, delay and disposal 0); false when refused.
    virtual bool createStorage(int32_t width, int32_t height) = 0;
    // Whether some frame has a transparent colour index.
    virtual bool hasTransparency() const = 0;
    // Appends image as a frame of at most 2^bitDepth - 1 colours. With
    // keepTransparency, pixels of alpha below alphaCut become the
    // transparent index 2^bitDepth - 1; without, the picture is flattened
    // onto the opaque colour (red, green, blue). False when refused.
    virtual bool encodeImage(const s::image::win::BufferedImage& image, int32_t bitDepth, bool keepTransparency, int32_t red, int32_t green, int32_t blue, int32_t alphaCut) = 0;
    // Appends the pictures of an animated set: the first whole, each later
    // one as the pixels that changed over the picture before it. A set of one
    // picture, or one not animated, gives one frame of its primary image.
    virtual bool encodeAnimation(const s::image::win::BufferedImageSet& set, int32_t bitDepth, bool keepTransparency, int32_t red, int32_t green, int32_t blue) = 0;

    // Bits per entry of the colour table read last, 0 when the file had none.
    virtual int32_t colorBits() const = 0;
    virtual uint16_t loopCount() const = 0;

    // The first frame's picture: 8 bits per pixel, rows from the top, null
    // when there is no frame.
    virtual int32_t bitDepth() const = 0;
    virtual int32_t bytesPerRow() const = 0;
    virtual uint8_t* row(int32_t y) const = 0;
};

}  // namespace s::image::gif
