#include "file/win/PathWin.h"

#include "file/win/FileInputStream.h"
#include "file/win/FileOutputStream.h"
#include "platform/FileSystem.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/Pooled.h"

namespace s::file::win {

namespace {

#ifdef _WIN32
constexpr bool kWindowsRules = true;
#else
constexpr bool kWindowsRules = false;
#endif

bool isSeparator(char16_t c)
{
    return c == PathWin::kSeparator;
}

std::u16string numbered(int64_t n)
{
    std::u16string text = u" (";
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    text += u')';
    return text;
}

}  // namespace

PathWin* PathWin::fromText(std::u16string_view text)
{
    PathWin* path = take();
    path->setText(text);
    return path;
}

void PathWin::reset()
{
    m_givenText.clear();
    m_fullPath.clear();
    m_drive.clear();
    m_folder.clear();
    m_title.clear();
    m_extension.clear();
    m_longPath.clear();
    m_valid = false;
    m_streamName = false;
    m_attributes = -1;
    m_attributesRead = false;
}

void PathWin::setText(std::u16string_view text)
{
    reset();
    m_givenText.assign(text.data(), text.size());
    if (text.empty())
        return;
    m_valid = true;
    m_fullPath = m_givenText;
    if (kWindowsRules) {
        for (char16_t& c : m_fullPath) {
            if (c == u'/')
                c = u'\\';
        }
    }
    // Trailing separators go, so "C:\dir\" and "C:\dir" are one path; a
    // POSIX root keeps its one slash.
    while (m_fullPath.size() > 1 && isSeparator(m_fullPath.back()))
        m_fullPath.pop_back();
    if (kWindowsRules && m_fullPath.size() == 1 && isSeparator(m_fullPath[0]))
        m_fullPath.clear();
    split();
    if (kWindowsRules && m_fullPath.size() >= kLongPathFrom) {
        const bool network = m_fullPath.size() >= 2 && m_fullPath[0] == u'\\' && m_fullPath[1] == u'\\';
        m_longPath = network ? u"\\\\?\\UNC\\" + m_fullPath.substr(2) : u"\\\\?\\" + m_fullPath;
    }
}

// Splits as the C library's path splitter does: an optional drive ("X:"),
// the folder up to and including the last separator, then the title and the
// extension from the last point of the name.
void PathWin::split()
{
    std::u16string_view rest = m_fullPath;
    if (kWindowsRules && rest.size() >= 2 && rest[1] == u':') {
        m_drive.assign(rest.substr(0, 2));
        rest.remove_prefix(2);
    }
    size_t lastSeparator = std::u16string_view::npos;
    for (size_t i = 0; i < rest.size(); ++i) {
        if (isSeparator(rest[i]))
            lastSeparator = i;
    }
    std::u16string_view name = rest;
    if (lastSeparator != std::u16string_view::npos) {
        m_folder.assign(rest.substr(0, lastSeparator + 1));
        name = rest.substr(lastSeparator + 1);
    }
    const size_t point = name.rfind(u'.');
    if (point == std::u16string_view::npos) {
        m_title.assign(name);
    } else {
        m_title.assign(name.substr(0, point));
        m_extension.assign(name.substr(point));
    }
    m_streamName = kWindowsRules && (m_title.find(u':') != std::u16string::npos || m_extension.find(u':') != std::u16string::npos);
}

std::u16string PathWin::folderText() const
{
    std::u16string text = m_drive + m_folder;
    if (text.empty() || !isSeparator(text.back()))
        text += kSeparator;
    return text;
}

int32_t PathWin::attributes()
{
    if (!m_attributesRead) {
        m_attributes = m_valid ? s::platform::fileAttributes(osPath().c_str()) : -1;
        m_attributesRead = true;
    }
    return m_attributes;
}

bool PathWin::exists()
{
    return m_valid && s::platform::accessTest(osPath().c_str(), s::platform::AccessMode::Exists);
}

bool PathWin::isWritable()
{
    return m_valid && s::platform::accessTest(osPath().c_str(), s::platform::AccessMode::ReadWrite);
}

bool PathWin::isDirectory()
{
    const int32_t bits = attributes();
    return bits != -1 && (bits & s::platform::kAttributeDirectory) != 0;
}

bool PathWin::isFile()
{
    const int32_t bits = attributes();
    return bits != -1 && (bits & s::platform::kAttributeDirectory) == 0;
}

bool PathWin::isDriveOnly() const
{
    return kWindowsRules && m_fullPath.size() == 2 && m_fullPath[1] == u':';
}

bool PathWin::isUncPath() const
{
    if (m_fullPath.size() <= 2)
        return false;
    const bool twoSlashes = (m_fullPath[0] == u'\\' && m_fullPath[1] == u'\\') || (m_fullPath[0] == u'/' && m_fullPath[1] == u'/');
    return twoSlashes && m_fullPath[2] != u'\\' && m_fullPath[2] != u'/';
}

bool PathWin::hasExtension(std::u16string_view extension)
{
    return isFile() && s::str::strbuffer::StrBuffer::equalsIgnoreCase(m_extension, extension);
}

PathWin* PathWin::parent() const
{
    return fromText(folderText());
}

PathWin* PathWin::child(std::u16string_view name) const
{
    std::u16string text = m_fullPath;
    if (text.empty() || !isSeparator(text.back()))
        text += kSeparator;
    text.append(name.data(), name.size());
    return fromText(text);
}

PathWin* PathWin::nextFreeName()
{
    if (!exists())
        return fromText(m_fullPath);
    // The counter is always built on this path's own name, so names run
    // "X (1).ext", "X (2).ext", never "X (1) (2).ext".
    const bool folder = isDirectory();
    const std::u16string stem = folderText() + (folder ? nameWithExtension() : m_title);
    const std::u16string tail = folder ? std::u16string() : m_extension;
    for (int64_t n = 1;; ++n) {
        PathWin* candidate = fromText(stem + numbered(n) + tail);
        if (!candidate->exists())
            return candidate;
        candidate->release();
    }
}

bool PathWin::createDirectory(bool notify)
{
    if (!m_valid || m_fullPath.size() <= 3)
        return false;
    bool created = s::platform::createFolder(osPath().c_str());
    if (!created) {
        s::thread::Pooled<PathWin> up(parent());
        if (up->text() != m_fullPath && !up->exists() && up->createDirectory(notify))
            created = s::platform::createFolder(osPath().c_str());
    }
    if (created) {
        m_attributesRead = false;
        if (notify)
            s::platform::notifyFolderCreated(m_fullPath.c_str());
    }
    return created;
}

bool PathWin::createParentDirectory()
{
    s::thread::Pooled<PathWin> up(parent());
    return up->exists() || up->createDirectory(false);
}

uint64_t PathWin::fileSize(bool recursive)
{
    if (!isDirectory())
        return s::platform::fileSize(osPath().c_str());
    if (!recursive)
        return 0;
    uint64_t total = 0;
    for (const std::u16string& name : s::platform::folderEntries(osPath().c_str())) {
        s::thread::Pooled<PathWin> entry(child(name));
        const int32_t bits = entry->attributes();
        if (bits != -1 && (bits & s::platform::kAttributeReparsePoint))
            continue;
        total += entry->fileSize(true);
    }
    return total;
}

FileInputStream* PathWin::openInput()
{
    FileInputStream* stream = FileInputStream::take();
    stream->open(osPath().c_str());
    return stream;
}

FileOutputStream* PathWin::openOutput(bool append)
{
    createParentDirectory();
    FileOutputStream* stream = FileOutputStream::take();
    stream->open(osPath().c_str(), append ? FileOutputStream::OpenMode::Append : FileOutputStream::OpenMode::Replace);
    return stream;
}

FileOutputStream* PathWin::openOutputExclusive()
{
    createParentDirectory();
    FileOutputStream* stream = FileOutputStream::take();
    stream->open(osPath().c_str(), FileOutputStream::OpenMode::CreateNew);
    m_attributesRead = false;
    return stream;
}

}  // namespace s::file::win
