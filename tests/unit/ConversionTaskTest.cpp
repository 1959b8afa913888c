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
