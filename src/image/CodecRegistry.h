#pragma once

namespace s::image {

class IEncodedImage;

// An empty codec object from the pool of the codec for a format key, or null
// when the format has no codec.
IEncodedImage* makeCodec(const char16_t* format);

}  // namespace s::image
