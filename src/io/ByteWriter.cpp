#include "io/ByteWriter.h"

namespace s::io {

ByteWriter::ByteWriter(std::vector<uint8_t>& out) : m_out(out) {}

void ByteWriter::u8(uint8_t v) { m_out.push_back(v); }

void ByteWriter::u16le(uint16_t v)
{
    m_out.push_back(static_cast<uint8_t>(v));
    m_out.push_back(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::u32le(uint32_t v)
{
    u16le(static_cast<uint16_t>(v));
    u16le(static_cast<uint16_t>(v >> 16));
}

void ByteWriter::s32le(int32_t v) { u32le(static_cast<uint32_t>(v)); }

void ByteWriter::u16be(uint16_t v)
{
    m_out.push_back(static_cast<uint8_t>(v >> 8));
    m_out.push_back(static_cast<uint8_t>(v));
}

void ByteWriter::u32be(uint32_t v)
{
    u16be(static_cast<uint16_t>(v >> 16));
    u16be(static_cast<uint16_t>(v));
}

void ByteWriter::bytes(const uint8_t* data, size_t n)
{
    if (n) m_out.insert(m_out.end(), data, data + n);
}

void ByteWriter::zeros(size_t n) { m_out.insert(m_out.end(), n, 0); }

bool ByteWriter::patchU32le(size_t offset, uint32_t v)
{
    if (offset > m_out.size() || m_out.size() - offset < 4) return false;
    for (int i = 0; i < 4; ++i) m_out[offset + i] = static_cast<uint8_t>(v >> (8 * i));
    return true;
}

}  // namespace s::io
