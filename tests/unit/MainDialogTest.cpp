#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FakeNativeViews.h"
#include "TestFolder.h"
#include "app/IAppWindow.h"
#include "archive/CallBack.h"
#include "dialogs/pellory/ConversionTask.h"
#include "dialogs/pellory/Dialog.h"
#include "dialogs/pellory/OutputNaming.h"
#include "file/win/PathWin.h"
#include "gui/LayoutTypes.h"
#include "gui/events/EventTypes.h"
#include "gui/win/Box.h"
#include "gui/win/Controls.h"
#include "gui/win/GroupBox.h"
#include "gui/win/Window.h"
#include "image/bmp/win/Bitmap.h"
#include "image/jpg/win/Jpeg.h"
#include "image/png/win/Png.h"
#include "image/win/BufferedImage.h"
#include "lang/Localizer.h"
#include "map/IMappedData.h"
#include "platform/WebPage.h"
#include "thread/Pooled.h"
#include "xml/MappedData.h"

using fake_views::FakeNativeWindow;
using fake_views::FakeWindowHost;
using fake_views::viewOf;
using s::file::win::PathWin;
using s::image::gui::dialogs::pellory::ConversionTask;
using s::image::gui::dialogs::pellory::Dialog;
using s::image::gui::dialogs::pellory::Setting;
using s::image::gui::dialogs::pellory::StrengthControls;
using s::thread::Pooled;
namespace events = s::gui::events;

namespace {

constexpr char16_t kView[] = u"MainWindow\\View";
constexpr char16_t kSharpenKey[] = u"MainWindow\\ConvertTo\\Sharpen";
constexpr char16_t kBlurKey[] = u"MainWindow\\ConvertTo\\Blur";

// The window settings object over an in-memory store: what binding and
// placement would do is only counted.
class FakeAppWindow : public s::app::IAppWindow {
public:
    FakeAppWindow(s::map::IMappedData* store, s::lang::Localizer* localizer) : m_store(store), m_localizer(localizer) {}

    const char16_t* className() const override { return u"FakeAppWindow"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    const std::u16string& windowName() const override { return m_name; }
    s::map::IMappedData* store() const override { return m_store; }
    s::lang::Localizer* localizer() const override { return m_localizer; }
    std::u16string title() const override { return u"Pellory v1.0"; }
    void bindOptions(s::gui::WindowOptions& options) override
    {
        options.title = title();
        options.width = m_store->getInt32(kView, u"Width", 250);
        options.height = m_store->getInt32(kView, u"Height", 250);
        options.centre = true;
        options.topmost = keepOnTop();
    }
    void bindWindow(s::gui::win::Window& window) override
    {
        window.bindAppWindow(this);
        ++binds;
    }
    bool keepOnTop() const override { return m_store->getBool(kView, u"KeepOnTop", true); }
    void setKeepOnTop(bool onTop) override
    {
        m_store->setBool(kView, u"KeepOnTop", onTop);
        ++topmostChanges;
    }
    void savePlacement(s::gui::win::Window&) override { ++placementsSaved; }
    void keepInsideVirtualScreen(s::gui::win::Window&) override { ++keptInside; }

    int binds = 0, topmostChanges = 0, placementsSaved = 0, keptInside = 0;

private:
    std::u16string m_name = u"MainWindow";
    s::map::IMappedData* m_store;
    s::lang::Localizer* m_localizer;
};

struct Shown {
    std::u16string title;
    std::u16string text;
};

std::vector<std::u16string>& openedPages()
{
    static std::vector<std::u16string> pages;
    return pages;
}

bool recordPage(const char16_t* address)
{
    openedPages().push_back(address);
    return true;
}

class MainDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_localizer = s::lang::Localizer::loadLocalizer();
        s_localizer->selectLanguage(u"English");
    }
    static void TearDownTestSuite()
    {
        s_localizer->release();
        s_localizer = nullptr;
    }

    void SetUp() override
    {
        m_previousOpener = s::platform::setWebPageOpener(&recordPage);
        openedPages().clear();
        m_store.hold(s::xml::MappedData::inMemory());
        m_appWindow = std::make_unique<FakeAppWindow>(m_store.get(), s_localizer);
    }
    void TearDown() override
    {
        closeAndRelease();
        s::platform::setWebPageOpener(m_previousOpener);
    }

