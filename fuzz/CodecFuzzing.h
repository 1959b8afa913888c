#pragma once
// The body the single-codec fuzzers share: the input (less its last byte)
// is decoded through a stream that hands it out in pieces of a size the
// last byte chooses; with the last byte's top bit set the pictures are also
// filtered in place and re-encoded in the same format.
#include <cstddef>
#include <cstdint>
#include <string>

#include "../tests/unit/MemoryStreams.h"
#include "image/IEncodedImage.h"
#include "image/filters/sharpness/Sharpness.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

namespace fuzzing {

// Pictures larger than this are skipped: the codecs accept far larger ones,
// and their memory would only stop the fuzzer.
constexpr uint64_t kMaxFuzzPixels = uint64_t(1) << 22;

inline uint32_t le16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
inline uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }
inline uint32_t le32(const uint8_t* p) { return le16(p) | le16(p + 2) << 16; }

template <class Codec>
int fuzzCodec(const uint8_t* data, size_t size, bool (*claimsTooMuch)(const uint8_t*, size_t))
{
    if (size < 1)
        return 0;
    const uint8_t mode = data[--size];
    if (claimsTooMuch(data, size))
        return 0;
    MemoryInputStream in(std::string(reinterpret_cast<const char*>(data), size), 1 + (mode & 0x7F) * 64);
    s::thread::Pooled<Codec> codec(Codec::take());
    codec->decode(in);
    s::thread::Pooled<s::image::win::BufferedImageSet> set(codec->toImageSet(0));
    codec->releasePixels();
    if (!(mode & 0x80) || !set || set->count() == 0)
        return 0;
    if (set->isAnimated())
        set.hold(set->composed());
    if (!set)
        return 0;
    s::thread::Pooled<s::image::filters::sharpness::Sharpness> filter(s::image::filters::sharpness::Sharpness::take());
    filter->setStrength((mode & 0x40) ? 60 : -60);
    for (int32_t i = 0; i < set->count(); ++i)
        set->item(i)->filterInPlace(*filter);
    s::thread::Pooled<s::image::IEncodedImage> again(codec->reencodeSet(*set));
    MemoryOutputStream out;
    if (again)
        again->encode(out);
    return 0;
}

}  // namespace fuzzing
