#include "io/ByteReader.h"

#include <cstring>

namespace s::io {

ByteReader::ByteReader(const uint8_t* data, size_t size)
    : m_data(data), m_size(data ? size : 0), m_position(0), m_ok(true) {}

bool ByteReader::take(size_t n)
{
    if (!m_ok || n > m_size - m_position) {
        m_ok = false;
        return false;
    }
    return true;
}

uint8_t ByteReader::u8()
{
    if (!take(1)) return 0;
    return m_data[m_position++];
}

uint16_t ByteReader::u16le()
{
    if (!take(2)) return 0;
    const uint8_t* p = m_data + m_position;
    m_position += 2;
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t ByteReader::u32le()
{
    if (!take(4)) return 0;
    const uint8_t* p = m_data + m_position;
    m_position += 4;
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

int32_t ByteReader::s32le()
{
    // Two's complement by value, so no implementation-defined conversion.
    const uint32_t v = u32le();
    return v <= 0x7FFFFFFFu ? static_cast<int32_t>(v)
                            : -static_cast<int32_t>(~v) - 1;
}

uint16_t ByteReader::u16be()
{
    if (!take(2)) return 0;
    const uint8_t* p = m_data + m_position;
    m_position += 2;
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

uint32_t ByteReader::u32be()
{
    if (!take(4)) return 0;
    const uint8_t* p = m_data + m_position;
    m_position += 4;
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

bool ByteReader::bytes(uint8_t* destination, size_t n)
{
    if (!take(n)) {
        if (destination && n) std::memset(destination, 0, n);
        return false;
    }
    if (n) std::memcpy(destination, m_data + m_position, n);
    m_position += n;
    return true;
}

const uint8_t* ByteReader::view(size_t n)
{
    if (!take(n)) return nullptr;
    const uint8_t* p = m_data + m_position;
    m_position += n;
    return p;
}

bool ByteReader::skip(size_t n)
{
    if (!take(n)) return false;
    m_position += n;
    return true;
}

bool ByteReader::seek(size_t position)
{
    if (!m_ok || position > m_size) {
        m_ok = false;
        return false;
    }
    m_position = position;
    return true;
}

}  // namespace s::io