    // Builds and "runs" the window; the test then acts as its thread.
    void open()
    {
        closeAndRelease();
        m_host = FakeWindowHost();
        m_dialog = Dialog::take();
        m_dialog->setUp(m_appWindow.get());
        m_dialog->setMessageShower([this](std::u16string_view title, std::u16string_view text) {
            m_messages.push_back({std::u16string(title), std::u16string(text)});
        });
        m_dialog->buildAndRun(m_host);
    }
    // The start-up thread's end: the window closes, then the dialog goes.
    void closeAndRelease()
    {
        if (!m_dialog)
            return;
        if (m_host.nativeWindow)
            m_host.nativeWindow->userCloses();
        m_dialog->release();
        m_dialog = nullptr;
        m_host.nativeWindow = nullptr;
    }

    FakeNativeWindow& native() { return *m_host.nativeWindow; }
    s::gui::win::Window& window() { return *m_dialog->window(); }
    s::map::IMappedData& store() { return *m_store; }

    // What the user does, through the calls the native adapter makes.
    void typeInto(s::gui::win::NumberField* field, const std::u16string& text)
    {
        viewOf(field)->shownText = text;
        field->onNativeChange();
    }
    void moveSlider(s::gui::win::Slider* slider, int32_t value)
    {
        viewOf(slider)->value_ = value;
        slider->onNativeChange();
    }
    void chooseItem(int32_t index)
    {
        viewOf(m_dialog->modeCombo())->selected = index;
        m_dialog->modeCombo()->onNativeChange();
    }
    void clickViewToggle() { m_dialog->viewToggleButton()->onNativeChange(); }
    void drop(const std::vector<std::u16string>& paths)
    {
        m_dialog->dropBox()->contentBox()->onFilesDropped(paths);
    }
    bool runToEnd()
    {
        return native().pumpUntil([this] { return !m_dialog->isBusy(); });
    }
    std::u16string statusText() { return m_dialog->statusLabel()->text(); }
    bool pageShown(int32_t index)
    {
        return m_dialog->optionsPanel()->child(index)->isVisible();
    }

    static s::lang::Localizer* s_localizer;
    Pooled<s::map::IMappedData> m_store;
    std::unique_ptr<FakeAppWindow> m_appWindow;
    FakeWindowHost m_host;
    Dialog* m_dialog = nullptr;
    std::vector<Shown> m_messages;
    s::platform::WebPageOpener m_previousOpener = nullptr;
};

s::lang::Localizer* MainDialog::s_localizer = nullptr;

// A 24-bit picture of many colours.
Pooled<s::image::win::BufferedImage> makePicture()
{
    Pooled<s::image::win::BufferedImage> picture(s::image::win::BufferedImage::createImage(37, 23));
    for (int32_t y = 0; y < 23; ++y) {
        for (int32_t x = 0; x < 37; ++x)
            picture->row(y)[x] = 0xFF000000u | static_cast<uint32_t>((x * 7) << 16 | (y * 11) << 8 | ((x * y) & 0xFF));
    }
    return picture;
}

void writeBmp(const std::filesystem::path& file)
{
    Pooled<s::image::win::BufferedImage> picture = makePicture();
    Pooled<s::image::bmp::win::Bitmap> bitmap(s::image::bmp::win::Bitmap::take());
    ASSERT_TRUE(bitmap->encodeImage(*picture, 24, true, 255, 255, 255));
    ASSERT_TRUE(bitmap->save(file.u16string()));
}

// The same set of sources in a folder: fixtures, pictures written by the
// codecs, something that is no image, and a file whose path is far longer
// than 261 characters.
std::vector<std::u16string> fillSources(const TestFolder& folder)
{
    const std::filesystem::path data(PELLORY_TESTDATA_DIR);
    std::vector<std::u16string> paths;
    paths.push_back(folder.copyIn(data / "bmp" / "pal8rletrns.bmp", u"palette.bmp").u16string());
    paths.push_back(folder.copyIn(data / "gif" / "mixed-disposal.gif", u"frames.gif").u16string());
    // The encoders may read the picture's rows only when they write.
    Pooled<s::image::win::BufferedImage> picture = makePicture();
    Pooled<s::image::png::win::Png> png(s::image::png::win::Png::take());
    EXPECT_TRUE(png->encodeImage(*picture, false, true, 255, 255, 255));
    EXPECT_TRUE(png->save(folder.file(u"colours.png")));
    paths.push_back(folder.file(u"colours.png"));
    Pooled<s::image::jpg::win::Jpeg> jpeg(s::image::jpg::win::Jpeg::take());
    EXPECT_TRUE(jpeg->encodeImage(*picture, 90, 255, 255, 255));
    EXPECT_TRUE(jpeg->save(folder.file(u"photo.jpg")));
    paths.push_back(folder.file(u"photo.jpg"));
    paths.push_back(folder.write(u"notes.txt", "not a picture").u16string());
    const std::filesystem::path deep = folder.path() / std::string(200, 'd');
    std::filesystem::create_directories(deep);
    writeBmp(deep / (std::string(100, 'f') + ".bmp"));
    paths.push_back((deep / (std::string(100, 'f') + ".bmp")).u16string());
    EXPECT_GT(paths.back().size(), 261u);
    return paths;
}

