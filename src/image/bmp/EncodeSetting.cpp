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
    resetBackground();
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
    if (!bitmap->encodeImage(*source, m_bitDepth, m_keepTransparency, channel(m_bgRed), channel(m_bgGreen), channel(m_bgBlue)))
        return nullptr;
    return bitmap.take();
}

}  // namespace s::image::bmp
