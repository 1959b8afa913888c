// The image model's JPEG shortcut, kept with the codec it needs.

#include "image/IEncodedImage.h"
#include "image/jpg/EncodeSetting.h"
#include "image/win/BufferedImage.h"
#include "thread/Pooled.h"

namespace s::image::win {

bool BufferedImage::saveJpeg(std::u16string_view pathText, int32_t quality, int32_t red, int32_t green, int32_t blue)
{
    s::thread::Pooled<s::image::jpg::EncodeSetting> setting(s::image::jpg::EncodeSetting::take());
    setting->setQuality(quality);
    setting->setBackground(red, green, blue);
    s::thread::Pooled<s::image::IEncodedImage> jpeg(setting->toEncoded(*this));
    return jpeg && jpeg->save(pathText);
}

}  // namespace s::image::win