// Every file below the folder, by path relative to it, with its bytes.
std::map<std::u16string, std::string> contentsOf(const TestFolder& folder)
{
    std::map<std::u16string, std::string> all;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path())) {
        if (entry.is_regular_file())
            all[std::filesystem::relative(entry.path(), folder.path()).u16string()] = readAll(entry.path());
    }
    return all;
}

TEST_F(MainDialog, FirstStartIsCompactWithSharpenReadyAndBothStrengthsAt80)
{
    open();
    EXPECT_EQ(1, m_host.waits);
    EXPECT_EQ(u"Pellory v1.0", m_host.startOptions.title);
    EXPECT_FALSE(m_host.startOptions.maximizeButton);
    EXPECT_TRUE(m_host.startOptions.sizingBorder);
    EXPECT_EQ(1, m_appWindow->binds);
    EXPECT_EQ(1, m_appWindow->keptInside);
    EXPECT_TRUE(native().shown);

    EXPECT_TRUE(m_dialog->isCompactView());
    EXPECT_EQ(250, window().width());
    EXPECT_EQ(250, window().height());
    EXPECT_EQ(s::gui::kLayoutColumn, m_dialog->mainArea()->layoutType());
    EXPECT_EQ(0, m_dialog->optionsPanel()->fixedWidth());
    EXPECT_EQ(u"Advanced Options >>", m_dialog->viewToggleButton()->text());

    ASSERT_EQ(2, m_dialog->modeCombo()->itemCount());
    EXPECT_EQ(u"Sharpen", m_dialog->modeCombo()->itemText(0));
    EXPECT_EQ(u"Blur", m_dialog->modeCombo()->itemText(1));
    EXPECT_EQ(0, m_dialog->modeCombo()->selectedIndex());
    EXPECT_TRUE(pageShown(Dialog::kItemSharpen));
    EXPECT_FALSE(pageShown(Dialog::kItemBlur));
    EXPECT_EQ(u"Ready", statusText());
    EXPECT_EQ(u"Ready", viewOf(m_dialog->statusLabel())->shownText);
    EXPECT_TRUE(m_dialog->keepOnTopBox()->isChecked());

    for (const StrengthControls* pair : {&m_dialog->sharpen(), &m_dialog->blur()}) {
        EXPECT_EQ(80, pair->slider()->value());
        EXPECT_EQ(80, viewOf(pair->slider())->value_);
        EXPECT_EQ(u"80", pair->field()->text());
        EXPECT_EQ(u"80", viewOf(pair->field())->shownText);
        EXPECT_EQ(0, pair->slider()->minimum());
        EXPECT_EQ(100, pair->slider()->maximum());
        EXPECT_EQ(10, pair->slider()->lineStep());
        EXPECT_EQ(100, pair->slider()->pageStep());
        EXPECT_FALSE(pair->slider()->ticksShown());
    }
    // No run yet: the progress row is collapsed and the maker's name shows.
    EXPECT_EQ(0, m_dialog->progressRow()->fixedWidth());
    EXPECT_EQ(s::gui::kUnset, m_dialog->makerSection()->fixedWidth());
    EXPECT_GT(m_dialog->makerLabel()->width(), 0);

    // Building writes the choice and the view, and no strength.
    EXPECT_EQ(std::u16string(u"Sharpen"), store().getString(kView, u"ConvertTo", u"?"));
    EXPECT_TRUE(store().getBool(kView, u"CompactView", false));
    EXPECT_FALSE(store().valueExists(kSharpenKey, u"Strength"));
    EXPECT_FALSE(store().valueExists(kBlurKey, u"Strength"));
}

