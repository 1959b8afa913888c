#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/FileSystem.h"

namespace s::platform {

namespace {
std::string nativePath(const char16_t* path)
{
    size_t length = 0;
    while (path[length])
        ++length;
    return toUtf8(path, length);
}
}  // namespace

bool accessTest(const char16_t* path, AccessMode mode)
{
    const int flags = mode == AccessMode::Exists ? F_OK : (R_OK | W_OK);
    return access(nativePath(path).c_str(), flags) == 0;
}

int32_t fileAttributes(const char16_t* path)
{
    struct stat status {};
    const std::string native = nativePath(path);
    if (lstat(native.c_str(), &status) != 0)
        return -1;
    int32_t attributes = 0;
    if (S_ISLNK(status.st_mode)) {
        attributes |= kAttributeReparsePoint;
        if (stat(native.c_str(), &status) != 0)
            return attributes;
    }
    if (S_ISDIR(status.st_mode))
        attributes |= kAttributeDirectory;
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        attributes |= kAttributeReadOnly;
    return attributes;
}

bool createFolder(const char16_t* path) { return mkdir(nativePath(path).c_str(), 0777) == 0; }
bool removeFile(const char16_t* path) { return unlink(nativePath(path).c_str()) == 0; }

uint64_t fileSize(const char16_t* path)
{
    struct stat status {};
    if (stat(nativePath(path).c_str(), &status) != 0)
        return 0;
    return static_cast<uint64_t>(status.st_size);
}

std::vector<std::u16string> folderEntries(const char16_t* path)
{
    std::vector<std::u16string> names;
    DIR* folder = opendir(nativePath(path).c_str());
    if (!folder)
        return names;
    while (dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        names.push_back(fromUtf8(name.data(), name.size()));
    }
    closedir(folder);
    return names;
}

void notifyFileCreated(const char16_t*) {}
void notifyFolderCreated(const char16_t*) {}

bool FileHandle::open(const char16_t* path, Mode mode)
{
    close();
    int flags = O_CLOEXEC;
    switch (mode) {
    case Mode::Read: flags |= O_RDONLY; break;
    case Mode::WriteReplace: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    case Mode::WriteAppend: flags |= O_RDWR | O_CREAT; break;
    case Mode::WriteCreateNew: flags |= O_RDWR | O_CREAT | O_EXCL; break;
    }
    const int fd = ::open(nativePath(path).c_str(), flags, 0666);
    if (fd < 0)
        return false;
    struct stat status {};
    // Only regular files are streams here: a folder or a device opened by
    // name is refused, as the Windows build refuses them.
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return false;
    }
    if (mode == Mode::WriteAppend && lseek(fd, 0, SEEK_END) < 0) {
        ::close(fd);
        return false;
    }
    m_handle = fd;
    return true;
}

bool FileHandle::read(void* buffer, uint32_t count, uint32_t* done)
{
    *done = 0;
    if (!isOpen())
        return false;
    auto* out = static_cast<char*>(buffer);
    while (*done < count) {
        const ssize_t got = ::read(static_cast<int>(m_handle), out + *done, count - *done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            break;
        *done += static_cast<uint32_t>(got);
    }
    return true;
}

bool FileHandle::write(const void* buffer, uint32_t count)
{
    if (!isOpen())
        return false;
    const auto* in = static_cast<const char*>(buffer);
    uint32_t written = 0;
    while (written < count) {
        const ssize_t put = ::write(static_cast<int>(m_handle), in + written, count - written);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (put == 0)
            return false;
        written += static_cast<uint32_t>(put);
    }
    return true;
}

bool FileHandle::seek(int64_t offset, Origin origin, int64_t* newPosition)
{
    if (!isOpen())
        return false;
    const off_t result = lseek(static_cast<int>(m_handle), static_cast<off_t>(offset), origin == Origin::Begin ? SEEK_SET : SEEK_END);
    if (result < 0)
        return false;
    if (newPosition)
        *newPosition = result;
    return true;
}

bool FileHandle::flush() { return isOpen() && fsync(static_cast<int>(m_handle)) == 0; }

bool FileHandle::truncateHere()
{
    if (!isOpen())
        return false;
    const off_t here = lseek(static_cast<int>(m_handle), 0, SEEK_CUR);
    return here >= 0 && ftruncate(static_cast<int>(m_handle), here) == 0;
}

bool FileHandle::close()
{
    if (!isOpen())
        return true;
    const bool ok = ::close(static_cast<int>(m_handle)) == 0;
    m_handle = kNoHandle;
    return ok;
}

}  // namespace s::platform
