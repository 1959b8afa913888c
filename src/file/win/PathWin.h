#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "file/IPath.h"
#include "thread/PooledBy.h"

namespace s::file::win {

class FileInputStream;
class FileOutputStream;

// The framework's path: one path text split into drive, folder, title and
// extension, with what it learns from the file system cached.
//
// The Windows build follows Windows rules: drive letters, "\" as separator
// ("/" folded to it), and the "\\?\" long form for texts of 250 characters or
// more. Elsewhere the same class follows POSIX rules: "/" separates, there
// is no drive, a backslash is an ordinary character, no long form.
class PathWin : public s::file::IPath, public s::thread::PooledBy<PathWin> {
public:
#ifdef _WIN32
    static constexpr char16_t kSeparator = u'\\';
#else
    static constexpr char16_t kSeparator = u'/';
#endif
    static constexpr size_t kLongPathFrom = 250;

    PathWin() = default;

    static PathWin* fromText(std::u16string_view text);

    const char16_t* className() const override { return u"s_file_win_PathWin"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void setText(std::u16string_view text);
    const std::u16string& text() const { return m_fullPath; }
    const std::u16string& givenText() const { return m_givenText; }
    // The text system calls take: the long form when there is one.
    const std::u16string& osPath() const { return m_longPath.empty() ? m_fullPath : m_longPath; }
    const std::u16string& longPath() const { return m_longPath; }
    bool isValid() const { return m_valid; }
    bool isStreamName() const { return m_streamName; }

    const std::u16string& drive() const { return m_drive; }
    const std::u16string& folder() const { return m_folder; }
    std::u16string folderText() const;
    std::u16string title() const { return m_title; }
    std::u16string extension() const { return m_extension; }
    std::u16string nameWithExtension() const { return m_title + m_extension; }

    bool exists() override;
    bool isWritable();
    bool isDirectory() override;
    bool isFile();
    bool isDriveOnly() const;
    bool isUncPath() const;
    bool hasExtension(std::u16string_view extension);

    // New pooled paths; the caller releases them.
    PathWin* parent() const;
    PathWin* child(std::u16string_view name) const;
    PathWin* nextFreeName();

    bool createDirectory(bool notify);
    bool createParentDirectory();
    uint64_t fileSize(bool recursive = false);

    // New pooled streams, opened (or closed when opening failed); the caller
    // releases them.
    FileInputStream* openInput();
    FileOutputStream* openOutput(bool append);
    // Creates the file only if the name is free, never replacing anything.
    FileOutputStream* openOutputExclusive();

private:
    void split();
    int32_t attributes();

    std::u16string m_givenText;
    std::u16string m_fullPath;
    std::u16string m_drive;
    std::u16string m_folder;
    std::u16string m_title;
    std::u16string m_extension;
    std::u16string m_longPath;
    bool m_valid = false;
    bool m_streamName = false;
    int32_t m_attributes = -1;
    bool m_attributesRead = false;
};

}  // namespace s::file::win