TEST_F(MainDialog, NumberFieldFeedsItsSliderOnlyWithZeroToHundred)
{
    struct Case {
        const char16_t* typed;
        int32_t slider;  // after typing, from 40
    } cases[] = {
        {u"150", 40}, {u"abc", 40}, {u"", 40}, {u"5", 5},     {u"05", 5},  {u"100", 100},
        {u"0", 0},    {u"1000", 40}, {u"-5", 40}, {u" 5", 40}, {u"5a", 40}, {u"101", 40},
    };
    open();
    for (int pairIndex = 0; pairIndex < 2; ++pairIndex) {
        const StrengthControls& pair = pairIndex == 0 ? m_dialog->sharpen() : m_dialog->blur();
        const StrengthControls& other = pairIndex == 0 ? m_dialog->blur() : m_dialog->sharpen();
        const int32_t otherValue = other.slider()->value();
        const std::u16string otherText = other.field()->text();
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(pairIndex == 0 ? "sharpen " : "blur ") + std::to_string(c.slider));
            typeInto(pair.field(), u"40");
            ASSERT_EQ(40, pair.slider()->value());
            typeInto(pair.field(), c.typed);
            EXPECT_EQ(c.slider, pair.slider()->value());
            EXPECT_EQ(c.slider, viewOf(pair.slider())->value_);
            // The field keeps what was typed, leading zero and all.
            EXPECT_EQ(std::u16string(c.typed), pair.field()->text());
            EXPECT_EQ(std::u16string(c.typed), viewOf(pair.field())->shownText);
            EXPECT_EQ(otherValue, other.slider()->value());
        }
        moveSlider(pair.slider(), 30);
        EXPECT_EQ(u"30", pair.field()->text());
        EXPECT_EQ(otherText, other.field()->text());
    }
    // Nothing of this is stored before a drop.
    EXPECT_FALSE(store().valueExists(kSharpenKey, u"Strength"));
    EXPECT_FALSE(store().valueExists(kBlurKey, u"Strength"));
}

TEST_F(MainDialog, ADropStoresOnlyTheChosenOperationsStrength)
{
    TestFolder folder;
    const std::u16string notes = folder.write(u"notes.txt", "no picture").u16string();
    open();
    moveSlider(m_dialog->blur().slider(), 30);
    typeInto(m_dialog->sharpen().field(), u"65");
    drop({notes});
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(Setting::kModeSharpen, m_dialog->setting().mode());
    EXPECT_EQ(65, m_dialog->setting().strength());
    EXPECT_EQ(65, store().getInt32(kSharpenKey, u"Strength", -1));
    EXPECT_FALSE(store().valueExists(kBlurKey, u"Strength"));

    chooseItem(Dialog::kItemBlur);
    EXPECT_TRUE(pageShown(Dialog::kItemBlur));
    EXPECT_FALSE(pageShown(Dialog::kItemSharpen));
    EXPECT_EQ(std::u16string(u"Blur"), store().getString(kView, u"ConvertTo", u"?"));
    typeInto(m_dialog->sharpen().field(), u"12");  // not the chosen one: not stored
    drop({notes});
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(Setting::kModeBlur, m_dialog->setting().mode());
    EXPECT_EQ(30, m_dialog->setting().strength());
    EXPECT_EQ(30, store().getInt32(kBlurKey, u"Strength", -1));
    EXPECT_EQ(65, store().getInt32(kSharpenKey, u"Strength", -1));

    // The stored strengths are what the next start shows; out-of-range ones are clamped.
    store().setInt32(kSharpenKey, u"Strength", 250);
    open();
    EXPECT_EQ(1, m_dialog->modeCombo()->selectedIndex());
    EXPECT_EQ(100, m_dialog->sharpen().slider()->value());
    EXPECT_EQ(u"100", m_dialog->sharpen().field()->text());
    EXPECT_EQ(30, m_dialog->blur().slider()->value());
}

