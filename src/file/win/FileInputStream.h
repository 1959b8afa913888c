#pragma once
#include "base/IObject.h"
#include "file/IFileInputStream.h"
#include "platform/FileSystem.h"
#include "thread/PooledBy.h"

namespace s::file::win {

// Unbuffered reading of one file; other openers may read and write it too.
class FileInputStream : public s::base::IObject, public s::thread::PooledBy<FileInputStream>, public s::file::IFileInputStream {
public:
    const char16_t* className() const override { return u"s_file_win_FileInputStream"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override { close(); }

    bool open(const char16_t* osPath);
    bool isOpen() const override { return m_file.isOpen(); }
    bool read(void* buffer, uint32_t count, uint32_t* done) override;
    bool seek(int64_t position) override;
    bool seekFromEnd(int64_t offset) override;
    bool skip(int64_t count) override { return seek(m_position + count); }
    int64_t position() const override { return m_position; }
    uint64_t size() override;
    bool close() override;

private:
    s::platform::FileHandle m_file;
    int64_t m_position = 0;
};

}  // namespace s::file::win
