#include "file/win/FileInputStream.h"

namespace s::file::win {

using s::platform::FileHandle;

bool FileInputStream::open(const char16_t* osPath)
{
    close();
    return m_file.open(osPath, FileHandle::Mode::Read);
}

bool FileInputStream::read(void* buffer, uint32_t count, uint32_t* done)
{
    const bool ok = m_file.read(buffer, count, done);
    m_position += *done;
    return ok;
}

bool FileInputStream::seek(int64_t position)
{
    if (position < 0)
        return false;
    return m_file.seek(position, FileHandle::Origin::Begin, &m_position);
}

bool FileInputStream::seekFromEnd(int64_t offset)
{
    return m_file.seek(offset, FileHandle::Origin::End, &m_position);
}

uint64_t FileInputStream::size()
{
    const int64_t here = m_position;
    int64_t end = 0;
    if (!m_file.seek(0, FileHandle::Origin::End, &end))
        return 0;
    m_file.seek(here, FileHandle::Origin::Begin, &m_position);
    return static_cast<uint64_t>(end);
}

bool FileInputStream::close()
{
    m_position = 0;
    return m_file.close();
}

}  // namespace s::file::win
