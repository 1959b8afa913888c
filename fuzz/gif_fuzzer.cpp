// The GIF codec alone: still and animated files, their LZW data, the
// composition of frames and the animated re-encode.
#include <algorithm>

#include "CodecFuzzing.h"
#include "image/gif/win/Gif.h"

namespace {

// The logical screen, and the canvas every byte that could start an image
// descriptor would make of it (frames placed past the screen's edge widen
// the composed picture), checked against the fuzzing limit: the codec's own
// limit is far higher.
bool claimsTooMuch(const uint8_t* data, size_t size)
{
    if (size < 10)
        return false;
    const uint64_t screenWidth = fuzzing::le16(data + 6);
    const uint64_t screenHeight = fuzzing::le16(data + 8);
    if (screenWidth * screenHeight > fuzzing::kMaxFuzzPixels)
        return true;
    for (size_t i = 13; i + 9 <= size; ++i) {
        if (data[i] != 0x2C)
            continue;
        const uint64_t right = uint64_t(fuzzing::le16(data + i + 1)) + fuzzing::le16(data + i + 5);
        const uint64_t bottom = uint64_t(fuzzing::le16(data + i + 3)) + fuzzing::le16(data + i + 7);
        if (std::max(right, screenWidth) * std::max(bottom, screenHeight) > fuzzing::kMaxFuzzPixels)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzzing::fuzzCodec<s::image::gif::win::Gif>(data, size, &claimsTooMuch);
}
