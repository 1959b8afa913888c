// The image model's PNG shortcut, kept with the codec it needs.

#include "image/IEncodedImage.h"
#include "image/png/EncodeSetting.h"
#include "image/win/BufferedImage.h"
#include "thread/Pooled.h"

namespace s::image::win {

bool BufferedImage::savePng(std::u16string_view pathText, bool interlace, bool keepTransparency, int32_t red, int32_t green, int32_t blue)
{
    s::thread::Pooled<s::image::png::EncodeSetting> setting(s::image::png::EncodeSetting::take());
    setting->setWithInterlace(interlace);
    setting->setKeepTransparency(keepTransparency);
    setting->setBackground(red, green, blue);
    s::thread::Pooled<s::image::IEncodedImage> png(setting->toEncoded(*this));
    return png && png->save(pathText);
}

}  // namespace s::image::win
