#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolder.h"
#include "file/win/FileInputStream.h"
#include "file/win/FileOutputStream.h"
#include "file/win/PathWin.h"
#include "platform/FileSystem.h"
#include "thread/Pooled.h"

using s::file::win::FileOutputStream;
using s::file::win::PathWin;
using s::thread::Pooled;

namespace {

struct ParseCase {
    const char16_t* given;
    const char16_t* fullPath;
    const char16_t* drive;
    const char16_t* folder;
    const char16_t* title;
    const char16_t* extension;
    const char16_t* folderText;
};

#ifdef _WIN32
const ParseCase kParseCases[] = {
    {u"C:\\Pictures\\Cat.JPG", u"C:\\Pictures\\Cat.JPG", u"C:", u"\\Pictures\\", u"Cat", u".JPG", u"C:\\Pictures\\"},
    {u"C:/Pictures/Cat.JPG", u"C:\\Pictures\\Cat.JPG", u"C:", u"\\Pictures\\", u"Cat", u".JPG", u"C:\\Pictures\\"},
    {u"C:\\dir\\", u"C:\\dir", u"C:", u"\\", u"dir", u"", u"C:\\"},
    {u"D:\\a.png", u"D:\\a.png", u"D:", u"\\", u"a", u".png", u"D:\\"},
    {u"C:\\", u"C:", u"C:", u"", u"", u"", u"C:\\"},
    {u"\\\\server\\share\\x.tar.gz", u"\\\\server\\share\\x.tar.gz", u"", u"\\\\server\\share\\", u"x.tar", u".gz", u"\\\\server\\share\\"},
    {u"C:\\a\\b\\noext", u"C:\\a\\b\\noext", u"C:", u"\\a\\b\\", u"noext", u"", u"C:\\a\\b\\"},
    {u"C:\\a.b\\c", u"C:\\a.b\\c", u"C:", u"\\a.b\\", u"c", u"", u"C:\\a.b\\"},
};
#else
const ParseCase kParseCases[] = {
    {u"/pictures/Cat.JPG", u"/pictures/Cat.JPG", u"", u"/pictures/", u"Cat", u".JPG", u"/pictures/"},
    {u"/pictures/dir/", u"/pictures/dir", u"", u"/pictures/", u"dir", u"", u"/pictures/"},
    {u"/a.png", u"/a.png", u"", u"/", u"a", u".png", u"/"},
    {u"/", u"/", u"", u"/", u"", u"", u"/"},
    {u"/x/back\\slash.png", u"/x/back\\slash.png", u"", u"/x/", u"back\\slash", u".png", u"/x/"},
    {u"/x/C:name.jpg", u"/x/C:name.jpg", u"", u"/x/", u"C:name", u".jpg", u"/x/"},
    {u"/x/archive.tar.gz", u"/x/archive.tar.gz", u"", u"/x/", u"archive.tar", u".gz", u"/x/"},
    {u"/a.b/c", u"/a.b/c", u"", u"/a.b/", u"c", u"", u"/a.b/"},
};
#endif

TEST(Path, SplitsByThisBuildsRules)
{
    for (const ParseCase& c : kParseCases) {
        Pooled<PathWin> path(PathWin::fromText(c.given));
        SCOPED_TRACE(s::platform::toUtf8(c.given, std::char_traits<char16_t>::length(c.given)));
        EXPECT_TRUE(path->isValid());
        EXPECT_EQ(std::u16string(c.fullPath), path->text());
        EXPECT_EQ(std::u16string(c.drive), path->drive());
        EXPECT_EQ(std::u16string(c.folder), path->folder());
        EXPECT_EQ(std::u16string(c.title), path->title());
        EXPECT_EQ(std::u16string(c.extension), path->extension());
        EXPECT_EQ(std::u16string(c.folderText), path->folderText());
        EXPECT_TRUE(path->longPath().empty());
    }
    Pooled<PathWin> empty(PathWin::fromText(u""));
    EXPECT_FALSE(empty->isValid());
    EXPECT_FALSE(empty->exists());
}

#ifdef _WIN32
TEST(Path, LongTextsGetTheLongForm)
{
    const std::u16string folder = u"C:\\" + std::u16string(300, u'a');
    Pooled<PathWin> local(PathWin::fromText(folder + u"\\x.png"));
    EXPECT_EQ(u"\\\\?\\" + folder + u"\\x.png", local->longPath());
    EXPECT_EQ(local->longPath(), local->osPath());
    Pooled<PathWin> network(PathWin::fromText(u"\\\\server\\share\\" + std::u16string(300, u'b')));
    EXPECT_EQ(u"\\\\?\\UNC\\server\\share\\" + std::u16string(300, u'b'), network->longPath());
    Pooled<PathWin> justShort(PathWin::fromText(u"C:\\" + std::u16string(245, u'c')));
    EXPECT_TRUE(justShort->longPath().empty());
    Pooled<PathWin> drive(PathWin::fromText(u"C:"));
    EXPECT_TRUE(drive->isDriveOnly());
    EXPECT_TRUE(Pooled<PathWin>(PathWin::fromText(u"\\\\server\\x"))->isUncPath());
}
#endif

TEST(Path, LongPathsWorkWhole)
{
    TestFolder folder;
    // Deeper than any fixed-size buffer would allow.
    std::u16string deep = folder.text();
    for (int i = 0; i < 8; ++i)
        deep += PathWin::kSeparator + std::u16string(40, static_cast<char16_t>(u'a' + i));
    Pooled<PathWin> file(PathWin::fromText(deep + PathWin::kSeparator + u"x.bin"));
    ASSERT_GT(file->text().size(), 300u);
    Pooled<FileOutputStream> out(file->openOutput(false));
    ASSERT_TRUE(out->isOpen());
    uint32_t written = 0;
    EXPECT_TRUE(out->write("abc", 3, &written));
    EXPECT_TRUE(out->close());
    Pooled<PathWin> again(PathWin::fromText(file->text()));
    EXPECT_TRUE(again->exists());
    EXPECT_EQ(3u, again->fileSize());
}

TEST(Path, NextFreeNameCountsOnTheOwnTitle)
{
    TestFolder folder;
    Pooled<PathWin> missing(PathWin::fromText(folder.file(u"a.png")));
    Pooled<PathWin> same(missing->nextFreeName());
    EXPECT_EQ(missing->text(), same->text());

    folder.write(u"a.png", "x");
    folder.write(u"a (1).png", "x");
    Pooled<PathWin> taken(PathWin::fromText(folder.file(u"a.png")));
    Pooled<PathWin> next(taken->nextFreeName());
    EXPECT_EQ(folder.file(u"a (2).png"), next->text());

    std::filesystem::create_directory(folder.path() / "dir.d");
    Pooled<PathWin> dir(PathWin::fromText(folder.file(u"dir.d")));
    Pooled<PathWin> nextDir(dir->nextFreeName());
    EXPECT_EQ(folder.file(u"dir.d (1)"), nextDir->text());
}

TEST(Path, FileSystemQuestions)
{
    TestFolder folder;
    folder.write(u"f.txt", std::string(10, 'x'));
    std::filesystem::create_directory(folder.path() / "sub");
    folder.write(u"sub/g.txt", std::string(5, 'y'));
    Pooled<PathWin> file(PathWin::fromText(folder.file(u"f.txt")));
    Pooled<PathWin> dir(PathWin::fromText(folder.text()));
    EXPECT_TRUE(file->exists());
    EXPECT_TRUE(file->isFile());
    EXPECT_FALSE(file->isDirectory());
    EXPECT_TRUE(file->isWritable());
    EXPECT_TRUE(dir->isDirectory());
    EXPECT_EQ(10u, file->fileSize());
    EXPECT_EQ(15u, dir->fileSize(true));
    Pooled<PathWin> parent(file->parent());
    EXPECT_EQ(dir->text(), parent->text());
    Pooled<PathWin> child(dir->child(u"f.txt"));
    EXPECT_EQ(file->text(), child->text());

    Pooled<PathWin> nested(PathWin::fromText(folder.file(u"n1") + PathWin::kSeparator + u"n2"));
    EXPECT_TRUE(nested->createDirectory(false));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "n1" / "n2"));
    EXPECT_FALSE(nested->createDirectory(false));  // already there
}

