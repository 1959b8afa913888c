#pragma once
#include <cstddef>
#include <cstdint>

#include "archive/ByteStream.h"
#include "archive/IEntry.h"
#include "thread/PooledBy.h"

namespace s::archive::icon {

// One record of an icon directory and, once loaded, the entry's data. The
// record's fields are kept as the file has them; nothing here trusts them.
class Entry : public s::archive::IEntry, public s::thread::PooledBy<Entry> {
public:
    static constexpr uint32_t kRecordBytes = 16;

    Entry() { reset(); }

    const char16_t* className() const override { return u"s_archive_icon_Entry"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    bool isLoaded() const override { return m_loaded; }
    const uint8_t* data() const override { return m_loaded ? m_data.data() : nullptr; }
    size_t dataSize() const override { return m_data.size(); }

    // Fills the record from its 16 bytes.
    void readRecord(const uint8_t* record, int64_t position);
    // The first 12 bytes of the record (everything but the data offset).
    void writeRecordHead(uint8_t* record) const;
    // A record for writing: width and height bytes (0 for 256 or more), the
    // colour count byte, planes and bit count. The data size follows the data.
    void setRecord(uint8_t width, uint8_t height, uint8_t colorCount, uint16_t planes, uint16_t bitCount);

    int64_t recordPosition() const { return m_recordPosition; }
    uint8_t widthByte() const { return m_width; }
    uint8_t heightByte() const { return m_height; }
    uint8_t colorCount() const { return m_colorCount; }
    uint8_t reserved() const { return m_reserved; }
    uint16_t planes() const { return m_planes; }
    uint16_t bitCount() const { return m_bitCount; }
    uint32_t recordDataSize() const { return m_dataSize; }
    uint32_t dataOffset() const { return m_dataOffset; }

    // The data buffer, read or written as a stream.
    s::archive::ByteStream& dataStream() { return m_data; }
    void setLoaded(bool loaded) { m_loaded = loaded; }

private:
    int64_t m_recordPosition = 0;
    uint8_t m_width = 0;
    uint8_t m_height = 0;
    uint8_t m_colorCount = 0;
    uint8_t m_reserved = 0;
    uint16_t m_planes = 0;
    uint16_t m_bitCount = 0;
    uint32_t m_dataSize = 0;
    uint32_t m_dataOffset = 0;
    s::archive::ByteStream m_data;
    bool m_loaded = false;
};

}  // namespace s::archive::icon
