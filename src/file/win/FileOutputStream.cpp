#include "file/win/FileOutputStream.h"

#include <cstring>

namespace s::file::win {

using s::platform::FileHandle;

void FileOutputStream::reset()
{
    close();
    m_failed = false;
}

bool FileOutputStream::open(const char16_t* osPath, OpenMode mode)
{
    close();
    m_failed = false;
    FileHandle::Mode native = FileHandle::Mode::WriteReplace;
    if (mode == OpenMode::Append)
        native = FileHandle::Mode::WriteAppend;
    else if (mode == OpenMode::CreateNew)
        native = FileHandle::Mode::WriteCreateNew;
    if (!m_file.open(osPath, native))
        return false;
    m_buffer.reset(new uint8_t[kBufferSize]);
    m_buffered = 0;
    m_position = 0;
    if (mode == OpenMode::Append)
        m_file.seek(0, FileHandle::Origin::End, &m_position);
    return true;
}

bool FileOutputStream::writeBuffer()
{
    if (m_buffered == 0)
        return true;
    const bool ok = m_file.write(m_buffer.get(), m_buffered);
    m_buffered = 0;
    if (!ok)
        m_failed = true;
    return ok;
}

bool FileOutputStream::write(const void* bytes, uint32_t count, uint32_t* written)
{
    if (written)
        *written = 0;
    if (!isOpen()) {
        // A stream that could not be opened accepts nothing.
        m_failed = true;
        return false;
    }
    const auto* in = static_cast<const uint8_t*>(bytes);
    uint32_t left = count;
    while (left > 0) {
        if (m_buffered == kBufferSize && !writeBuffer())
            return false;
        const uint32_t room = kBufferSize - m_buffered;
        const uint32_t part = left < room ? left : room;
        std::memcpy(m_buffer.get() + m_buffered, in, part);
        m_buffered += part;
        in += part;
        left -= part;
        // The buffer is written out only when more bytes are waiting, so a
        // write that exactly fills it stays in memory until the next one.
        if (left > 0 && !writeBuffer())
            return false;
    }
    m_position += count;
    if (written)
        *written = count;
    return true;
}

bool FileOutputStream::flush()
{
    if (!isOpen())
        return false;
    const bool ok = writeBuffer() && m_file.flush();
    if (!ok)
        m_failed = true;
    return ok;
}

bool FileOutputStream::truncate()
{
    return flush() && m_file.truncateHere();
}

bool FileOutputStream::close()
{
    if (!isOpen()) {
        m_buffer.reset();
        return !m_failed;
    }
    const bool flushed = writeBuffer();
    const bool closed = m_file.close();
    if (!flushed || !closed)
        m_failed = true;
    m_buffer.reset();
    m_buffered = 0;
    m_position = 0;
    return !m_failed;
}

bool FileOutputStream::read(void* buffer, uint32_t count, uint32_t* done)
{
    *done = 0;
    if (!writeBuffer())
        return false;
    const bool ok = m_file.read(buffer, count, done);
    m_position += *done;
    return ok;
}

bool FileOutputStream::seek(int64_t position)
{
    if (position < 0 || !writeBuffer())
        return false;
    return m_file.seek(position, FileHandle::Origin::Begin, &m_position);
}

bool FileOutputStream::seekFromEnd(int64_t offset)
{
    if (!writeBuffer())
        return false;
    return m_file.seek(offset, FileHandle::Origin::End, &m_position);
}

}  // namespace s::file::win
