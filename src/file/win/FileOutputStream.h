#pragma once
#include <memory>

#include "base/IObject.h"
#include "file/IFileOutputStream.h"
#include "platform/FileSystem.h"
#include "thread/PooledBy.h"

namespace s::file::win {

// Writing one file through a 64 KiB buffer. Every failure is remembered so
// that the writer of an output can tell a complete file from a broken one.
class FileOutputStream : public s::base::IObject, public s::thread::PooledBy<FileOutputStream>, public s::file::IFileOutputStream {
public:
    static constexpr uint32_t kBufferSize = 65536;

    enum class OpenMode { Replace, Append, CreateNew };

    const char16_t* className() const override { return u"s_file_win_FileOutputStream"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    bool open(const char16_t* osPath, OpenMode mode);
    bool isOpen() const override { return m_file.isOpen(); }
    bool hasFailed() const override { return m_failed; }

    bool write(const void* bytes, uint32_t count, uint32_t* written) override;
    bool flush() override;
    bool truncate() override;
    bool close() override;

    bool read(void* buffer, uint32_t count, uint32_t* done) override;
    bool seek(int64_t position) override;
    bool seekFromEnd(int64_t offset) override;
    bool skip(int64_t count) override { return seek(m_position + count); }
    int64_t position() const override { return m_position; }

    uint32_t bufferedBytes() const { return m_buffered; }

private:
    bool writeBuffer();

    s::platform::FileHandle m_file;
    std::unique_ptr<uint8_t[]> m_buffer;  // owned, kBufferSize bytes while open
    uint32_t m_buffered = 0;
    int64_t m_position = 0;
    bool m_failed = false;
};

}  // namespace s::file::win
