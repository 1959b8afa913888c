#include <gtest/gtest.h>

#include <string>

#include "CodecTestSupport.h"
#include "MemoryStreams.h"
#include "TestFolder.h"
#include "dialogs/pellory/ConversionTask.h"
#include "dialogs/pellory/ImageConversion.h"
#include "dialogs/pellory/Setting.h"
#include "file/win/PathWin.h"
#include "image/jpg/win/Jpeg.h"
#include "image/png/win/Png.h"
#include "thread/Pooled.h"

// JPEG and PNG files through the whole conversion: recognised by content,
// filtered, re-encoded in their own format and written beside the source.

using codec_test::makeImage;
using s::file::win::PathWin;
using s::image::gui::dialogs::pellory::ConversionTask;
using s::image::gui::dialogs::pellory::ImageConversion;
using s::image::gui::dialogs::pellory::Setting;
using s::image::jpg::win::Jpeg;
using s::image::png::win::Png;
using s::image::win::BufferedImage;
using s::thread::Pooled;

namespace {

std::string jpegFile(int32_t w, int32_t h)
{
    Pooled<BufferedImage> image(makeImage(w, h, [](int32_t x, int32_t y) { return 0xFF000000u | uint32_t(x * 3) << 16 | uint32_t(y * 5) << 8 | 0x60u; }));
    Pooled<Jpeg> jpeg(Jpeg::take());
    jpeg->encodeImage(*image, 90, 255, 255, 255);
    MemoryOutputStream out;
    jpeg->encode(out);
    return out.bytes();
}

std::string pngFile(int32_t w, int32_t h, bool noisy = false)
{
    Pooled<BufferedImage> image(makeImage(w, h, [noisy](int32_t x, int32_t y) {
        return noisy ? uint32_t(x * 2654435761u ^ y * 40503u) * 2246822519u : (uint32_t(x * 4) << 24 | uint32_t(y * 4) << 16 | 0x8040u);
    }));
    Pooled<Png> png(Png::take());
    png->encodeImage(*image, false, true, 255, 255, 255);
    MemoryOutputStream out;
    png->encode(out);
    return out.bytes();
}

template <class Codec>
Pooled<Codec> readBack(const std::filesystem::path& file, bool* ok)
{
    Pooled<Codec> codec(Codec::take());
    MemoryInputStream in(readAll(file));
    *ok = codec->decode(in);
    return codec;
}

int runTask(const TestFolder& folder, std::initializer_list<const char16_t*> names, int32_t mode, int32_t strength, ConversionTask& task)
{
    task.setting().set(mode, strength);
    for (const char16_t* name : names)
        task.fileList().add(folder.file(name));
    task.run();
    return task.filesWritten();
}

TEST(JpegPngConversion, JpegIsSharpenedIntoAJpegBesideIt)
{
    TestFolder folder;
    folder.write(u"X.jpg", jpegFile(40, 30));
    ConversionTask task;
    EXPECT_EQ(1, runTask(folder, {u"X.jpg"}, Setting::kModeSharpen, 50, task));
    const auto written = folder.path() / u"X (SH +50%).jpg";
    ASSERT_TRUE(std::filesystem::exists(written));
    bool ok = false;
    Pooled<Jpeg> back = readBack<Jpeg>(written, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(40, back->width());
    EXPECT_EQ(30, back->height());
}

TEST(JpegPngConversion, PngIsBlurredIntoAnInterlacedPngWithItsAlpha)
{
    TestFolder folder;
    folder.write(u"X.png", pngFile(33, 21));
    ConversionTask task;
    EXPECT_EQ(1, runTask(folder, {u"X.png"}, Setting::kModeBlur, 20, task));
    const auto written = folder.path() / u"X (BL +20%).png";
    ASSERT_TRUE(std::filesystem::exists(written));
    const std::string bytes = readAll(written);
    EXPECT_EQ(6, bytes[25]);  // RGBA
    EXPECT_EQ(1, bytes[28]);  // Adam7
    bool ok = false;
    Pooled<Png> back = readBack<Png>(written, &ok);
    EXPECT_TRUE(ok);
    Pooled<BufferedImage> image(back->toImage(0, nullptr));
    ASSERT_TRUE(image);
    EXPECT_EQ(33, image->width());
    EXPECT_TRUE(image->hasAlpha());
}

TEST(JpegPngConversion, PngNamedFileHoldingAJpegIsWrittenAsJpegUnderItsName)
{
    TestFolder folder;
    folder.write(u"photo.png", jpegFile(24, 16));
    ConversionTask task;
    EXPECT_EQ(1, runTask(folder, {u"photo.png"}, Setting::kModeSharpen, 50, task));
    const std::string bytes = readAll(folder.path() / u"photo (SH +50%).png");
    ASSERT_GT(bytes.size(), 3u);
    EXPECT_EQ(std::string("\xFF\xD8\xFF", 3), bytes.substr(0, 3));
}

TEST(JpegPngConversion, FilesThatDecodeToNothingWriteNothing)
{
    TestFolder folder;
    std::string badCrc = pngFile(16, 16, true);
    badCrc[29] = char(badCrc[29] ^ 1);  // the header's CRC
    folder.write(u"broken.png", badCrc);
    std::string noScan = jpegFile(16, 16);
    noScan = noScan.substr(0, noScan.find("\xFF\xDA")) + "\xFF\xD9";  // headers, no picture
    folder.write(u"broken.jpg", noScan);
    const auto before = folder.names();
    ConversionTask task;
    EXPECT_EQ(0, runTask(folder, {u"broken.png", u"broken.jpg"}, Setting::kModeSharpen, 50, task));
    EXPECT_EQ(2, task.filesFailed());
    EXPECT_EQ(before, folder.names());
}

TEST(JpegPngConversion, CutFilesAreStillWritten)
{
    TestFolder folder;
    const std::string jpeg = jpegFile(64, 64);
    folder.write(u"cut.jpg", jpeg.substr(0, jpeg.size() / 2));
    // Noise, so that the image data spans several of the decoder's reads.
    const std::string png = pngFile(64, 64, true);
    folder.write(u"cut.png", png.substr(0, png.size() - 100));
    ConversionTask task;
    EXPECT_EQ(2, runTask(folder, {u"cut.jpg", u"cut.png"}, Setting::kModeSharpen, 50, task));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / u"cut (SH +50%).jpg"));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / u"cut (SH +50%).png"));
}

