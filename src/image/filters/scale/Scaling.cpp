#include "image/filters/scale/Scaling.h"

#include "image/win/BufferedImage.h"

namespace s::image::filters::scale {

// FIXME: the bilinear resampler comes with the icon codec, which is its
// first user; until then scaling is refused and callers keep the original.
bool scaleBilinear(const s::image::win::BufferedImage&, s::image::win::BufferedImage&, int32_t, int32_t)
{
    return false;
}

}  // namespace s::image::filters::scale
