#pragma once
#include <cstdint>

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

    // The colour that transparency is flattened onto where the format or
    // bit depth has none; white after reset.
    void setBackground(int32_t red, int32_t green, int32_t blue)
    {
        m_bgRed = red;
        m_bgGreen = green;
        m_bgBlue = blue;
    }
    int32_t bgRed() const { return m_bgRed; }
    int32_t bgGreen() const { return m_bgGreen; }
    int32_t bgBlue() const { return m_bgBlue; }

protected:
    static constexpr int32_t kWhite = 255;

    void resetBackground() { setBackground(kWhite, kWhite, kWhite); }
    // A background channel as a byte, whatever was set.
    static uint8_t channel(int32_t value) { return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value)); }

    int32_t m_bgRed = kWhite;
    int32_t m_bgGreen = kWhite;
    int32_t m_bgBlue = kWhite;
};

}  // namespace s::image
