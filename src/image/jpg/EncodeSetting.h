#pragma once
#include <cstdint>

#include "image/IEncodeSetting.h"
#include "thread/PooledBy.h"

namespace s::image::jpg {

// How a picture is written as JPEG: the quality, and the colour that
// transparency is flattened onto (JPEG has none).
class EncodeSetting : public s::image::IEncodeSetting, public s::thread::PooledBy<EncodeSetting> {
public:
    EncodeSetting() { reset(); }

    const char16_t* className() const override { return u"s_image_jpg_EncodeSetting"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // A new JPEG codec object holding the set's primary picture.
    s::image::IEncodedImage* toEncodedSet(s::image::win::BufferedImageSet& set) override;
    // A new JPEG codec object holding the image with its filters applied.
    s::image::IEncodedImage* toEncoded(const s::image::win::BufferedImage& image) override;

    int32_t quality() const { return m_quality; }
    void setQuality(int32_t quality) { m_quality = quality; }

private:
    int32_t m_quality = 75;
};

}  // namespace s::image::jpg
