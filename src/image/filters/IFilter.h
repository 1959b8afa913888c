#pragma once
#include "base/IObject.h"
#include "thread/IPoolable.h"

namespace s::image::win {
class BufferedImage;
}

namespace s::image::filters {

// A filter that can sit in an image's filter list. A filter with the
// auto-release flag belongs to the list and goes back to its pool when the
// list is cleared; one without belongs to whoever added it.
class IFilter : public s::base::IObject {
public:
    virtual const char16_t* filterName() const = 0;
    virtual bool isAutoRelease() const = 0;
    virtual void setAutoRelease(bool flag) = 0;
    // Filters source into destination (or into a new pooled image when
    // destination is null) and returns the result.
    virtual s::image::win::BufferedImage* apply(const s::image::win::BufferedImage& source, s::image::win::BufferedImage* destination) = 0;
    // Filters the image's own pixels, when nothing needs the picture as it
    // was: no second whole picture is made. False (image unchanged) when
    // the filter cannot run. By default the filter runs into a copy that
    // is then copied back.
    virtual bool applyInPlace(s::image::win::BufferedImage& image);
    // Back to the filter's pool.
    virtual void releaseFilter() = 0;
};

}  // namespace s::image::filters
