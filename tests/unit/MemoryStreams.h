#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "io/IInputStream.h"
#include "io/IOutputStream.h"

// Streams over memory for codec tests: an input that can hand its bytes out
// in small pieces or fail at a given offset, and an output that can refuse
// bytes past a given count. Both count how often they are closed, so a test
// can tell that a codec leaves closing to its caller.
class MemoryInputStream : public s::io::IInputStream {
public:
    explicit MemoryInputStream(std::string bytes, uint32_t piece = UINT32_MAX)
        : m_bytes(std::move(bytes)), m_piece(piece) {}

    // Reads touching offset and beyond fail (a read error, not an end).
    void failAt(size_t offset) { m_failAt = offset; }

    bool read(void* buffer, uint32_t count, uint32_t* done) override
    {
        *done = 0;
        const size_t left = m_bytes.size() - m_position;
        size_t n = std::min<size_t>({count, m_piece, left});
        if (m_position + n > m_failAt) {
            n = m_failAt > m_position ? m_failAt - m_position : 0;
            std::memcpy(buffer, m_bytes.data() + m_position, n);
            m_position += n;
            *done = static_cast<uint32_t>(n);
            return false;
        }
        std::memcpy(buffer, m_bytes.data() + m_position, n);
        m_position += n;
        *done = static_cast<uint32_t>(n);
        ++m_reads;
        return true;  // at the end: success with 0 bytes, as a file stream answers
    }
    bool seek(int64_t position) override
    {
        if (position < 0 || static_cast<size_t>(position) > m_bytes.size())
            return false;
        m_position = static_cast<size_t>(position);
        return true;
    }
    bool seekFromEnd(int64_t offset) override { return seek(static_cast<int64_t>(m_bytes.size()) + offset); }
    bool skip(int64_t count) override { return seek(static_cast<int64_t>(m_position) + count); }
    int64_t position() const override { return static_cast<int64_t>(m_position); }
    bool close() override
    {
        ++m_closes;
        return true;
    }

    int closes() const { return m_closes; }
    int reads() const { return m_reads; }

private:
    std::string m_bytes;
    size_t m_position = 0;
    size_t m_piece;
    size_t m_failAt = SIZE_MAX;
    int m_closes = 0;
    int m_reads = 0;
};

class MemoryOutputStream : public s::io::IOutputStream {
public:
    // Writes that would pass limit bytes in all fail, as a full disk does.
    void failAfter(size_t limit) { m_limit = limit; }

    bool write(const void* bytes, uint32_t count, uint32_t* written) override
    {
        *written = 0;
        if (m_bytes.size() + count > m_limit) {
            const size_t room = m_limit - std::min(m_limit, m_bytes.size());
            m_bytes.append(static_cast<const char*>(bytes), room);
            *written = static_cast<uint32_t>(room);
            ++m_failures;
            return false;
        }
        m_bytes.append(static_cast<const char*>(bytes), count);
        *written = count;
        return true;
    }
    bool flush() override
    {
        ++m_flushes;
        return m_bytes.size() <= m_limit;
    }
    bool close() override
    {
        ++m_closes;
        return true;
    }

    const std::string& bytes() const { return m_bytes; }
    int closes() const { return m_closes; }
    int flushes() const { return m_flushes; }
    int failures() const { return m_failures; }

private:
    std::string m_bytes;
    size_t m_limit = SIZE_MAX;
    int m_closes = 0;
    int m_flushes = 0;
    int m_failures = 0;
};
