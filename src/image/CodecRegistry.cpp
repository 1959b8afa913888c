#include "image/CodecRegistry.h"

#include "image/ImageFiles.h"

namespace s::image {

IEncodedImage* makeCodec(const char16_t* format)
{
    (void)format;
    // Codecs register here as they are written.
    return nullptr;
}

}  // namespace s::image
