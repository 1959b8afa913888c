// Decodes the input with the JPEG codec, through a stream that hands it out
// in pieces of a size the last byte chooses; with the last byte's top bit
// set, the picture is also re-encoded and written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "../tests/unit/MemoryStreams.h"
#include "image/jpg/win/Jpeg.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

namespace {

// Pictures larger than this are skipped: the codec accepts far larger ones,
// and their memory would only stop the fuzzer.
constexpr uint64_t kMaxFuzzPixels = uint64_t(1) << 22;

// True when any frame header (FF C0 to FF CF, less DHT, JPG and DAC) in the
// bytes claims more pixels than the limit.
bool claimsTooMuch(const uint8_t* data, size_t size)
{
    for (size_t i = 0; i + 9 <= size; ++i) {
        if (data[i] != 0xFF || (data[i + 1] & 0xF0) != 0xC0)
            continue;
        const uint8_t code = data[i + 1];
        if (code == 0xC4 || code == 0xC8 || code == 0xCC)
            continue;
        const uint64_t height = uint64_t(data[i + 5]) << 8 | data[i + 6];
        const uint64_t width = uint64_t(data[i + 7]) << 8 | data[i + 8];
        if (width * height > kMaxFuzzPixels)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t mode = data[--size];
    if (claimsTooMuch(data, size))
        return 0;
    MemoryInputStream in(std::string(reinterpret_cast<const char*>(data), size), 1 + (mode & 0x7F) * 64);
    s::thread::Pooled<s::image::jpg::win::Jpeg> jpeg(s::image::jpg::win::Jpeg::take());
    jpeg->decode(in);
    s::thread::Pooled<s::image::win::BufferedImageSet> set(jpeg->toImageSet(0));
    jpeg->releasePixels();
    if ((mode & 0x80) && set->count() > 0) {
        s::thread::Pooled<s::image::IEncodedImage> again(jpeg->reencodeSet(*set));
        MemoryOutputStream out;
        if (again)
            again->encode(out);
    }
    return 0;
}
