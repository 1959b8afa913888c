#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFolder.h"
#include "dialogs/pellory/ConversionTask.h"
#include "dialogs/pellory/IStatusSink.h"
#include "dialogs/pellory/OutputNaming.h"
#include "file/win/PathWin.h"
#include "thread/Pooled.h"

using s::file::win::PathWin;
using s::image::gui::dialogs::pellory::ConversionTask;
using s::image::gui::dialogs::pellory::Setting;
using s::thread::Pooled;

namespace {

struct Event {
    std::string name;
    int32_t first;
    int32_t second;
    std::u16string text;
};

class RecordingSink : public s::image::gui::dialogs::pellory::IStatusSink {
public:
    void sendEvent(const char* name, int32_t first, int32_t second, const char16_t* text) override
    {
        events.push_back({name, first, second, text ? text : u""});
    }
    std::vector<Event> events;
};

std::u16string nameFor(const TestFolder& folder, const std::u16string& base, int32_t mode, int32_t strength, const std::u16string& extension)
{
    Setting setting;
    setting.set(mode, strength);
    Pooled<PathWin> dir(PathWin::fromText(folder.text()));
    Pooled<PathWin> out(s::image::gui::dialogs::pellory::buildOutputPath(*dir, base, setting, extension));
    return out->nameWithExtension();
}

TEST(OutputNames, SuffixRecordsOperationAndStrength)
{
    TestFolder folder;
    struct Case {
        const char16_t* base;
        int32_t mode;
        int32_t strength;
        const char16_t* extension;
        const char16_t* expected;
    } cases[] = {
        {u"Cat", 1, 50, u".JPG", u"Cat (SH +50%).JPG"},
        {u"a", 2, 30, u".png", u"a (BL +30%).png"},
        {u"a", 1, 0, u".png", u"a (SH +0%).png"},
        {u"a", 1, 100, u".png", u"a (SH +100%).png"},
        {u"a (SH +50%)", 1, 50, u".jpg", u"a (SH +50%) (SH +50%).jpg"},
        {u"noext", 2, 5, u"", u"noext (BL +5%)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::u16string(c.expected), nameFor(folder, c.base, c.mode, c.strength, c.extension));
}

TEST(OutputNames, CounterRunsOnTheSuffixedName)
{
    TestFolder folder;
    folder.write(u"a (SH +50%).jpg", "x");
    folder.write(u"a (SH +50%) (1).jpg", "x");
    EXPECT_EQ(u"a (SH +50%) (2).jpg", nameFor(folder, u"a", 1, 50, u".jpg"));

    TestFolder gap;
    gap.write(u"a (SH +50%) (2).jpg", "x");
    EXPECT_EQ(u"a (SH +50%).jpg", nameFor(gap, u"a", 1, 50, u".jpg"));
}

#ifdef _WIN32
TEST(OutputNames, DriveRootKeepsOneSeparator)
{
    Setting setting;
    setting.set(2, 30);
    Pooled<PathWin> root(PathWin::fromText(u"Q:\\"));
    Pooled<PathWin> out(s::image::gui::dialogs::pellory::buildOutputPath(*root, u"a", setting, u".png"));
    EXPECT_EQ(u"Q:\\a (BL +30%).png", out->text());
}
#endif

TEST(OutputFolder, UsableOnlyWhenWritable)
{
    TestFolder folder;
    folder.write(u"a.png", "x");
    std::u16string message;
    EXPECT_TRUE(s::image::gui::dialogs::pellory::checkOutputFolder(folder.file(u"a.png"), &message));
    // A dropped path in a folder that does not exist yet: its parent decides.
    EXPECT_TRUE(s::image::gui::dialogs::pellory::checkOutputFolder(folder.file(u"new") + PathWin::kSeparator + u"a.png", &message));
    const std::u16string nowhere = folder.file(u"no") + PathWin::kSeparator + u"such" + PathWin::kSeparator + u"a.png";
    EXPECT_FALSE(s::image::gui::dialogs::pellory::checkOutputFolder(nowhere, &message));
    EXPECT_EQ(std::u16string(s::image::gui::dialogs::pellory::kOutputFolderMessage) + u"\r\n\"" + folder.file(u"no") + PathWin::kSeparator + u"such\"", message);
}

TEST(ConversionTask, PassesOverWhatIsNotAnImageFile)
{
    TestFolder folder;
    std::filesystem::create_directory(folder.path() / "sub.png");
    folder.write(u"notes.txt", "hello");
    // A PNG signature, but 50 bytes are too few to be recognised.
    folder.write(u"tiny.png", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(42, '\0'));
    folder.write(u"noext", std::string(200, 'x'));
    ConversionTask task;
    RecordingSink sink;
    task.setStatusSink(&sink);
    task.fileList().add(folder.file(u"missing.png"));
    task.fileList().add(folder.file(u"sub.png"));
    task.fileList().add(folder.file(u"notes.txt"));
    task.fileList().add(folder.file(u"tiny.png"));
    task.fileList().add(folder.file(u"noext"));
    const auto before = folder.names();
    task.run();
    ASSERT_EQ(2u, sink.events.size());
    EXPECT_EQ("ProcessStatusStart", sink.events[0].name);
    EXPECT_EQ("ProcessStatusEnd", sink.events[1].name);
    EXPECT_EQ(before, folder.names());
    EXPECT_EQ(5, task.filesPassedOver());
    EXPECT_EQ(0, task.filesWritten());
}

TEST(ConversionTask, CancelBeforeTheFirstEntryStopsAtOnce)
{
    ConversionTask task;
    RecordingSink sink;
    task.setStatusSink(&sink);
    task.fileList().add(u"whatever.png");
    task.requestCancel();
    task.run();
    ASSERT_EQ(2u, sink.events.size());
    EXPECT_EQ(0, task.filesPassedOver());
}

TEST(ConversionTask, ExtensionsMatchIgnoringCase)
{
    for (const char16_t* extension : {u".bmp", u".GIF", u".Jpg", u".jpeg", u".PNG", u".ico"})
        EXPECT_TRUE(ConversionTask::hasImageExtension(extension));
    for (const char16_t* extension : {u"", u".jpe", u".tif", u".pngx", u"png"})
        EXPECT_FALSE(ConversionTask::hasImageExtension(extension));
}

}  // namespace

#include "dialogs/pellory/ImageConversion.h"
#include "image/IEncodedImage.h"
#include "image/ImageFiles.h"
#include "image/bmp/win/Bitmap.h"
#include "image/filters/convolution/Convolve.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "io/IOutputStream.h"

namespace {

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;

const std::filesystem::path kBmpData = std::filesystem::path(PELLORY_TESTDATA_DIR) / "bmp";

// Decodes a file through the same dispatch the run uses.
Pooled<BufferedImageSet> decodeFile(const std::filesystem::path& file)
{
    Pooled<PathWin> path(PathWin::fromText(file.u16string()));
    Pooled<s::image::IEncodedImage> codec(s::image::loadImageFile(*path));
    if (!codec)
        return Pooled<BufferedImageSet>();
    return Pooled<BufferedImageSet>(codec->toImageSet(0));
}

// Cancels the run when the update for entry `at` arrives.
class CancellingSink : public RecordingSink {
public:
    CancellingSink(ConversionTask& task, int32_t at) : m_task(task), m_at(at) {}
    void sendEvent(const char* name, int32_t first, int32_t second, const char16_t* text) override
    {
        RecordingSink::sendEvent(name, first, second, text);
        if (std::string(name) == "ProcessStatusUpdate" && second == m_at)
            m_task.requestCancel();
    }

private:
    ConversionTask& m_task;
    int32_t m_at;
};

TEST(ConversionTask, WritesBesideTheSourceAndCountsListEntries)
{
    TestFolder folder;
    folder.copyIn(kBmpData / "pal8rletrns.bmp", u"A.BMP");
    folder.write(u"skip.txt", "not an image");
    folder.copyIn(kBmpData / "pal8rletrns.bmp", u"B.bmp");
    ConversionTask task;
    RecordingSink sink;
    task.setStatusSink(&sink);
    task.setting().set(Setting::kModeSharpen, 50);
    for (const char16_t* name : {u"A.BMP", u"skip.txt", u"B.bmp"})
        task.fileList().add(folder.file(name));
    task.run();

    // Updates count list entries, not processed files.
    ASSERT_EQ(4u, sink.events.size());
    EXPECT_EQ(3, sink.events[1].first);
    EXPECT_EQ(0, sink.events[1].second);
    EXPECT_EQ(u"A.BMP", sink.events[1].text);
    EXPECT_EQ(2, sink.events[2].second);
    EXPECT_EQ(u"B.bmp", sink.events[2].text);
    EXPECT_EQ(2, task.filesWritten());

    Pooled<BufferedImageSet> source = decodeFile(folder.path() / "A.BMP");
    Pooled<BufferedImageSet> output = decodeFile(folder.path() / "A (SH +50%).BMP");
    ASSERT_TRUE(source && output);
    ASSERT_EQ(1, output->count());
    // The output is the sharpened picture, quantized back to 8 bits; every
    // colour in it is one of the picture's own palette colours after the pass.
    BufferedImage* expected = source->item(0)->copyTo(nullptr);
    s::image::filters::convolution::KernelWeights weights{};
    ASSERT_TRUE(s::image::filters::convolution::weightsForStrength(50, weights));
    std::vector<uint32_t*> rows;
    for (int32_t y = 0; y < expected->height(); ++y)
        rows.push_back(expected->row(y));
    s::image::filters::convolution::convolveNaive(weights, rows.data(), expected->width(), expected->height());
    EXPECT_EQ(expected->width(), output->item(0)->width());
    EXPECT_EQ(8, output->bitDepthAt(0));
    int32_t differing = 0;
    for (int32_t y = 0; y < expected->height(); ++y) {
        for (int32_t x = 0; x < expected->width(); ++x)
            differing += expected->row(y)[x] != output->item(0)->row(y)[x];
    }
    // 8 bits hold at most 256 colours; the sharpened picture has more.
    EXPECT_LT(differing, expected->width() * expected->height());
    expected->release();

    // Running again writes a second output and leaves the first alone.
    const std::string first = readAll(folder.path() / "A (SH +50%).BMP");
    task.run();
    EXPECT_EQ(first, readAll(folder.path() / "A (SH +50%).BMP"));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "A (SH +50%) (1).BMP"));
}

// A 24-bit picture of many colours, written through the BMP codec itself.
std::filesystem::path write24BitPicture(const TestFolder& folder, const std::u16string& name)
{
    Pooled<BufferedImage> picture(BufferedImage::createImage(37, 23));
    for (int32_t y = 0; y < 23; ++y) {
        for (int32_t x = 0; x < 37; ++x)
            picture->row(y)[x] = 0xFF000000u | static_cast<uint32_t>((x * 7) << 16 | (y * 11) << 8 | ((x * y) & 0xFF));
    }
    Pooled<s::image::bmp::win::Bitmap> bitmap(s::image::bmp::win::Bitmap::take());
    EXPECT_TRUE(bitmap->encodeImage(*picture, 24, true, 255, 255, 255));
    EXPECT_TRUE(bitmap->save(folder.file(name)));
    return folder.path() / name;
}

TEST(ConversionTask, A24BitPictureComesOutPixelExact)
{
    TestFolder folder;
    write24BitPicture(folder, u"p.bmp");
    for (int32_t strength : {-100, -29, 0, 35, 100}) {
        SCOPED_TRACE(strength);
        ConversionTask task;
        task.setting().set(strength < 0 ? Setting::kModeBlur : Setting::kModeSharpen, strength < 0 ? -strength : strength);
        task.fileList().add(folder.file(u"p.bmp"));
        task.run();
        ASSERT_EQ(1, task.filesWritten());
        const std::u16string suffix = s::image::gui::dialogs::pellory::operationSuffix(task.setting());
        Pooled<BufferedImageSet> source = decodeFile(folder.path() / "p.bmp");
        Pooled<BufferedImageSet> output = decodeFile(folder.path() / (u"p" + suffix + u".bmp"));
        ASSERT_TRUE(source && output);
        EXPECT_EQ(24, output->bitDepthAt(0));
        BufferedImage* expected = source->item(0);
        s::image::filters::convolution::KernelWeights weights{};
        if (s::image::filters::convolution::weightsForStrength(strength, weights)) {
            std::vector<uint32_t*> rows;
            for (int32_t y = 0; y < expected->height(); ++y)
                rows.push_back(expected->row(y));
            s::image::filters::convolution::convolveNaive(weights, rows.data(), expected->width(), expected->height());
        }
        for (int32_t y = 0; y < expected->height(); ++y) {
            for (int32_t x = 0; x < expected->width(); ++x)
                ASSERT_EQ(expected->row(y)[x], output->item(0)->row(y)[x]) << x << "," << y;
        }
    }
}

TEST(ConversionTask, CancelAfterTheDecodeLeavesTheFileAndTheRestAlone)
{
    TestFolder folder;
    for (const char16_t* name : {u"a.bmp", u"b.bmp", u"c.bmp"})
        write24BitPicture(folder, name);
    ConversionTask task;
    CancellingSink sink(task, 1);
    task.setStatusSink(&sink);
    for (const char16_t* name : {u"a.bmp", u"b.bmp", u"c.bmp"})
        task.fileList().add(folder.file(name));
    task.run();
    // The file whose update carried the cancel is still finished; c is untouched.
    EXPECT_EQ(2, task.filesWritten());
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "b (SH +50%).bmp"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "c (SH +50%).bmp"));
    EXPECT_EQ("ProcessStatusEnd", sink.events.back().name);
}

