#pragma once
#include <cstdint>

#include "archive/IArchive.h"
#include "archive/icon/Entry.h"
#include "col/_array/ArrayP.h"
#include "thread/PooledBy.h"

namespace s::io {
class IOutputStream;
}

namespace s::archive::icon {

// The directory of an icon file: a 6-byte header (reserved, type, count) and
// one 16-byte record per entry, whose data lies at an offset from the start
// of the directory. Reading checks every record against the file before
// anything is allocated for it; a record that does not fit is refused alone,
// the others stay readable. The header's reserved and type fields are left
// to format detection.
class Archive : public s::archive::IArchive, public s::thread::PooledBy<Archive> {
public:
    static constexpr uint32_t kHeaderBytes = 6;
    // Entry data beyond this is not read: an honest entry (even a 256 x 256
    // picture at 32 bits) is a small fraction of it.
    static constexpr uint32_t kMaxEntryBytes = (1u << 30) + (1u << 20);

    // Why the last operation failed, for tests; not shown to anyone.
    enum class Fault : uint8_t {
        kNone,
        kNoStream,
        kTruncatedDirectory,  // the file ends inside the header or the records
        kNoEntries,           // count 0
        kEmptyData,           // a record with data size 0
        kDataInDirectory,     // data that starts inside the header or records
        kDataOutsideFile,     // offset + size past the end of the file
        kTooLarge,            // data above kMaxEntryBytes, or a file above 4 GiB
        kOutOfMemory,
        kShortRead,           // the stream gave fewer bytes than it holds
        kWriteFailed,
    };

    Archive();
    ~Archive() override;

    const char16_t* className() const override { return u"s_archive_icon_Archive"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    bool open(s::io::IInputStream& in) override;
    bool readDirectory() override;
    int32_t entryCount() const override { return m_entries.count(); }
    Entry* entryAt(int32_t index) const override { return m_entries.at(index); }
    // Reads entry index's data unless it is loaded; false when its record
    // does not fit in the file (nothing is allocated then).
    bool loadEntry(int32_t index) override;
    void close() override { m_stream = nullptr; }

    // Writing: entries appended in order (owned from then on), then the
    // header, the records with offsets that follow from the data sizes, and
    // the data.
    void addEntry(Entry* entry);
    bool write(s::io::IOutputStream& out);

    int64_t base() const { return m_base; }
    uint16_t reservedField() const { return m_reserved; }
    uint16_t type() const { return m_type; }
    Fault lastFault() const { return m_fault; }

private:
    bool fail(Fault why);
    bool readExactly(uint8_t* into, uint32_t count, uint32_t& got);
    bool checkRecord(const Entry& entry);

    s::io::IInputStream* m_stream = nullptr;  // not owned
    int64_t m_base = 0;
    // Bytes from base to the end of the file.
    uint64_t m_length = 0;
    uint16_t m_reserved = 0;
    uint16_t m_type = 0;
    uint16_t m_count = 0;
    s::col::_array::ArrayP<Entry> m_entries;
    Fault m_fault = Fault::kNone;
};

}  // namespace s::archive::icon
