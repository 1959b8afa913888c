#include <windows.h>
#include <shlobj.h>
#include <io.h>

#include "platform/FileSystem.h"

namespace s::platform {

namespace {
const wchar_t* wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
}  // namespace

bool accessTest(const char16_t* path, AccessMode mode)
{
    return _waccess(wide(path), static_cast<int>(mode)) == 0;
}

int32_t fileAttributes(const char16_t* path)
{
    const DWORD attributes = GetFileAttributesW(wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return -1;
    return static_cast<int32_t>(attributes);
}

bool createFolder(const char16_t* path) { return CreateDirectoryW(wide(path), nullptr) != FALSE; }
bool removeFile(const char16_t* path) { return DeleteFileW(wide(path)) != FALSE; }

uint64_t fileSize(const char16_t* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(wide(path), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::vector<std::u16string> folderEntries(const char16_t* path)
{
    std::vector<std::u16string> names;
    std::u16string pattern = path;
    if (!pattern.empty() && pattern.back() != u'\\')
        pattern += u'\\';
    pattern += u'*';
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(wide(pattern.c_str()), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::u16string name = reinterpret_cast<const char16_t*>(found.cFileName);
        if (name != u"." && name != u"..")
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void notifyFileCreated(const char16_t* path)
{
    SHChangeNotify(SHCNE_CREATE, SHCNF_PATHW, path, nullptr);
}

void notifyFolderCreated(const char16_t* path)
{
    SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHW, path, nullptr);
}

bool FileHandle::open(const char16_t* path, Mode mode)
{
    close();
    DWORD access = GENERIC_READ;
    DWORD disposition = OPEN_EXISTING;
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    switch (mode) {
    case Mode::Read: flags |= FILE_FLAG_SEQUENTIAL_SCAN; break;
    case Mode::WriteReplace: access |= GENERIC_WRITE; disposition = CREATE_ALWAYS; break;
    case Mode::WriteAppend: access |= GENERIC_WRITE; disposition = OPEN_ALWAYS; break;
    case Mode::WriteCreateNew: access |= GENERIC_WRITE; disposition = CREATE_NEW; break;
    }
    HANDLE handle = CreateFileW(wide(path), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return false;
    }
    if (mode == Mode::WriteAppend && SetFilePointer(handle, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
        CloseHandle(handle);
        return false;
    }
    m_handle = reinterpret_cast<intptr_t>(handle);
    return true;
}

bool FileHandle::read(void* buffer, uint32_t count, uint32_t* done)
{
    *done = 0;
    if (!isOpen())
        return false;
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(m_handle), buffer, count, &got, nullptr))
        return false;
    *done = got;
    return true;
}

bool FileHandle::write(const void* buffer, uint32_t count)
{
    if (!isOpen())
        return false;
    DWORD put = 0;
    return WriteFile(reinterpret_cast<HANDLE>(m_handle), buffer, count, &put, nullptr) && put == count;
}

bool FileHandle::seek(int64_t offset, Origin origin, int64_t* newPosition)
{
    if (!isOpen())
        return false;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER result{};
    if (!SetFilePointerEx(reinterpret_cast<HANDLE>(m_handle), distance, &result, origin == Origin::Begin ? FILE_BEGIN : FILE_END))
        return false;
    if (newPosition)
        *newPosition = result.QuadPart;
    return true;
}

bool FileHandle::flush() { return isOpen() && FlushFileBuffers(reinterpret_cast<HANDLE>(m_handle)); }
bool FileHandle::truncateHere() { return isOpen() && SetEndOfFile(reinterpret_cast<HANDLE>(m_handle)); }

bool FileHandle::close()
{
    if (!isOpen())
        return true;
    const bool ok = CloseHandle(reinterpret_cast<HANDLE>(m_handle)) != FALSE;
    m_handle = kNoHandle;
    return ok;
}

}  // namespace s::platform
