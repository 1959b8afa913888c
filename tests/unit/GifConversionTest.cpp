#include <gtest/gtest.h>

#include "GifTestSupport.h"
#include "dialogs/pellory/ConversionTask.h"

using namespace giftest;
using s::image::gui::dialogs::pellory::ConversionTask;

namespace {

// A GIF dropped on the window is sharpened and written back as a GIF beside
// it; an animation stays an animation of as many frames.
TEST(GifConversion, StillAndAnimatedGifsAreWrittenBack)
{
    TestFolder folder;
    folder.copyIn(testDataFile("gif/treescap-interlaced.gif"), u"Tree.gif");
    folder.copyIn(testDataFile("gif/mixed-disposal.gif"), u"Cat.gif");
    ConversionTask task;
    task.setting().set(1, 50);
    task.fileList().add(folder.file(u"Tree.gif"));
    task.fileList().add(folder.file(u"Cat.gif"));
    task.run();
    EXPECT_EQ(2, task.filesWritten());
    EXPECT_EQ(0, task.filesFailed());
    EXPECT_EQ((std::vector<std::u16string>{u"Cat (SH +50%).gif", u"Cat.gif", u"Tree (SH +50%).gif", u"Tree.gif"}), folder.names());

    bool decoded = false;
    Pooled<Gif> tree = decodeBytes(readFile(folder.path() / u"Tree (SH +50%).gif"), &decoded);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(Gif::Fault::kNone, tree->fault());
    ASSERT_EQ(1, tree->imageCount());
    EXPECT_EQ(40, tree->width());
    EXPECT_EQ(40, tree->height());
    // Sharpened, so not the same picture, but within the source's colour
    // budget: a 16-colour table gives 15 colours and the transparent index.
    Pooled<Gif> source = decodeBytes(readFile(folder.path() / u"Tree.gif"));
    EXPECT_EQ(4, source->colorBits());
    Pooled<BufferedImage> before(source->toImage(0, nullptr));
    Pooled<BufferedImage> after(tree->toImage(0, nullptr));
    EXPECT_NE(shownPixels(*before), shownPixels(*after));
    std::vector<uint32_t> colours = shownPixels(*after);
    std::sort(colours.begin(), colours.end());
    EXPECT_LE(std::unique(colours.begin(), colours.end()) - colours.begin(), 15);

    Pooled<Gif> cat = decodeBytes(readFile(folder.path() / u"Cat (SH +50%).gif"), &decoded);
    ASSERT_TRUE(decoded);
    Pooled<Gif> original = decodeBytes(readFile(folder.path() / u"Cat.gif"));
    ASSERT_EQ(original->imageCount(), cat->imageCount());
    EXPECT_EQ(original->loopCount(), cat->loopCount());
    for (int32_t i = 0; i < cat->imageCount(); ++i) {
        EXPECT_EQ(32, cat->frameAt(i)->width());
        EXPECT_EQ(32, cat->frameAt(i)->height());
        EXPECT_EQ(original->delayAt(i), cat->delayAt(i));
    }
}

TEST(GifConversion, BrokenGifIsCountedAndLeavesNothing)
{
    TestFolder folder;
    // Recognised as GIF (over 100 bytes), but its only frame has code size 12.
    std::string bytes("GIF89a\x04\x00\x01\x00\x80\x00\x00\x00\x00\x00\xFF\xFF\xFF", 19);
    bytes += std::string("\x2C\x00\x00\x00\x00\x04\x00\x01\x00\x00\x0C\x02\x8C\x53\x00", 15);
    bytes += std::string(100, '\x00') + "\x3B";
    folder.write(u"bad.gif", bytes);
    ConversionTask task;
    task.fileList().add(folder.file(u"bad.gif"));
    task.run();
    EXPECT_EQ(0, task.filesWritten());
    EXPECT_EQ(1, task.filesFailed());
    EXPECT_EQ((std::vector<std::u16string>{u"bad.gif"}), folder.names());
}

}  // namespace
