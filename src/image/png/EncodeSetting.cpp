#include "image/png/EncodeSetting.h"

#include "image/png/win/Png.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

namespace s::image::png {

using s::image::win::BufferedImage;

void EncodeSetting::reset()
{
    m_keepTransparency = true;
    m_withInterlace = true;
    resetBackground();
}

s::image::IEncodedImage* EncodeSetting::toEncodedSet(s::image::win::BufferedImageSet& set)
{
    BufferedImage* primary = set.primary();
    return primary ? toEncoded(*primary) : nullptr;
}

s::image::IEncodedImage* EncodeSetting::toEncoded(const BufferedImage& image)
{
    // Filtering fills the image's own cache of the filtered picture; the
    // picture itself does not change, hence the cast.
    const BufferedImage* source = const_cast<BufferedImage&>(image).encodeSource();
    if (!source)
        return nullptr;
    s::thread::Pooled<win::Png> png(win::Png::take());
    if (!png->encodeImage(*source, m_withInterlace, m_keepTransparency, m_bgRed, m_bgGreen, m_bgBlue))
        return nullptr;
    return png.take();
}

}  // namespace s::image::png
