#pragma once
#include <cstdint>

namespace s::image::win {
class BufferedImage;
}

namespace s::image::filters::scale {

class IScaleFilter;

// Separable two-pass resampling: the picture is resized horizontally into an
// intermediate picture, then vertically into the destination. Columns count
// from the left and rows from the bottom, so destination row 0 (the bottom
// row) sits on source row 0 and the top of an enlarged picture repeats its
// top row. Colours are not weighted by alpha.
//
// Sizes destination to destinationWidth x destinationHeight (keeping its
// store when large enough) and copies the source's hasAlpha. False, with the
// destination's pixels unspecified, when a size is below 1, the source holds
// fewer pixels than sourceWidth x sourceHeight, or memory is refused.
bool resample(const s::image::win::BufferedImage& source, s::image::win::BufferedImage& destination, const IScaleFilter& filter, int32_t sourceWidth, int32_t sourceHeight, int32_t destinationWidth, int32_t destinationHeight);

// Resamples source into destination, sized to w x h, with the shared
// bilinear filter. False when the destination cannot be sized.
bool scaleBilinear(const s::image::win::BufferedImage& source, s::image::win::BufferedImage& destination, int32_t w, int32_t h);

}  // namespace s::image::filters::scale
