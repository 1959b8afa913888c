#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace s::io {

class IInputStream;
class IOutputStream;

// Reads what is left of a stream into memory, up to limit bytes. False on a
// read error or when the stream holds more than limit (nothing is kept then).
bool readWholeStream(IInputStream& in, std::vector<uint8_t>& out, uint64_t limit);
// Writes all bytes; false on a short or failed write.
bool writeAll(IOutputStream& out, const void* bytes, size_t count);

}  // namespace s::io