TEST(OutputStream, BuffersWritesInBlocksOf64KiB)
{
    TestFolder folder;
    Pooled<PathWin> path(PathWin::fromText(folder.file(u"big.bin")));
    Pooled<FileOutputStream> out(path->openOutput(false));
    ASSERT_TRUE(out->isOpen());
    const std::string bytes(70000, 'z');
    uint32_t written = 0;
    ASSERT_TRUE(out->write(bytes.data(), 70000, &written));
    EXPECT_EQ(70000u, written);
    EXPECT_EQ(70000, out->position());
    EXPECT_EQ(4464u, out->bufferedBytes());
    EXPECT_EQ(65536u, std::filesystem::file_size(folder.path() / "big.bin"));
    ASSERT_TRUE(out->close());
    EXPECT_EQ(70000u, std::filesystem::file_size(folder.path() / "big.bin"));
    EXPECT_EQ(bytes, readAll(folder.path() / "big.bin"));
}

TEST(OutputStream, ExclusiveCreationNeverReplaces)
{
    TestFolder folder;
    folder.write(u"kept.bin", "original");
    Pooled<PathWin> path(PathWin::fromText(folder.file(u"kept.bin")));
    Pooled<FileOutputStream> out(path->openOutputExclusive());
    EXPECT_FALSE(out->isOpen());
    uint32_t written = 0;
    EXPECT_FALSE(out->write("x", 1, &written));  // a stream that did not open takes nothing
    EXPECT_EQ("original", readAll(folder.path() / "kept.bin"));

    Pooled<FileOutputStream> append(path->openOutput(true));
    ASSERT_TRUE(append->write("+more", 5, &written));
    ASSERT_TRUE(append->close());
    EXPECT_EQ("original+more", readAll(folder.path() / "kept.bin"));
}

TEST(InputStream, ReadsSeeksAndFailsCleanlyOnMissingFiles)
{
    TestFolder folder;
    folder.write(u"in.bin", "0123456789");
    Pooled<PathWin> path(PathWin::fromText(folder.file(u"in.bin")));
    Pooled<s::file::win::FileInputStream> in(path->openInput());
    ASSERT_TRUE(in->isOpen());
    EXPECT_EQ(10u, in->size());
    char buffer[4] = {};
    uint32_t got = 0;
    ASSERT_TRUE(in->seek(6));
    ASSERT_TRUE(in->read(buffer, 4, &got));
    EXPECT_EQ(4u, got);
    EXPECT_EQ(std::string("6789"), std::string(buffer, 4));
    ASSERT_TRUE(in->read(buffer, 4, &got));
    EXPECT_EQ(0u, got);

    Pooled<PathWin> missing(PathWin::fromText(folder.file(u"none.bin")));
    Pooled<s::file::win::FileInputStream> none(missing->openInput());
    EXPECT_FALSE(none->isOpen());
}

}  // namespace
