#include "archive/ByteStream.h"

#include <cstring>
#include <new>

namespace s::archive {

bool ByteStream::read(void* buffer, uint32_t count, uint32_t* done)
{
    const size_t left = m_position < m_size ? m_size - m_position : 0;
    const size_t n = count < left ? count : left;
    if (n > 0)
        std::memcpy(buffer, m_bytes.get() + m_position, n);
    m_position += n;
    *done = static_cast<uint32_t>(n);
    // At the end: success with 0 bytes, as a file stream answers.
    return true;
}

bool ByteStream::write(const void* bytes, uint32_t count, uint32_t* written)
{
    *written = 0;
    if (count > kMaxBytes - m_position)
        return false;
    const size_t end = m_position + count;
    if (end > m_size && !resize(end))
        return false;
    if (count > 0)
        std::memcpy(m_bytes.get() + m_position, bytes, count);
    m_position = end;
    *written = count;
    return true;
}

bool ByteStream::seek(int64_t position)
{
    if (position < 0 || static_cast<uint64_t>(position) > m_size)
        return false;
    m_position = static_cast<size_t>(position);
    return true;
}

bool ByteStream::seekFromEnd(int64_t offset)
{
    if (offset > 0 || static_cast<uint64_t>(-offset) > m_size)
        return false;
    return seek(static_cast<int64_t>(m_size) + offset);
}

bool ByteStream::skip(int64_t count)
{
    const int64_t here = static_cast<int64_t>(m_position);
    if (count > 0 && count > static_cast<int64_t>(m_size) - here)
        return false;
    return seek(here + count);
}

void ByteStream::clear()
{
    m_bytes.reset();
    m_size = m_capacity = m_position = 0;
}

bool ByteStream::resize(size_t n)
{
    if (n > kMaxBytes)
        return false;
    if (n > m_capacity) {
        // Doubling keeps a member written in many small pieces linear.
        size_t capacity = m_capacity < 1024 ? 1024 : m_capacity;
        while (capacity < n)
            capacity = capacity > kMaxBytes / 2 ? kMaxBytes : capacity * 2;
        // Zeroed and nothrow: a machine that refuses the memory is a clean
        // failure, and bytes nothing wrote read as 0.
        std::unique_ptr<uint8_t[]> grown(new (std::nothrow) uint8_t[capacity]());
        if (!grown)
            return false;
        if (m_size > 0)
            std::memcpy(grown.get(), m_bytes.get(), m_size);
        m_bytes = std::move(grown);
        m_capacity = capacity;
    } else if (n > m_size) {
        std::memset(m_bytes.get() + m_size, 0, n - m_size);
    }
    m_size = n;
    if (m_position > m_size)
        m_position = m_size;
    return true;
}

}  // namespace s::archive
