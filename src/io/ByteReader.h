#pragma once

#include <cstddef>
#include <cstdint>

namespace s::io {

// Bounds-checked reader over bytes that came from a file and so cannot be
// trusted. Failure is sticky: the first read that does not fit clears ok(),
// answers 0 and turns every later read into a no-op answering 0, so a caller
// can read a whole header and test ok() once. Room is always tested as
// "n > remaining", never as "position + n > size", which could wrap.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size);

    bool ok() const { return m_ok; }
    size_t size() const { return m_size; }
    size_t position() const { return m_position; }
    size_t remaining() const { return m_size - m_position; }
    // Whether n more bytes can be read; does not touch ok().
    bool has(size_t n) const { return m_ok && n <= remaining(); }

    uint8_t u8();
    uint16_t u16le();
    uint32_t u32le();
    int32_t s32le();
    uint16_t u16be();
    uint32_t u32be();

    // Copies n bytes to destination. On failure the destination is zero-filled,
    // so callers never see uninitialised memory.
    bool bytes(uint8_t* destination, size_t n);
    // Pointer to the next n bytes, which are consumed; null on failure.
    const uint8_t* view(size_t n);
    bool skip(size_t n);
    // Absolute position; position == size is allowed (nothing left to read).
    bool seek(size_t position);

private:
    bool take(size_t n);

    const uint8_t* m_data;  // not owned
    size_t m_size;
    size_t m_position;
    bool m_ok;
};

}  // namespace s::io
