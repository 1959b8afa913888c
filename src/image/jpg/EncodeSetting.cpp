#include "image/jpg/EncodeSetting.h"

#include "image/jpg/win/Jpeg.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

namespace s::image::jpg {

using s::image::win::BufferedImage;

void EncodeSetting::reset()
{
    m_quality = 75;
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
    s::thread::Pooled<win::Jpeg> jpeg(win::Jpeg::take());
    if (!jpeg->encodeImage(*source, m_quality, m_bgRed, m_bgGreen, m_bgBlue))
        return nullptr;
    return jpeg.take();
}

}  // namespace s::image::jpg
