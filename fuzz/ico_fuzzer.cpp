// The icon codec alone: the directory, classic entries of every bit count
// with their masks, PNG-compressed entries, and the re-encode that rebuilds
// every entry.
#include "CodecFuzzing.h"
#include "image/ico/win/Icon.h"

namespace {

// Entries carry their own sizes: a BMP info header (40 bytes and up) or a
// PNG IHDR may claim any size, so every place that could start one is
// checked against the fuzzing limit.
bool claimsTooMuch(const uint8_t* data, size_t size)
{
    for (size_t i = 0; i + 12 <= size; ++i) {
        const uint32_t headerSize = fuzzing::le32(data + i);
        if (headerSize >= 40 && headerSize <= 124) {
            const int64_t w = int32_t(fuzzing::le32(data + i + 4));
            const int64_t h = int32_t(fuzzing::le32(data + i + 8));
            if ((w < 0 ? -w : w) * (h < 0 ? -h : h) > int64_t(fuzzing::kMaxFuzzPixels))
                return true;
        }
        if (data[i] == 'I' && data[i + 1] == 'H' && data[i + 2] == 'D' && data[i + 3] == 'R' &&
            uint64_t(fuzzing::be32(data + i + 4)) * fuzzing::be32(data + i + 8) > fuzzing::kMaxFuzzPixels)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzzing::fuzzCodec<s::image::ico::win::Icon>(data, size, &claimsTooMuch);
}
