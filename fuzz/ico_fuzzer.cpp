// The icon codec alone: the directory, classic entries of every bit count
// with their masks, PNG-compressed entries, and the re-encode that rebuilds
// every entry.
#include <algorithm>

#include "CodecFuzzing.h"
#include "image/ico/win/Icon.h"

namespace {

// Entries carry their own sizes: a BMP info header (40 bytes and up) or a
// PNG IHDR may claim any size, so every place that could start one is
// checked against the fuzzing limit. The re-encode rebuilds each entry as a
// square of its width, so the larger side counts twice: a 1.3 KB file whose
// 8192 x 20 entry becomes an 8192 x 8192 one is legal, only slow.
// Every entry may also be rebuilt at several depths and written as PNG, so
// the limit is a quarter of the shared one.
constexpr int64_t kMaxSquarePixels = int64_t(fuzzing::kMaxFuzzPixels) / 4;

bool sideTooLarge(int64_t width, int64_t height)
{
    const int64_t side = std::max(width < 0 ? -width : width, height < 0 ? -height : height);
    return side > 65536 || side * side > kMaxSquarePixels;
}

bool claimsTooMuch(const uint8_t* data, size_t size)
{
    for (size_t i = 0; i + 12 <= size; ++i) {
        const uint32_t headerSize = fuzzing::le32(data + i);
        if (headerSize >= 40 && headerSize <= 124 &&
            sideTooLarge(int32_t(fuzzing::le32(data + i + 4)), int32_t(fuzzing::le32(data + i + 8))))
            return true;
        if (data[i] == 'I' && data[i + 1] == 'H' && data[i + 2] == 'D' && data[i + 3] == 'R' &&
            sideTooLarge(fuzzing::be32(data + i + 4), fuzzing::be32(data + i + 8)))
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzzing::fuzzCodec<s::image::ico::win::Icon>(data, size, &claimsTooMuch);
}
