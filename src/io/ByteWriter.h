#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace s::io {

// Appends little- or big-endian values to a byte vector, the writing twin of
// ByteReader. Values are laid out byte by byte, so the result is the same on
// any host byte order.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out);  // out: not owned

    size_t size() const { return m_out.size(); }

    void u8(uint8_t v);
    void u16le(uint16_t v);
    void u32le(uint32_t v);
    void s32le(int32_t v);
    void u16be(uint16_t v);
    void u32be(uint32_t v);
    void bytes(const uint8_t* data, size_t n);
    void zeros(size_t n);
    // Overwrites four bytes written earlier (a length known only later);
    // false if they do not lie inside what was written.
    bool patchU32le(size_t offset, uint32_t v);

private:
    std::vector<uint8_t>& m_out;
};

}  // namespace s::io
