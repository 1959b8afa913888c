#include "io/StreamReading.h"

#include "io/IInputStream.h"
#include "io/IOutputStream.h"

namespace s::io {

bool readWholeStream(IInputStream& in, std::vector<uint8_t>& out, uint64_t limit)
{
    constexpr uint32_t kChunk = 1u << 20;
    out.clear();
    for (;;) {
        const size_t used = out.size();
        if (used > limit) {
            std::vector<uint8_t>().swap(out);
            return false;
        }
        out.resize(used + kChunk);
        uint32_t got = 0;
        if (!in.read(out.data() + used, kChunk, &got)) {
            std::vector<uint8_t>().swap(out);
            return false;
        }
        out.resize(used + got);
        if (got == 0)
            break;
    }
    if (out.size() > limit) {
        std::vector<uint8_t>().swap(out);
        return false;
    }
    out.shrink_to_fit();
    return true;
}

bool writeAll(IOutputStream& out, const void* bytes, size_t count)
{
    const auto* data = static_cast<const uint8_t*>(bytes);
    while (count > 0) {
        const uint32_t part = count > 0x40000000u ? 0x40000000u : static_cast<uint32_t>(count);
        uint32_t written = 0;
        if (!out.write(data, part, &written) || written != part)
            return false;
        data += part;
        count -= part;
    }
    return true;
}

}  // namespace s::io
