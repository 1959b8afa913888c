#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "io/IInputStream.h"
#include "io/IOutputStream.h"

namespace s::archive {

// A growable byte buffer read and written as a stream: an archive member's
// data on its way between the file and a codec. Writes go at the position
// and grow the buffer; reads stop at its end.
class ByteStream : public s::io::IInputStream, public s::io::IOutputStream {
public:
    // Largest buffer a write may grow to: no member of a real archive comes
    // near it, and a size_t position past it could not be sought to anyway.
    static constexpr size_t kMaxBytes = size_t(1) << 31;

    bool read(void* buffer, uint32_t count, uint32_t* done) override;
    bool write(const void* bytes, uint32_t count, uint32_t* written) override;
    bool seek(int64_t position) override;
    bool seekFromEnd(int64_t offset) override;
    bool skip(int64_t count) override;
    int64_t position() const override { return static_cast<int64_t>(m_position); }
    bool flush() override { return true; }
    bool close() override { return true; }

    // Empties the buffer (and frees it) and rewinds.
    void clear();
    void rewind() { m_position = 0; }
    // n zero bytes, ready to be filled through data(); false when refused.
    bool resize(size_t n);
    uint8_t* data() { return m_bytes.get(); }
    const uint8_t* data() const { return m_bytes.get(); }
    size_t size() const { return m_size; }

private:
    std::unique_ptr<uint8_t[]> m_bytes;  // owned, m_capacity bytes
    size_t m_size = 0;
    size_t m_capacity = 0;
    size_t m_position = 0;
};

}  // namespace s::archive
