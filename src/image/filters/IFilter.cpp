#include "image/filters/IFilter.h"

#include "image/win/BufferedImage.h"
#include "thread/Pooled.h"

namespace s::image::filters {

bool IFilter::applyInPlace(s::image::win::BufferedImage& image)
{
    s::thread::Pooled<s::image::win::BufferedImage> result(apply(image, nullptr));
    if (!result || result->width() != image.width() || result->height() != image.height())
        return false;
    return result->copyTo(&image) != nullptr;
}

}  // namespace s::image::filters
