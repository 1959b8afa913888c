#pragma once
#include <cstdint>

namespace s::image::win {
class BufferedImage;
}

namespace resgen {

// The program's pictures, drawn in code so that no binary art lives in the
// tree. Each returns a new pooled image (the caller releases it), or null
// when memory is refused.
class Artwork {
public:
    // The product icon at size x size: a sharp triangle inside a lens ring
    // on a rounded blue square, transparent around the square. Kept to a few
    // bold shapes so that it still reads at 16 pixels.
    static s::image::win::BufferedImage* productIcon(int32_t size);
    // The About banner: a calm diagonal gradient with soft circles and the
    // icon's triangle, opaque, no text (the window writes its own).
    static s::image::win::BufferedImage* aboutBanner(int32_t width, int32_t height);
};

}  // namespace resgen
