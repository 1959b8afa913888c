#include "archive/icon/Entry.h"

#include "io/ByteReader.h"

namespace s::archive::icon {

void Entry::reset()
{
    m_recordPosition = 0;
    m_width = m_height = m_colorCount = m_reserved = 0;
    m_planes = m_bitCount = 0;
    m_dataSize = m_dataOffset = 0;
    m_data.clear();
    m_loaded = false;
}

void Entry::readRecord(const uint8_t* record, int64_t position)
{
    s::io::ByteReader r(record, kRecordBytes);
    m_recordPosition = position;
    m_width = r.u8();
    m_height = r.u8();
    m_colorCount = r.u8();
    m_reserved = r.u8();
    m_planes = r.u16le();
    m_bitCount = r.u16le();
    m_dataSize = r.u32le();
    m_dataOffset = r.u32le();
}

void Entry::writeRecordHead(uint8_t* record) const
{
    record[0] = m_width;
    record[1] = m_height;
    record[2] = m_colorCount;
    record[3] = 0;
    record[4] = static_cast<uint8_t>(m_planes);
    record[5] = static_cast<uint8_t>(m_planes >> 8);
    record[6] = static_cast<uint8_t>(m_bitCount);
    record[7] = static_cast<uint8_t>(m_bitCount >> 8);
    const uint32_t size = static_cast<uint32_t>(m_data.size());
    for (int i = 0; i < 4; ++i)
        record[8 + i] = static_cast<uint8_t>(size >> (8 * i));
}

void Entry::setRecord(uint8_t width, uint8_t height, uint8_t colorCount, uint16_t planes, uint16_t bitCount)
{
    m_width = width;
    m_height = height;
    m_colorCount = colorCount;
    m_reserved = 0;
    m_planes = planes;
    m_bitCount = bitCount;
}

}  // namespace s::archive::icon
