#pragma once
#include <cstdint>

namespace s::image::win {
class BufferedImage;
}

namespace s::image::filters::scale {

// Resamples source into destination, sized to w x h, with the shared
// bilinear filter. False when the destination cannot be sized.
bool scaleBilinear(const s::image::win::BufferedImage& source, s::image::win::BufferedImage& destination, int32_t w, int32_t h);

}  // namespace s::image::filters::scale
