#pragma once
#include <cstdint>

#include "image/IEncodeSetting.h"
#include "thread/PooledBy.h"

namespace s::image::bmp {

// How a picture is written as a BMP: its bit depth, and whether alpha is
// kept (32 bits only) or flattened onto the background colour.
class EncodeSetting : public s::image::IEncodeSetting, public s::thread::PooledBy<EncodeSetting> {
public:
    EncodeSetting() { reset(); }

    const char16_t* className() const override { return u"s_image_bmp_EncodeSetting"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // A new BMP codec object holding the set's primary picture.
    s::image::IEncodedImage* toEncodedSet(s::image::win::BufferedImageSet& set) override;
    // A new BMP codec object holding the image with its filters applied.
    s::image::IEncodedImage* toEncoded(const s::image::win::BufferedImage& image) override;

    bool keepTransparency() const { return m_keepTransparency; }
    void setKeepTransparency(bool keep) { m_keepTransparency = keep; }
    int32_t bitDepth() const { return m_bitDepth; }
    void setBitDepth(int32_t bitDepth) { m_bitDepth = bitDepth; }

private:
    bool m_keepTransparency = true;
    int32_t m_bitDepth = 24;
};

}  // namespace s::image::bmp
