#include "image/bmp/EncodeSetting.h"

#include "image/bmp/win/Bitmap.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

namespace s::image::bmp {

using s::image::win::BufferedImage;

void EncodeSetting::reset()
{
    m_keepTransparency = true;
    m_bgRed = m_bgGreen = m_bgBlue = 255;
    m_bitDepth = 24;
}

s::image::IEncodedImage* EncodeSetting::toEncodedSet(s::image::win::BufferedImageSet& set)
{
    BufferedImage* primary = set.primary();
    return primary ? toEncoded(*primary) : nullptr;
}

s::image::IEncodedImage* EncodeSetting::toEncoded(const BufferedImage& image)
{
    const BufferedImage* source = const_cast<BufferedImage&>(image).encodeSource();
    if (!source)
        return nullptr;
    s::thread::Pooled<win::Bitmap> bitmap(win::Bitmap::take());
    const auto channel = [](int32_t value) { return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value)); };
    if (!bitmap->encodeImage(*source, m_bitDepth, m_keepTransparency, channel(m_bgRed), channel(m_bgGreen), channel(m_bgBlue)))
        return nullptr;
    return bitmap.take();
}

}  // namespace s::image::bmp