TEST_F(MainDialog, StoredOperationTextSelectsItsItemOrSharpen)
{
    struct Case {
        const char16_t* stored;
        int32_t item;
        const char16_t* storedAfter;
    } cases[] = {
        {u"Blur", 1, u"Blur"},
        {u"bLuR", 1, u"Blur"},           // compared ignoring case, stored again as shown
        {u"Scharfzeichnen", 0, u"Sharpen"},  // another language's text
        {u"Sharpen ", 0, u"Sharpen"},
        {u"", 0, u"Sharpen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::u16string(c.stored).size());
        store().setString(kView, u"ConvertTo", c.stored);
        open();
        EXPECT_EQ(c.item, m_dialog->modeCombo()->selectedIndex());
        EXPECT_TRUE(pageShown(c.item));
        EXPECT_FALSE(pageShown(1 - c.item));
        EXPECT_EQ(std::u16string(c.storedAfter), store().getString(kView, u"ConvertTo", u"?"));
    }
}

TEST_F(MainDialog, EachViewKeepsItsOwnSize)
{
    open();
    clickViewToggle();
    EXPECT_FALSE(m_dialog->isCompactView());
    EXPECT_EQ(450, window().width());
    EXPECT_EQ(300, window().height());
    EXPECT_EQ(s::gui::kLayoutRow, m_dialog->mainArea()->layoutType());
    EXPECT_EQ(125, m_dialog->leftColumn()->minimumWidth());
    EXPECT_EQ(100, m_dialog->optionsPanel()->widthPercent());
    EXPECT_EQ(u"<< Minimize", m_dialog->viewToggleButton()->text());
    EXPECT_GT(m_dialog->optionsPanel()->width(), 0);
    // The toggle hides the window (saving its placement) and shows it again.
    EXPECT_EQ(1, m_appWindow->placementsSaved);
    EXPECT_EQ(1, native().hides);
    EXPECT_TRUE(native().shown);
    EXPECT_EQ(250, store().getInt32(kView, u"SmallWidth", -1));

    struct Step {
        bool byRightClick;
        int32_t resizeW, resizeH;  // before the switch; 0: none
        int32_t width, height;     // after it
        bool compact;
    } steps[] = {
        {false, 500, 400, 250, 250, true},
        {true, 260, 270, 500, 400, false},
        {false, 0, 0, 260, 270, true},
        {true, 0, 0, 500, 400, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.width);
        if (step.resizeW != 0)
            native().userResizes(step.resizeW, step.resizeH);
        if (step.byRightClick)
            window().raise(events::kWindowRightButtonDown);
        else
            clickViewToggle();
        EXPECT_EQ(step.compact, m_dialog->isCompactView());
        EXPECT_EQ(step.width, window().width());
        EXPECT_EQ(step.height, window().height());
        EXPECT_EQ(step.compact, store().getBool(kView, u"CompactView", !step.compact));
    }
    EXPECT_EQ(500, store().getInt32(kView, u"LargeWidth", -1));
    EXPECT_EQ(400, store().getInt32(kView, u"LargeHeight", -1));
    EXPECT_EQ(260, store().getInt32(kView, u"SmallWidth", -1));
    EXPECT_EQ(270, store().getInt32(kView, u"SmallHeight", -1));

    // Closed in the advanced view with Blur chosen: the next start is the same.
    chooseItem(Dialog::kItemBlur);
    native().userResizes(480, 390);
    native().userCloses();
    EXPECT_EQ(480, store().getInt32(kView, u"LargeWidth", -1));
    open();
    EXPECT_FALSE(m_dialog->isCompactView());
    EXPECT_EQ(480, window().width());
    EXPECT_EQ(390, window().height());
    EXPECT_TRUE(pageShown(Dialog::kItemBlur));
}

TEST_F(MainDialog, RightClickSwitchesOnlyWithRightClickTransform)
{
    store().setBool(kView, u"RightClickTransform", false);
    open();
    EXPECT_FALSE(m_dialog->rightClickTransform());
    window().raise(events::kWindowRightButtonDown);
    EXPECT_TRUE(m_dialog->isCompactView());
    clickViewToggle();
    EXPECT_FALSE(m_dialog->isCompactView());
}

TEST_F(MainDialog, StoredSizesTooSmallForTheViewAreEnlarged)
{
    store().setInt32(kView, u"SmallWidth", -40);
    store().setInt32(kView, u"SmallHeight", 3);
    open();
    EXPECT_GE(window().width(), window().minWidth());
    EXPECT_GE(window().height(), window().minHeight());
    EXPECT_GT(window().minWidth(), FakeNativeWindow::kFrameWidth);
}

TEST_F(MainDialog, KeepOnTopBoxMakerLabelAndClose)
{
    store().setBool(kView, u"KeepOnTop", false);
    open();
    EXPECT_FALSE(m_dialog->keepOnTopBox()->isChecked());
    const int changesBefore = m_appWindow->topmostChanges;
    viewOf(m_dialog->keepOnTopBox())->checked = true;
    m_dialog->keepOnTopBox()->onNativeChange();
    EXPECT_EQ(changesBefore + 1, m_appWindow->topmostChanges);
    EXPECT_TRUE(store().getBool(kView, u"KeepOnTop", false));

    m_dialog->makerLabel()->onNativeChange();
    ASSERT_EQ(1u, openedPages().size());
    EXPECT_EQ(std::u16string(s_localizer->text(101000)), openedPages()[0]);

    native().userResizes(270, 280);
    const int saved = m_appWindow->placementsSaved;
    EXPECT_TRUE(native().userCloses());
    EXPECT_EQ(270, store().getInt32(kView, u"SmallWidth", -1));
    EXPECT_EQ(280, store().getInt32(kView, u"SmallHeight", -1));
    EXPECT_EQ(saved + 1, m_appWindow->placementsSaved);
    EXPECT_EQ(u"Canceling..", statusText());
}

TEST_F(MainDialog, StatusEventsMoveTheProgressAndTheStatusLine)
{
    struct Step {
        const char16_t* name;
        int32_t entries, index;
        const char16_t* text;
        int64_t range, position;
        const char16_t* status;
        bool running;
    } steps[] = {
        {u"ProcessStatusStart", 0, 0, u"", 1000, 0, u"Ready", true},
        {u"ProcessStatusUpdate", 3, 0, u"a.png", 4, 1, u"a.png", true},
        {u"ProcessStatusUpdate", 3, 1, u"b.png", 4, 2, u"b.png", true},
        {u"ProcessStatusUpdate", 3, 2, u"c.png", 4, 3, u"c.png", true},
        {u"ProcessStatusEnd", 0, 0, u"", 1, 1, u"Ready", false},
        // Counts above 32767 are halved, with the index, until they fit.
        {u"ProcessStatusStart", 0, 0, u"", 1000, 0, u"Ready", true},
        {u"ProcessStatusUpdate", 32767, 32766, u"x", 32768, 32767, u"x", true},
        {u"ProcessStatusUpdate", 32768, 32767, u"x", 16385, 16384, u"x", true},
        {u"ProcessStatusUpdate", 40000, 0, u"x", 20001, 1, u"x", true},
        {u"ProcessStatusUpdate", 40000, 39999, u"y", 20001, 20000, u"y", true},
        {u"ProcessStatusUpdate", 70000, 69999, u"z", 17501, 17500, u"z", true},
        {u"ProcessStatusUpdate", 2147483647, 2147483646, u"w", 32768, 32768, u"w", true},
        {u"ProcessStatusEnd", 0, 0, u"", 1, 1, u"Ready", false},
    };
    open();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.range);
        window().onUserEvent(step.name, step.entries, step.index, step.text);
        EXPECT_EQ(step.range, m_dialog->progressReporter().range());
        EXPECT_EQ(step.position, m_dialog->progressReporter().position());
        EXPECT_EQ(step.range, m_dialog->progressBar()->range());
        EXPECT_EQ(step.position, m_dialog->progressBar()->progress());
        EXPECT_EQ(std::u16string(step.status), statusText());
        EXPECT_EQ(step.running ? 0 : s::gui::kUnset, m_dialog->makerSection()->fixedWidth());
        EXPECT_EQ(step.running ? s::gui::kUnset : 0, m_dialog->progressRow()->fixedWidth());
        EXPECT_EQ(step.running, m_dialog->progressRow()->width() > 0);
        EXPECT_EQ(!step.running, m_dialog->makerSection()->width() > 0);
        EXPECT_EQ(step.running, m_dialog->runStart() != 0);
        if (std::u16string(step.name) == u"ProcessStatusUpdate") {
            EXPECT_EQ(step.index, m_dialog->lastIndex());
        }
    }
    // "Done!" is shown and at once replaced.
    const auto& history = viewOf(m_dialog->statusLabel())->textHistory;
    ASSERT_GE(history.size(), 2u);
    EXPECT_EQ(u"Done!", history[history.size() - 2]);
    EXPECT_EQ(u"Ready", history.back());
    EXPECT_EQ(0, m_dialog->lastIndex());

    // While cancelling, updates are not shown.
    window().onUserEvent(u"ProcessStatusStart", 0, 0, u"");
    m_dialog->requestCancel();
    window().onUserEvent(u"ProcessStatusUpdate", 3, 1, u"b.png");
    EXPECT_EQ(u"Canceling..", statusText());
    EXPECT_EQ(1000, m_dialog->progressReporter().range());
}

