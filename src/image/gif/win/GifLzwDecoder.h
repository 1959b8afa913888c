#pragma once
#include <cstddef>
#include <cstdint>

#include "base/IObject.h"
#include "thread/PooledBy.h"

namespace s::image::gif::win {

// Turns a frame's LZW data back into palette indices. Untrusted data cannot
// walk table entries that were never set: a code above the next free code,
// or the code for "the previous string plus its first character" with no
// previous string (right after a clear), ends the frame. The table stops
// growing at 4096 entries, which 12-bit codes cannot pass, and decoding
// goes on with it as it is, as writers that defer the clear expect.
class GifLzwDecoder : public s::base::IObject, public s::thread::PooledBy<GifLzwDecoder> {
public:
    static constexpr int32_t kMinCodeSizeLow = 2;
    // Above 11 the clear code would already need 13 bits.
    static constexpr int32_t kMinCodeSizeHigh = 11;
    static constexpr int32_t kMaxBits = 12;
    static constexpr int32_t kTableSize = 1 << kMaxBits;

    // How the frame's decoding ended. Every way leaves the pixels it did
    // not reach as they were.
    enum class Result : uint8_t {
        kComplete,          // every pixel produced
        kEndCode,           // the end code came before the last pixel
        kDataEnded,         // the data ran out before the last pixel
        kCodeBeyondTable,   // a code above the next free code
        kNoPreviousString,  // "previous string" code with no previous string
        kBadCodeSize,       // minimum code size outside 2..11: nothing decoded
    };

    GifLzwDecoder() { reset(); }

    const char16_t* className() const override { return u"s_image_gif_win_GifLzwDecoder"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override { m_produced = 0; }

    // Decodes size bytes of data into width x height indices (row y starts at
    // indices + y * width), in the four-pass row order when interlaced.
    Result decode(const uint8_t* data, size_t size, int32_t minCodeSize, uint8_t* indices, int32_t width, int32_t height, bool interlaced);
    // Pixels the last decode produced.
    uint64_t produced() const { return m_produced; }

    // The most pixels size bytes of data could produce at that code size:
    // no code yields a string longer than the table. A frame claiming more
    // cannot be an honest one.
    static uint64_t maxPixelsFor(size_t size, int32_t minCodeSize);

private:
    class RowCursor;
    // Puts the string for code on the stack from slot start on, last
    // character first; answers the number of characters put.
    int32_t pushString(int32_t code, int32_t firstFree, int32_t start);

    uint16_t m_prefix[kTableSize];
    uint8_t m_suffix[kTableSize];
    uint8_t m_stack[kTableSize + 1];
    uint64_t m_produced = 0;
};

}  // namespace s::image::gif::win
