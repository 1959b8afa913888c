#include "image/gif/EncodeSetting.h"

#include "image/gif/win/Gif.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

namespace s::image::gif {

using s::image::gif::win::Gif;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

void EncodeSetting::reset()
{
    m_keepTransparency = true;
    m_withInterlace = true;
    resetBackground();
    m_bitDepth = kDefaultBitDepth;
}

s::image::IEncodedImage* EncodeSetting::toEncoded(const BufferedImage& image)
{
    // The filters the task put on the picture take effect here; the picture
    // itself keeps its pixels.
    const BufferedImage* source = const_cast<BufferedImage&>(image).encodeSource();
    if (!source)
        return nullptr;
    Pooled<Gif> gif(Gif::take());
    if (!gif->encodeImage(*source, m_bitDepth, m_keepTransparency, m_bgRed, m_bgGreen, m_bgBlue, Gif::kAlphaCut))
        return nullptr;
    return gif.take();
}

s::image::IEncodedImage* EncodeSetting::toEncodedSet(BufferedImageSet& set)
{
    if (!(set.count() > 1 && set.isAnimated())) {
        const BufferedImage* primary = set.primary();
        return primary ? toEncoded(*primary) : nullptr;
    }
    Pooled<BufferedImageSet> filtered(set.filtered());
    if (!filtered)
        return nullptr;
    Pooled<Gif> gif(Gif::take());
    if (!gif->encodeAnimation(*filtered, m_bitDepth, m_keepTransparency, m_bgRed, m_bgGreen, m_bgBlue))
        return nullptr;
    return gif.take();
}

}  // namespace s::image::gif
