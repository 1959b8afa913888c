#pragma once
#include "base/IObject.h"

namespace s::image::win {
class BufferedImage;
class BufferedImageSet;
}

namespace s::image {

class IEncodedImage;

// The options for writing one format, and the step that turns pictures into
// a new codec object of that format, ready for its encode(stream). Settings
// are pooled (each class through s::thread::PooledBy; give them back with
// s::thread::releaseToPool) and live for one re-encode. A null result means
// that nothing was encoded; a codec object returned belongs to the caller.
class IEncodeSetting : public s::base::IObject {
public:
    virtual IEncodedImage* toEncodedSet(s::image::win::BufferedImageSet& set) = 0;
    // The image's filters take effect here: what is encoded is the filtered
    // picture; the image itself keeps its pixels (only its filter cache fills).
    virtual IEncodedImage* toEncoded(const s::image::win::BufferedImage& image) = 0;
};

}  // namespace s::image
