#pragma once
#include <cstdint>

namespace s::io {

class IInputStream {
public:
    virtual ~IInputStream() = default;
    // Reads up to count bytes; *done tells how many came. False on an error.
    virtual bool read(void* buffer, uint32_t count, uint32_t* done) = 0;
    virtual bool seek(int64_t position) = 0;
    virtual bool seekFromEnd(int64_t offset) = 0;
    virtual bool skip(int64_t count) = 0;
    virtual int64_t position() const = 0;
    virtual bool close() = 0;
};

}  // namespace s::io