TEST_F(MainDialog, ARunWritesWhatTheBatchTaskWritesAndIgnoresDropsMeanwhile)
{
    TestFolder dialogFolder, batchFolder;
    const std::vector<std::u16string> paths = fillSources(dialogFolder);
    const std::vector<std::u16string> batchPaths = fillSources(batchFolder);
    const std::u16string late = dialogFolder.copyIn(std::filesystem::path(PELLORY_TESTDATA_DIR) / "bmp" / "pal4rle.bmp", u"late.bmp").u16string();

    open();
    chooseItem(Dialog::kItemBlur);
    typeInto(m_dialog->blur().field(), u"30");
    drop(paths);
    EXPECT_TRUE(m_dialog->isBusy());
    ASSERT_TRUE(native().pumpOne());  // start
    EXPECT_EQ(0, m_dialog->makerSection()->fixedWidth());
    // The worker waits for the window to take its first update: drop now.
    ASSERT_TRUE(native().waitForEvent());
    EXPECT_EQ(u"ProcessStatusUpdate", native().pendingName());
    drop({late});
    std::vector<std::u16string> shownNames;
    while (m_dialog->isBusy()) {
        ASSERT_TRUE(native().pumpOne());
        if (window().eventName() == u"ProcessStatusUpdate") {
            shownNames.push_back(statusText());
            EXPECT_EQ(7, m_dialog->progressBar()->range());
        }
    }
    EXPECT_EQ(u"Ready", statusText());
    EXPECT_EQ(1, m_dialog->progressBar()->progress());
    EXPECT_EQ(1, m_dialog->progressBar()->range());
    EXPECT_EQ(s::gui::kUnset, m_dialog->makerSection()->fixedWidth());
    const std::vector<std::u16string> expectedNames = {u"palette.bmp", u"frames.gif", u"colours.png", u"photo.jpg",
                                                       std::u16string(100, u'f') + u".bmp"};
    EXPECT_EQ(expectedNames, shownNames);

    ConversionTask batch;
    batch.setting().set(Setting::kModeBlur, 30);
    for (const std::u16string& path : batchPaths)
        batch.fileList().add(path);
    batch.run();
    EXPECT_EQ(5, batch.filesWritten());

    // The late drop is not processed, neither during the run nor after it.
    auto written = contentsOf(dialogFolder);
    EXPECT_EQ(1u, written.count(u"late.bmp"));
    EXPECT_EQ(0u, written.count(u"late (BL +30%).bmp"));
    written.erase(u"late.bmp");
    EXPECT_EQ(contentsOf(batchFolder), written);
    EXPECT_EQ(1u, written.count(u"frames (BL +30%).gif"));
    EXPECT_FALSE(native().waitForEvent(std::chrono::milliseconds(50)));

    // A drop after the run is a run of its own.
    drop({late});
    ASSERT_TRUE(runToEnd());
    EXPECT_TRUE(std::filesystem::exists(dialogFolder.path() / "late (BL +30%).bmp"));
}

