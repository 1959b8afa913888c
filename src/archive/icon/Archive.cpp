#include "archive/icon/Archive.h"

#include <memory>
#include <new>

#include "io/ByteReader.h"
#include "io/IInputStream.h"
#include "io/IOutputStream.h"
#include "io/StreamReading.h"

namespace s::archive::icon {

Archive::Archive()
{
    m_entries.setElementDisposer(&Entry::classPool());
    reset();
}

Archive::~Archive()
{
    m_entries.clear();
}

void Archive::reset()
{
    m_stream = nullptr;
    m_base = 0;
    m_length = 0;
    m_reserved = m_type = m_count = 0;
    m_entries.clear();
    m_fault = Fault::kNone;
}

bool Archive::fail(Fault why)
{
    m_fault = why;
    return false;
}

bool Archive::open(s::io::IInputStream& in)
{
    m_entries.clear();
    m_stream = &in;
    m_base = in.position();
    // The file's length bounds every record, so it is known before any is read.
    if (m_base < 0 || !in.seekFromEnd(0))
        return fail(Fault::kNoStream);
    const int64_t end = in.position();
    if (end < m_base || !in.seek(m_base))
        return fail(Fault::kNoStream);
    m_length = static_cast<uint64_t>(end - m_base);
    return true;
}

bool Archive::readExactly(uint8_t* into, uint32_t count, uint32_t& got)
{
    got = 0;
    while (got < count) {
        uint32_t done = 0;
        if (!m_stream->read(into + got, count - got, &done))
            return false;
        if (done == 0)
            break;
        got += done;
    }
    return got == count;
}

bool Archive::readDirectory()
{
    m_entries.clear();
    if (!m_stream)
        return fail(Fault::kNoStream);
    uint8_t header[kHeaderBytes] = {};
    uint32_t got = 0;
    if (!m_stream->seek(m_base) || !readExactly(header, kHeaderBytes, got))
        return fail(Fault::kTruncatedDirectory);
    s::io::ByteReader h(header, kHeaderBytes);
    m_reserved = h.u16le();
    m_type = h.u16le();
    m_count = h.u16le();
    if (m_count == 0)
        return fail(Fault::kNoEntries);
    // At most 65535 records, about 1 MiB; the file must hold them all.
    const uint32_t recordBytes = uint32_t(m_count) * Entry::kRecordBytes;
    if (uint64_t(kHeaderBytes) + recordBytes > m_length)
        return fail(Fault::kTruncatedDirectory);
    std::unique_ptr<uint8_t[]> records(new (std::nothrow) uint8_t[recordBytes]());
    if (!records)
        return fail(Fault::kOutOfMemory);
    if (!readExactly(records.get(), recordBytes, got))
        return fail(Fault::kTruncatedDirectory);
    for (uint32_t i = 0; i < m_count; ++i) {
        Entry* entry = Entry::take();
        entry->readRecord(records.get() + size_t(i) * Entry::kRecordBytes, m_base + kHeaderBytes + int64_t(i) * Entry::kRecordBytes);
        m_entries.add(entry);
    }
    return true;
}

// The data must lie after the directory and inside the file; the sum is
// taken in 64 bits, so no offset and size can wrap past the check.
bool Archive::checkRecord(const Entry& entry)
{
    const uint64_t directoryEnd = uint64_t(kHeaderBytes) + uint64_t(m_count) * Entry::kRecordBytes;
    const uint64_t offset = entry.dataOffset();
    const uint64_t size = entry.recordDataSize();
    if (size == 0)
        return fail(Fault::kEmptyData);
    if (offset < directoryEnd)
        return fail(Fault::kDataInDirectory);
    if (offset + size > m_length)
        return fail(Fault::kDataOutsideFile);
    if (size > kMaxEntryBytes)
        return fail(Fault::kTooLarge);
    return true;
}

bool Archive::loadEntry(int32_t index)
{
    if (!m_stream)
        return fail(Fault::kNoStream);
    Entry* entry = m_entries.at(index);
    if (entry->isLoaded())
        return true;
    if (!checkRecord(*entry))
        return false;
    ByteStream& data = entry->dataStream();
    data.clear();
    if (!data.resize(entry->recordDataSize()))
        return fail(Fault::kOutOfMemory);
    if (!m_stream->seek(m_base + int64_t(entry->dataOffset())))
        return fail(Fault::kShortRead);
    uint32_t got = 0;
    const bool complete = readExactly(data.data(), entry->recordDataSize(), got);
    // The file said it holds these bytes; a stream that gives fewer broke
    // while reading. What did not come stays zero.
    entry->setLoaded(true);
    return complete ? true : fail(Fault::kShortRead);
}

void Archive::addEntry(Entry* entry)
{
    if (entry)
        m_entries.add(entry);
}

bool Archive::write(s::io::IOutputStream& out)
{
    const uint32_t n = static_cast<uint32_t>(m_entries.count());
    if (n == 0 || n > 0xFFFF)
        return fail(Fault::kNoEntries);
    // Offsets count from the start of the directory and must fit 32 bits.
    uint64_t offset = kHeaderBytes + uint64_t(n) * Entry::kRecordBytes;
    std::unique_ptr<uint8_t[]> head(new (std::nothrow) uint8_t[size_t(offset)]());
    if (!head)
        return fail(Fault::kOutOfMemory);
    head[2] = 1;  // type 1: icon
    head[4] = static_cast<uint8_t>(n);
    head[5] = static_cast<uint8_t>(n >> 8);
    for (uint32_t i = 0; i < n; ++i) {
        uint8_t* record = head.get() + kHeaderBytes + size_t(i) * Entry::kRecordBytes;
        const Entry* entry = m_entries.at(static_cast<int32_t>(i));
        entry->writeRecordHead(record);
        if (offset > UINT32_MAX || entry->dataSize() > UINT32_MAX - offset)
            return fail(Fault::kTooLarge);
        for (int b = 0; b < 4; ++b)
            record[12 + b] = static_cast<uint8_t>(offset >> (8 * b));
        offset += entry->dataSize();
    }
    if (!s::io::writeAll(out, head.get(), kHeaderBytes + size_t(n) * Entry::kRecordBytes))
        return fail(Fault::kWriteFailed);
    for (uint32_t i = 0; i < n; ++i) {
        Entry* entry = m_entries.at(static_cast<int32_t>(i));
        if (!s::io::writeAll(out, entry->dataStream().data(), entry->dataSize()))
            return fail(Fault::kWriteFailed);
    }
    return true;
}

}  // namespace s::archive::icon
