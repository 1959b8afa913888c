#pragma once
#include <cstdint>

#include "base/IObject.h"

namespace s::io {
class IInputStream;
}

namespace s::archive {

class IEntry;

// A container file read member by member from a stream: the directory first,
// then each member's data when it is asked for.
class IArchive : public s::base::IObject {
public:
    // Starts reading at the stream's current position; the stream is not
    // owned and must outlive the archive's use of it (until close()).
    virtual bool open(s::io::IInputStream& in) = 0;
    virtual bool readDirectory() = 0;
    virtual int32_t entryCount() const = 0;
    // No bounds check: callers stay within entryCount().
    virtual IEntry* entryAt(int32_t index) const = 0;
    virtual bool loadEntry(int32_t index) = 0;
    // Forgets the stream (it is not closed: it belongs to the caller).
    virtual void close() = 0;
};

}  // namespace s::archive
