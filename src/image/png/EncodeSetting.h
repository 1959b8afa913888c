#pragma once
#include <cstdint>

#include "image/IEncodeSetting.h"
#include "thread/PooledBy.h"

namespace s::image::png {

// How a picture is written as PNG: whether its alpha is kept (or flattened
// onto the background colour) and whether the file is interlaced.
class EncodeSetting : public s::image::IEncodeSetting, public s::thread::PooledBy<EncodeSetting> {
public:
    EncodeSetting() { reset(); }

    const char16_t* className() const override { return u"s_image_png_EncodeSetting"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // A new PNG codec object holding the set's primary picture.
    s::image::IEncodedImage* toEncodedSet(s::image::win::BufferedImageSet& set) override;
    // A new PNG codec object holding the image with its filters applied.
    s::image::IEncodedImage* toEncoded(const s::image::win::BufferedImage& image) override;

    bool keepTransparency() const { return m_keepTransparency; }
    void setKeepTransparency(bool keep) { m_keepTransparency = keep; }
    bool withInterlace() const { return m_withInterlace; }
    void setWithInterlace(bool interlace) { m_withInterlace = interlace; }
    void setBackground(int32_t red, int32_t green, int32_t blue)
    {
        m_bgRed = red;
        m_bgGreen = green;
        m_bgBlue = blue;
    }
    int32_t bgRed() const { return m_bgRed; }
    int32_t bgGreen() const { return m_bgGreen; }
    int32_t bgBlue() const { return m_bgBlue; }

private:
    bool m_keepTransparency = true;
    bool m_withInterlace = true;
    int32_t m_bgRed = 255;
    int32_t m_bgGreen = 255;
    int32_t m_bgBlue = 255;
};

}  // namespace s::image::png