// Passes bytes on to the real file until limit bytes have gone, then
// refuses, as a disk that fills up does.
class FillingUp : public s::io::IOutputStream {
public:
    FillingUp(s::io::IOutputStream& target, size_t limit) : m_target(target), m_limit(limit) {}
    bool write(const void* bytes, uint32_t count, uint32_t* written) override
    {
        *written = 0;
        const size_t room = m_limit - std::min(m_limit, m_sent);
        if (count > room) {
            m_target.write(bytes, static_cast<uint32_t>(room), written);
            m_sent += room;
            return false;
        }
        m_sent += count;
        return m_target.write(bytes, count, written);
    }
    bool flush() override { return m_target.flush(); }
    bool close() override { return m_target.close(); }

private:
    s::io::IOutputStream& m_target;
    size_t m_limit;
    size_t m_sent = 0;
};

TEST(JpegPngConversion, AnEncodeThatCannotWriteLeavesNoFile)
{
    TestFolder folder;
    Pooled<BufferedImage> image(makeImage(600, 400, [](int32_t x, int32_t y) { return 0xFF000000u | uint32_t(x * y * 2654435761u >> 8); }));
    Pooled<Jpeg> jpeg(Jpeg::take());
    ASSERT_TRUE(jpeg->encodeImage(*image, 75, 255, 255, 255));
    Pooled<Png> png(Png::take());
    ASSERT_TRUE(png->encodeImage(*image, true, true, 255, 255, 255));
    Setting setting;
    Pooled<PathWin> dir(PathWin::fromText(folder.text()));
    for (s::image::IEncodedImage* codec : {static_cast<s::image::IEncodedImage*>(jpeg.get()), static_cast<s::image::IEncodedImage*>(png.get())}) {
        SCOPED_TRACE(codec == jpeg.get() ? "JPEG" : "PNG");
        const bool written = ImageConversion::writeOutput(*dir, u"full", setting, codec->fileExtension(), [&](s::io::IOutputStream& out) {
            FillingUp disk(out, 70000);  // past the file stream's 64 KiB buffer
            return codec->encode(disk);
        });
        EXPECT_FALSE(written);
        EXPECT_TRUE(folder.names().empty());
    }
}

}  // namespace

namespace {

TEST(JpegPngSave, ImagesSaveAsJpegAndPngOnlyUnderFreeNames)
{
    TestFolder folder;
    Pooled<BufferedImage> image(makeImage(12, 7, [](int32_t x, int32_t y) { return uint32_t(x * 20) << 24 | uint32_t(y * 30) << 8 | 0x10u; }));
    ASSERT_TRUE(image->saveJpeg(folder.file(u"a.jpg")));
    ASSERT_TRUE(image->savePng(folder.file(u"a.png")));
    const std::string jpegBytes = readAll(folder.path() / u"a.jpg");
    const std::string pngBytes = readAll(folder.path() / u"a.png");
    EXPECT_EQ(std::string("\xFF\xD8\xFF", 3), jpegBytes.substr(0, 3));
    EXPECT_EQ(1, pngBytes[28]);  // interlaced by default
    bool ok = false;
    Pooled<Png> png = readBack<Png>(folder.path() / u"a.png", &ok);
    ASSERT_TRUE(ok);
    Pooled<BufferedImage> back(png->toImage(0, nullptr));
    EXPECT_EQ(codec_test::digest(*image), codec_test::digest(*back));
    // Taken names stay as they are.
    EXPECT_FALSE(image->saveJpeg(folder.file(u"a.png")));
    EXPECT_EQ(pngBytes, readAll(folder.path() / u"a.png"));
}

}  // namespace
