#pragma once
#include <cstdint>

#include "image/IEncodeSetting.h"
#include "thread/PooledBy.h"

namespace s::image::gif {

// How pictures are written as GIF: the colour budget (at most
// 2^bitDepth - 1 colours plus the transparent index), whether transparency
// stays, and the background colour for what is flattened.
class EncodeSetting : public s::image::IEncodeSetting, public s::thread::PooledBy<EncodeSetting> {
public:
    static constexpr int32_t kDefaultBitDepth = 8;

    EncodeSetting() { reset(); }

    const char16_t* className() const override { return u"s_image_gif_EncodeSetting"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // A new Gif of the set: an animated set of several pictures frame by
    // frame (filters applied), anything else as its primary picture.
    s::image::IEncodedImage* toEncodedSet(s::image::win::BufferedImageSet& set) override;
    s::image::IEncodedImage* toEncoded(const s::image::win::BufferedImage& image) override;

    bool keepTransparency() const { return m_keepTransparency; }
    void setKeepTransparency(bool flag) { m_keepTransparency = flag; }
    // Carried with the other settings; the GIF writer does not interlace.
    bool withInterlace() const { return m_withInterlace; }
    void setWithInterlace(bool flag) { m_withInterlace = flag; }
    int32_t bitDepth() const { return m_bitDepth; }
    void setBitDepth(int32_t bitDepth) { m_bitDepth = bitDepth; }

private:
    bool m_keepTransparency = true;
    bool m_withInterlace = true;
    int32_t m_bitDepth = kDefaultBitDepth;
};

}  // namespace s::image::gif