TEST_F(MainDialog, AnUnusableOutputFolderShowsTheMessageAndQueuesNothing)
{
    TestFolder folder;
    const std::u16string nowhere = folder.file(u"no") + PathWin::kSeparator + u"such";
    const std::u16string missing = nowhere + PathWin::kSeparator + u"a.bmp";
    writeBmp(folder.path() / "b.bmp");
    open();
    drop({missing, folder.file(u"b.bmp")});
    ASSERT_EQ(1u, m_messages.size());
    EXPECT_EQ(u"Pellory v1.0", m_messages[0].title);
    EXPECT_EQ(std::u16string(s::image::gui::dialogs::pellory::kOutputFolderMessage) + u"\r\n\"" + nowhere + u"\"",
              m_messages[0].text);
    EXPECT_FALSE(m_dialog->isBusy());
    EXPECT_FALSE(native().waitForEvent(std::chrono::milliseconds(50)));
    EXPECT_EQ(std::vector<std::u16string>{u"b.bmp"}, folder.names());

    // The next usable drop processes only its own files.
    writeBmp(folder.path() / "c.bmp");
    drop({folder.file(u"c.bmp")});
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ((std::vector<std::u16string>{u"b.bmp", u"c (SH +80%).bmp", u"c.bmp"}), folder.names());
    EXPECT_EQ(1u, m_messages.size());
}

