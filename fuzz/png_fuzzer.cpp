// Decodes the input with the PNG codec, through a stream that hands it out
// in pieces of a size the last byte chooses; with the last byte's top bit
// set, the picture is also re-encoded (interlaced) and written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "../tests/unit/MemoryStreams.h"
#include "image/png/win/Png.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

namespace {

// Pictures larger than this are skipped: the codec accepts far larger ones,
// and their memory would only stop the fuzzer.
constexpr uint64_t kMaxFuzzPixels = uint64_t(1) << 22;

uint32_t be32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t mode = data[--size];
    // The header's size, where a header would be.
    if (size >= 24 && uint64_t(be32(data + 16)) * be32(data + 20) > kMaxFuzzPixels)
        return 0;
    MemoryInputStream in(std::string(reinterpret_cast<const char*>(data), size), 1 + (mode & 0x7F) * 64);
    s::thread::Pooled<s::image::png::win::Png> png(s::image::png::win::Png::take());
    png->decode(in);
    s::thread::Pooled<s::image::win::BufferedImageSet> set(png->toImageSet(0));
    png->releasePixels();
    if ((mode & 0x80) && set->count() > 0) {
        s::thread::Pooled<s::image::IEncodedImage> again(png->reencodeSet(*set));
        MemoryOutputStream out;
        if (again)
            again->encode(out);
    }
    return 0;
}
