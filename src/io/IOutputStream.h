#pragma once
#include <cstdint>

namespace s::io {

class IOutputStream {
public:
    virtual ~IOutputStream() = default;
    // Writes all of count bytes or fails; *written tells how many were taken.
    virtual bool write(const void* bytes, uint32_t count, uint32_t* written) = 0;
    virtual bool flush() = 0;
    virtual bool close() = 0;
};

}  // namespace s::io
