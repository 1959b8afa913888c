// The image model's GIF shortcut, kept with the codec it needs.

#include "image/gif/EncodeSetting.h"
#include "image/IEncodedImage.h"
#include "image/win/BufferedImage.h"
#include "thread/Pooled.h"

namespace s::image::win {

bool BufferedImage::saveGif(std::u16string_view pathText)
{
    s::thread::Pooled<s::image::gif::EncodeSetting> setting(s::image::gif::EncodeSetting::take());
    s::thread::Pooled<s::image::IEncodedImage> gif(setting->toEncoded(*this));
    return gif && gif->save(pathText);
}

}  // namespace s::image::win