TEST(ConversionTask, AFailedEncodeLeavesNoPartialOutput)
{
    TestFolder folder;
    Setting setting;
    Pooled<PathWin> dir(PathWin::fromText(folder.text()));
    const auto halfThenFail = [](s::io::IOutputStream& out) {
        uint32_t written = 0;
        out.write("partial", 7, &written);
        return false;
    };
    EXPECT_FALSE(s::image::gui::dialogs::pellory::ImageConversion::writeOutput(*dir, u"x", setting, u".bmp", halfThenFail));
    EXPECT_TRUE(folder.names().empty());
    const auto complete = [](s::io::IOutputStream& out) {
        uint32_t written = 0;
        return out.write("whole", 5, &written);
    };
    EXPECT_TRUE(s::image::gui::dialogs::pellory::ImageConversion::writeOutput(*dir, u"x", setting, u".bmp", complete));
    EXPECT_EQ("whole", readAll(folder.path() / "x (SH +50%).bmp"));
}

TEST(ConversionTask, ABrokenImageFileGetsItsUpdateButNoOutput)
{
    TestFolder folder;
    // "BM", reserved zero, then a header that claims a picture the file does not hold.
    std::string broken = "BM" + std::string(12, '\0') + std::string(200, '\x7f');
    broken[6] = broken[7] = broken[8] = broken[9] = 0;
    folder.write(u"broken.bmp", broken);
    ConversionTask task;
    RecordingSink sink;
    task.setStatusSink(&sink);
    task.fileList().add(folder.file(u"broken.bmp"));
    task.run();
    ASSERT_EQ(3u, sink.events.size());
    EXPECT_EQ("ProcessStatusUpdate", sink.events[1].name);
    EXPECT_EQ(1, task.filesFailed());
    EXPECT_EQ(std::vector<std::u16string>{u"broken.bmp"}, folder.names());
}

}  // namespace
