// The whole way of one dropped file, on arbitrary bytes: detection from the
// first 100 bytes, the codec's decode, the picture set, a sharpen or blur
// (the last byte chooses the strength) and the re-encode in the same format.
#include <cstddef>
#include <cstdint>
#include <string>

#include "../tests/unit/MemoryStreams.h"
#include "dialogs/pellory/FilterChoice.h"
#include "dialogs/pellory/Setting.h"
#include "image/CodecRegistry.h"
#include "image/IEncodedImage.h"
#include "image/ImageFiles.h"
#include "image/filters/sharpness/Sharpness.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

namespace {

// Large pictures are legal but only slow the fuzzer down.
constexpr int64_t kMaxFuzzPixels = int64_t(1) << 22;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using s::image::win::BufferedImageSet;
    if (size <= s::image::kDetectionBytes)
        return 0;
    const char16_t* format = s::image::detectFormatOfBytes(data, size);
    if (!format)
        return 0;
    s::thread::Pooled<s::image::IEncodedImage> codec(s::image::makeCodec(format));
    if (!codec)
        return 0;
    MemoryInputStream in(std::string(reinterpret_cast<const char*>(data), size));
    codec->decode(in);
    s::thread::Pooled<BufferedImageSet> set(codec->toImageSet(0));
    if (!set)
        return 0;
    int64_t pixels = 0;
    for (int32_t i = 0; i < set->count(); ++i)
        pixels += set->item(i)->pixelCount();
    if (pixels > kMaxFuzzPixels)
        return 0;
    if (set->isAnimated())
        set.hold(set->composed());
    if (!set)
        return 0;
    s::image::gui::dialogs::pellory::Setting setting;
    const int32_t strength = data[size - 1] % 101;
    setting.set(data[size - 1] & 0x80 ? 2 : 1, strength);
    for (int32_t i = 0; i < set->count(); ++i)
        set->item(i)->addFilter(s::image::gui::dialogs::pellory::makeFilter(setting));
    s::thread::Pooled<s::image::IEncodedImage> encoded(codec->reencodeSet(*set));
    if (encoded) {
        MemoryOutputStream out;
        encoded->encode(out);
    }
    for (int32_t i = 0; i < set->count(); ++i)
        set->item(i)->clearFilters();
    return 0;
}
