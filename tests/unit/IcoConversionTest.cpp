#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CodecTestSupport.h"
#include "MemoryStreams.h"
#include "TestFolder.h"
#include "dialogs/pellory/ConversionTask.h"
#include "image/ico/win/Icon.h"
#include "image/win/BufferedImage.h"
#include "thread/Pooled.h"

using s::image::gui::dialogs::pellory::ConversionTask;
using s::image::ico::win::Icon;
using s::image::win::BufferedImage;
using s::thread::Pooled;

namespace {

Pooled<Icon> decodeFile(const std::filesystem::path& file)
{
    Pooled<Icon> icon(Icon::take());
    MemoryInputStream in(readAll(file));
    EXPECT_TRUE(icon->decode(in));
    return icon;
}

bool haveCorpus()
{
    return std::filesystem::is_directory(codec_test::corpusDir() / "ico");
}

// An icon dropped on the window comes back as an icon of the same entries,
// each one sharpened: classic entries of 4, 8 and 32 bits and, above 255
// pixels, a PNG stream.
TEST(IcoConversion, EveryEntryIsFilteredAndRewrittenAtItsSizeAndDepth)
{
    if (!haveCorpus())
        GTEST_SKIP() << "no corpus at " << PELLORY_CORPUS_DIR;
    TestFolder folder;
    folder.copyIn(codec_test::corpusDir() / "ico" / "multiple_entries_with_different_bit_depth.ico", u"App.ico");
    folder.copyIn(codec_test::corpusDir() / "ico" / "imagemagick-favicon.ico", u"Fav.ico");
    ConversionTask task;
    task.setting().set(1, 50);
    task.fileList().add(folder.file(u"App.ico"));
    task.fileList().add(folder.file(u"Fav.ico"));
    task.run();
    EXPECT_EQ(2, task.filesWritten());
    EXPECT_EQ(0, task.filesFailed());
    EXPECT_EQ((std::vector<std::u16string>{u"App (SH +50%).ico", u"App.ico", u"Fav (SH +50%).ico", u"Fav.ico"}), folder.names());

    for (const char16_t* name : {u"App", u"Fav"}) {
        SCOPED_TRACE(std::string(name, name + 3));
        Pooled<Icon> source = decodeFile(folder.path() / (std::u16string(name) + u".ico"));
        Pooled<Icon> result = decodeFile(folder.path() / (std::u16string(name) + u" (SH +50%).ico"));
        ASSERT_EQ(source->imageCount(), result->imageCount());
        for (int32_t i = 0; i < source->imageCount(); ++i) {
            EXPECT_EQ(source->entry(i)->width(), result->entry(i)->width()) << i;
            EXPECT_EQ(source->entry(i)->height(), result->entry(i)->height()) << i;
            EXPECT_EQ(source->entry(i)->bitCount(), result->entry(i)->bitCount()) << i;
            EXPECT_EQ(source->entry(i)->isPngStream(), result->entry(i)->isPngStream()) << i;
            Pooled<BufferedImage> before(source->toImage(i, nullptr));
            Pooled<BufferedImage> after(result->toImage(i, nullptr));
            EXPECT_GT(codec_test::maxDifference(*before, *after), 0) << "entry " << i << " not filtered";
        }
    }
}

// Recognised as an icon, but the only entry's header states a colour table
// far larger than the entry: no picture, so no output at all.
TEST(IcoConversion, IconWithoutAnyGoodEntryLeavesNothing)
{
    std::string bytes("\0\0\1\0\1\0", 6);                        // reserved, type 1, one entry
    bytes += std::string("\x10\x10\0\0\1\0\x08\0", 8);           // 16 x 16, planes 1, 8 bits
    bytes += std::string("\x68\0\0\0\x16\0\0\0", 8);             // 104 bytes at offset 22
    bytes += std::string("\x28\0\0\0\x10\0\0\0\x20\0\0\0", 12);  // header 40, 16 x 32
    bytes += std::string("\1\0\x08\0\0\0\0\0\0\0\0\0", 12);      // planes 1, 8 bits, BI_RGB
    bytes += std::string(8, '\0');                              // resolutions
    bytes += std::string("\0\0\0\x40\0\0\0\0", 8);               // 2^30 colours used
    bytes += std::string(64, '\x55');                           // what follows
    TestFolder folder;
    folder.write(u"bad.ico", bytes);
    ConversionTask task;
    task.fileList().add(folder.file(u"bad.ico"));
    task.run();
    EXPECT_EQ(0, task.filesWritten());
    EXPECT_EQ(1, task.filesFailed());
    EXPECT_EQ((std::vector<std::u16string>{u"bad.ico"}), folder.names());
}

}  // namespace
