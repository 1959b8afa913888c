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

private:
    bool m_keepTransparency = true;
    bool m_withInterlace = true;
};

}  // namespace s::image::png
