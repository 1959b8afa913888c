#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The file-system calls the framework needs, answered by Win32 on Windows
// and by POSIX elsewhere. Paths are UTF-16 texts in the platform's own form
// (the long-path form on Windows when needed).
namespace s::platform {

enum class AccessMode : int32_t { Exists = 0, ReadWrite = 6 };

// True when the C library's access test passes (mode 0: exists, 6: read and write).
bool accessTest(const char16_t* path, AccessMode mode);
// Attribute bits as Windows defines them (0x10 folder, 0x01 read-only...), or
// -1 when the path cannot be queried.
int32_t fileAttributes(const char16_t* path);
constexpr int32_t kAttributeReadOnly = 0x01;
constexpr int32_t kAttributeDirectory = 0x10;
constexpr int32_t kAttributeReparsePoint = 0x400;

bool createFolder(const char16_t* path);
bool removeFile(const char16_t* path);
// Size of a file in bytes, 0 when it cannot be read.
uint64_t fileSize(const char16_t* path);
// Names (not paths) of the entries directly inside a folder, without "." and "..".
std::vector<std::u16string> folderEntries(const char16_t* path);
// Shell change notifications; nothing where the platform has no shell to tell.
void notifyFileCreated(const char16_t* path);
void notifyFolderCreated(const char16_t* path);

// One open file. Reading shares read and write with other openers.
class FileHandle {
public:
    enum class Mode { Read, WriteReplace, WriteAppend, WriteCreateNew };
    enum class Origin { Begin, End };

    FileHandle() = default;
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    // WriteCreateNew fails when the name exists (exclusive creation).
    bool open(const char16_t* path, Mode mode);
    bool isOpen() const { return m_handle != kNoHandle; }
    // Reads up to count bytes; false on a system error. *done is what was read.
    bool read(void* buffer, uint32_t count, uint32_t* done);
    // Writes all of count bytes; false on a short or failed write.
    bool write(const void* buffer, uint32_t count);
    bool seek(int64_t offset, Origin origin, int64_t* newPosition);
    bool flush();
    bool truncateHere();
    bool close();

private:
    static constexpr intptr_t kNoHandle = -1;
    intptr_t m_handle = kNoHandle;
};

// UTF-16 <-> UTF-8, replacing ill-formed sequences with U+FFFD.
std::string toUtf8(const char16_t* text, size_t length);
std::u16string fromUtf8(const char* text, size_t length);

}  // namespace s::platform
