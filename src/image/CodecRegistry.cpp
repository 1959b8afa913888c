#include "image/CodecRegistry.h"

#include "image/ImageFiles.h"
#include "image/bmp/win/Bitmap.h"
#include "image/gif/win/Gif.h"
#include "image/ico/win/Icon.h"
#include "image/jpg/win/Jpeg.h"
#include "image/png/win/Png.h"

namespace s::image {

IEncodedImage* makeCodec(const char16_t* format)
{
    // Format keys are compared by identity: detection answers with these very objects.
    if (format == kFormatBmp)
        return s::image::bmp::win::Bitmap::take();
    if (format == kFormatJpg)
        return s::image::jpg::win::Jpeg::take();
    if (format == kFormatPng)
        return s::image::png::win::Png::take();
    if (format == kFormatGif)
        return s::image::gif::win::Gif::take();
    if (format == kFormatIco)
        return s::image::ico::win::Icon::take();
    // Codecs register here as they are written.
    return nullptr;
}

}  // namespace s::image