TEST_F(MainDialog, ClosingDuringARunEndsAfterTheCurrentFile)
{
    TestFolder folder;
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
        writeBmp(folder.path() / name);
    open();
    drop({folder.file(u"a.bmp"), folder.file(u"b.bmp"), folder.file(u"c.bmp")});
    ASSERT_TRUE(native().pumpOne());
    ASSERT_TRUE(native().waitForEvent());  // the worker waits on a's update
    EXPECT_TRUE(native().userCloses());
    EXPECT_EQ(u"Canceling..", statusText());
    m_dialog->release();  // waits for the worker
    m_dialog = nullptr;
    EXPECT_EQ((std::vector<std::u16string>{u"a (SH +80%).bmp", u"a.bmp", u"b.bmp", u"c.bmp"}), folder.names());

    // A dialog from the pool starts idle.
    open();
    EXPECT_FALSE(m_dialog->isBusy());
    drop({folder.file(u"b.bmp")});
    ASSERT_TRUE(runToEnd());
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "b (SH +80%).bmp"));
}

TEST_F(MainDialog, TextsFollowAChangeOfLanguageAndTheChoiceStays)
{
    open();
    chooseItem(Dialog::kItemBlur);
    struct English {
        ~English() { MainDialog::s_localizer->selectLanguage(u"English"); }
    } restore;
    ASSERT_TRUE(s_localizer->selectLanguage(u"German"));
    EXPECT_EQ(u"Scharfzeichnen", m_dialog->modeCombo()->itemText(0));
    EXPECT_EQ(u"Weichzeichnen", m_dialog->modeCombo()->itemText(1));
    EXPECT_EQ(1, m_dialog->modeCombo()->selectedIndex());
    EXPECT_EQ(u"Weichzeichnen", viewOf(m_dialog->modeCombo())->items.at(1));
    EXPECT_EQ(u"Erweiterte Optionen >>", m_dialog->viewToggleButton()->text());
    EXPECT_EQ(u"Ablagefeld", m_dialog->dropBox()->title());
    EXPECT_EQ(u"Bereit", statusText());
    // The choice is stored as shown: a start in English finds the German
    // text in the store and takes the first item.
    EXPECT_EQ(std::u16string(u"Blur"), store().getString(kView, u"ConvertTo", u"?"));
    chooseItem(Dialog::kItemSharpen);
    chooseItem(Dialog::kItemBlur);
    EXPECT_EQ(std::u16string(u"Weichzeichnen"), store().getString(kView, u"ConvertTo", u"?"));
    s_localizer->selectLanguage(u"English");
    open();
    EXPECT_EQ(0, m_dialog->modeCombo()->selectedIndex());
}

TEST_F(MainDialog, NothingIsBuiltWithoutAWindow)
{
    m_host.failStart = true;
    m_dialog = Dialog::take();
    m_dialog->setUp(m_appWindow.get());
    m_dialog->buildAndRun(m_host);
    EXPECT_EQ(0, m_host.waits);
    EXPECT_EQ(nullptr, m_dialog->modeCombo());
    m_dialog->release();
    m_dialog = nullptr;
}

TEST(MainDialogStrength, FieldTextParsing)
{
    struct Case {
        const char16_t* text;
        int32_t value;
    } cases[] = {{u"0", 0}, {u"007", 7}, {u"100", 100}, {u"101", -1}, {u"", -1}, {u"-0", -1}, {u"1e2", -1}, {u"0100", -1}};
    for (const Case& c : cases)
        EXPECT_EQ(c.value, StrengthControls::parseStrength(c.text));
}

}  // namespace

namespace {

class SelectionCounter : public s::gui::events::IEventListener {
public:
    void onEvent(s::base::IObject*, int32_t type) override { types.push_back(type); }
    std::vector<int32_t> types;
};

// The dialog treats a selection made in code as the user's; one that
// changes nothing must not look like a choice.
TEST(MainDialogCombo, SelectionInCodeNotifiesOnlyAChange)
{
    struct Case {
        int32_t index;
        int32_t selected;
        size_t events;
    } steps[] = {
        {1, 1, 1}, {1, 1, 1}, {0, 0, 2}, {7, 0, 2}, {-1, 0, 2}, {1, 1, 3}, {-3, 0, 4},
    };
    Pooled<s::gui::win::ComboBox> combo(s::gui::win::ComboBox::take());
    SelectionCounter counter;
    combo->select(0, true);  // no items: nothing
    EXPECT_EQ(-1, combo->selectedIndex());
    combo->addItem({0, u"Sharpen", nullptr});
    combo->addItem({0, u"Blur", nullptr});
    combo->addListener(events::kComboSelectionChanged, &counter);
    for (const Case& step : steps) {
        SCOPED_TRACE(step.index);
        combo->select(step.index, true);
        EXPECT_EQ(step.selected, combo->selectedIndex());
        EXPECT_EQ(step.events, counter.types.size());
    }
}

}  // namespace
