#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "gui/drawer/Colour.h"
#include "gui/drawer/ISkin.h"
#include "gui/drawer/PixelCanvas.h"
#include "gui/drawer/SkinFamilies.h"
#include "gui/drawer/Skinner.h"
#include "gui/drawer/button/win/Thin.h"
#include "gui/drawer/checkbox/win/Thin.h"
#include "gui/drawer/combo/win/Thin.h"
#include "gui/drawer/counter/win/Basic.h"
#include "gui/drawer/groupbox/win/Thin.h"
#include "gui/drawer/listbox/win/Thin.h"
#include "gui/drawer/listheader/win/Thin.h"
#include "gui/drawer/menu/win/Basic.h"
#include "gui/drawer/scrollbar/win/Thin.h"
#include "gui/drawer/slider/win/Thin.h"
#include "gui/drawer/statusbar/win/Thin.h"
#include "gui/drawer/text/win/Basic.h"
#include "gui/drawer/window/win/Thin.h"
#include "gui/events/IEventListener.h"
#include "gui/win/FontSetting.h"
#include "thread/Pooled.h"

namespace drawer = s::gui::drawer;
using drawer::ISkin;
using drawer::PixelCanvas;
using drawer::Skinner;
using drawer::colour::grey;
using drawer::colour::rgb;
using s::gui::win::FontSetting;
using s::thread::Pooled;

namespace {

constexpr uint32_t kUntouched = rgb(1, 2, 3);

Pooled<Skinner> skinnerOf(std::u16string_view family)
{
    Pooled<Skinner> skinner(Skinner::take());
    skinner->setFamilyName(family);
    skinner->fillFamily();
    return skinner;
}

std::vector<std::u16string> namesOf(const Skinner& skinner)
{
    std::vector<std::u16string> names;
    for (int32_t i = 0; i < skinner.skinCount(); ++i) {
        names.emplace_back(skinner.skinNameAt(i));
        EXPECT_EQ(skinner.skinAt(i)->name(), names.back());
    }
    return names;
}

ISkin& skinNamed(Skinner& skinner, std::u16string_view name)
{
    int32_t index = -1;
    EXPECT_TRUE(skinner.findSkin(name, index));
    return *skinner.skinAt(index);
}

class Recorder : public s::gui::events::IEventListener {
public:
    explicit Recorder(std::vector<std::pair<Recorder*, int32_t>>& log) : m_log(log) {}
    void onEvent(s::base::IObject* source, int32_t type) override
    {
        sources.push_back(source);
        m_log.emplace_back(this, type);
    }
    std::vector<s::base::IObject*> sources;

private:
    std::vector<std::pair<Recorder*, int32_t>>& m_log;
};

TEST(SkinFamily, ThinWindowHasItsSixteenSchemesInOrder)
{
    // The family name is matched ignoring case.
    Pooled<Skinner> skinner = skinnerOf(u"thinWINDOW");
    const std::vector<std::u16string> expected{
        u"White",      u"Ivory",    u"Black", u"Black II", u"Black Black", u"Black Black II",
        u"Classic LG", u"Beige",    u"Sky Blue", u"Pink",  u"Salmon Red",  u"Yellow",
        u"Green",      u"Orange",   u"Khaki", u"Indigo"};
    EXPECT_EQ(namesOf(*skinner), expected);
    EXPECT_EQ(std::u16string_view(skinner->skinAt(0)->className()), u"s_gui_drawer_skin_ThinWindow");
}

TEST(SkinFamily, ThinHasItsThirteenSchemesInOrder)
{
    Pooled<Skinner> skinner = skinnerOf(u"Thin");
    const std::vector<std::u16string> expected{u"White", u"Light Gray", u"Black",  u"Ivory",  u"Sky Blue",
                                               u"Pink",  u"Green",      u"Green2", u"Yellow", u"Orange",
                                               u"Khaki", u"Indigo",     u"Salmon Red"};
    EXPECT_EQ(namesOf(*skinner), expected);
}

TEST(SkinFamily, AnUnknownFamilyAddsNothing)
{
    for (std::u16string_view family : {u"Basic", u"", u"ThinWindows", u"Thi"}) {
        Pooled<Skinner> skinner = skinnerOf(family);
        EXPECT_EQ(skinner->skinCount(), 0);
        skinner->selectSkin(u"White");  // nothing to select: stays without a skin
        EXPECT_EQ(skinner->currentSkin(), nullptr);
    }
}

TEST(Skinner, ResetReleasesTheSkinsAndGoesBackToBasic)
{
    Pooled<Skinner> skinner = skinnerOf(u"ThinWindow");
    std::vector<std::pair<Recorder*, int32_t>> log;
    Recorder listener(log);
    skinner->addListener(&listener);
    skinner->selectSkin(u"Pink");
    ASSERT_NE(skinner->currentSkin(), nullptr);
    skinner->reset();
    EXPECT_EQ(skinner->familyName(), u"Basic");
    EXPECT_EQ(skinner->skinCount(), 0);
    EXPECT_EQ(skinner->currentSkin(), nullptr);
    EXPECT_EQ(skinner->skinNameAt(0), u"");
    // The listeners went with the reset.
    skinner->setFamilyName(u"Thin");
    skinner->fillFamily();
    skinner->selectSkin(u"Black");
    EXPECT_EQ(log.size(), 1u);
}

TEST(Skinner, FindsAWholeNameIgnoringCase)
{
    Pooled<Skinner> skinner = skinnerOf(u"ThinWindow");
    struct Case {
        std::u16string_view name;
        bool found;
        int32_t index;
    };
    const Case cases[] = {
        {u"black ii", true, 3}, {u"BLACK", true, 2}, {u"Black Black II", true, 5}, {u"classic lg", true, 6},
        {u"Black I", false, -1}, {u"Black II ", false, -1}, {u"", false, -1}, {u"Mauve", false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        int32_t index = 99;
        EXPECT_EQ(skinner->findSkin(c.name, index), c.found);
        EXPECT_EQ(index, c.index);
    }
}

TEST(Skinner, SelectingAnUnknownNamePicksTheFirstSkin)
{
    Pooled<Skinner> skinner = skinnerOf(u"ThinWindow");
    skinner->selectSkin(u"Mauve");
    ASSERT_NE(skinner->currentSkin(), nullptr);
    EXPECT_EQ(skinner->currentSkin()->name(), u"White");
    skinner->selectSkin(u"black ii");
    EXPECT_EQ(skinner->currentSkin()->name(), u"Black II");
}

TEST(Skinner, ListenersAreToldOncePerChangeInOrder)
{
    Pooled<Skinner> skinner = skinnerOf(u"ThinWindow");
    std::vector<std::pair<Recorder*, int32_t>> log;
    Recorder first(log);
    Recorder second(log);
    skinner->addListener(&first);
    skinner->addListener(&second);

    skinner->selectSkin(u"Classic LG");
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], std::make_pair(&first, Skinner::kSkinChanged));
    EXPECT_EQ(log[1], std::make_pair(&second, Skinner::kSkinChanged));
    EXPECT_EQ(first.sources, std::vector<s::base::IObject*>{skinner.get()});

    // The same skin again, by another spelling: no change, nobody told.
    skinner->selectSkin(u"CLASSIC LG");
    EXPECT_EQ(log.size(), 2u);

    skinner->removeListener(&first);
    skinner->selectSkin(u"Ivory");
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2].first, &second);
}

// The About window's default look, drawer by drawer.
TEST(SkinLook, ClassicLgPaintsGreyOnDarkFrameWithWhiteCaptions)
{
    Pooled<Skinner> skinner = skinnerOf(u"ThinWindow");
    skinner->selectSkin(u"Classic LG");
    ISkin& skin = *skinner->currentSkin();

    PixelCanvas window(30, 20, kUntouched);
    skin.window()->paint(window, 0, 0, 30, 20);
    for (auto [x, y] : {std::pair{0, 0}, {29, 0}, {29, 19}, {0, 19}, {15, 0}, {0, 10}, {29, 10}, {15, 19}})
        EXPECT_EQ(window.pixel(x, y), grey(17)) << x << "," << y;
    for (auto [x, y] : {std::pair{1, 1}, {28, 18}, {15, 10}})
        EXPECT_EQ(window.pixel(x, y), grey(116)) << x << "," << y;
    const drawer::Region region = skin.window()->region(0, 0, 29, 19);
    EXPECT_EQ(region.cornerEllipse, 0);
    EXPECT_TRUE(region.squaring.empty());

    FontSetting normal;
    FontSetting disabled;
    FontSetting checked;
    skin.button()->applyTo(&normal, &disabled);
    skin.button()->applyCheckedTo(&checked);
    EXPECT_EQ(normal.textColour(), grey(255));
    EXPECT_EQ(disabled.textColour(), grey(86));
    EXPECT_EQ(checked.textColour(), grey(255));
    EXPECT_FALSE(normal.isFontSet());  // the control keeps its own font

    // Border and glyph from C4 (17): the flat look's edges are 17 x 1.05, 0.9, 0.85, 1.0.
    PixelCanvas button(50, 14, kUntouched);
    skin.button()->paint(button, 0, 0, 50, 14, 0, u"#X", true, &normal, true, false, false);
    EXPECT_EQ(button.pixel(10, 0), grey(17));
    EXPECT_EQ(button.pixel(49, 7), grey(15));
    EXPECT_EQ(button.pixel(10, 13), grey(14));
    EXPECT_EQ(button.pixel(0, 7), grey(17));
    EXPECT_EQ(button.pixel(21, 3), grey(17));  // the cross's first square
}

// Where the scheme colours go, spot checks across kinds and both families.
TEST(SkinLook, SchemeColoursReachTheirDrawers)
{
    Pooled<Skinner> windows = skinnerOf(u"ThinWindow");
    ISkin& sky = skinNamed(*windows, u"Sky Blue");
    const uint32_t blue = rgb(87, 133, 255);
    auto* window = dynamic_cast<drawer::window::win::Thin*>(sky.window());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->fillColour(), rgb(194, 223, 255));
    EXPECT_EQ(window->frameColour(), blue);
    EXPECT_FALSE(window->isTransparent());
    auto* button = dynamic_cast<drawer::button::win::Thin*>(sky.button());
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->pressShift());
    EXPECT_EQ(button->style(), 1);
    EXPECT_EQ(button->faceColour(), blue);
    auto* text = dynamic_cast<drawer::text::win::Basic*>(sky.text());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->fontSetting(0).textColour(), grey(0));
    EXPECT_EQ(text->fontSetting(0).secondColour(), rgb(194, 223, 255));
    EXPECT_EQ(text->fontSetting(0).thirdColour(), grey(238));
    EXPECT_EQ(text->fontSetting(3).textColour(), blue);
    EXPECT_FALSE(text->fontSetting(4).isTextColourSet());
    auto* scrollBar = dynamic_cast<drawer::scrollbar::win::Thin*>(sky.scrollBar());
    ASSERT_NE(scrollBar, nullptr);
    EXPECT_EQ(scrollBar->secondColour(), blue);

    ISkin& classic = skinNamed(*windows, u"Classic LG");
    auto* list = dynamic_cast<drawer::listbox::win::Thin*>(classic.listBox());
    ASSERT_NE(list, nullptr);
    const uint32_t expectedList[] = {grey(49), grey(191), grey(25), grey(255), grey(56)};
    for (int32_t role = 0; role < drawer::listbox::win::Thin::kRoleCount; ++role)
        EXPECT_EQ(list->colourOf(role), expectedList[role]) << role;
    auto* counter = dynamic_cast<drawer::counter::win::Basic*>(classic.counter());
    ASSERT_NE(counter, nullptr);
    EXPECT_EQ(counter->firstColour(), rgb(195, 234, 0));
    EXPECT_EQ(counter->secondColour(), grey(25));
    auto* menu = dynamic_cast<drawer::menu::win::Basic*>(classic.menu());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->firstColour(), grey(255));
    EXPECT_EQ(menu->secondColour(), grey(17));
    EXPECT_EQ(menu->thirdColour(), grey(116));
    auto* groupBox = dynamic_cast<drawer::groupbox::win::Thin*>(classic.groupBox());
    ASSERT_NE(groupBox, nullptr);
    EXPECT_EQ(groupBox->colour(), grey(17));
    auto* slider = dynamic_cast<drawer::slider::win::Thin*>(classic.slider());
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->extraColour(), grey(86));
    EXPECT_EQ(slider->secondColour(), grey(116));

    Pooled<Skinner> thin = skinnerOf(u"Thin");
    ISkin& green = skinNamed(*thin, u"Green");
    auto* thinButton = dynamic_cast<drawer::button::win::Thin*>(green.button());
    ASSERT_NE(thinButton, nullptr);
    EXPECT_EQ(thinButton->normalColour(), rgb(143, 175, 17));
    EXPECT_EQ(thinButton->disabledColour(), grey(120));  // left at its reset value
    EXPECT_FALSE(thinButton->pressShift());
    FontSetting normal;
    FontSetting disabled;
    thinButton->applyTo(&normal, &disabled);
    EXPECT_EQ(disabled.textColour(), rgb(0, 51, 0));
    auto* thinList = dynamic_cast<drawer::listbox::win::Thin*>(green.listBox());
    ASSERT_NE(thinList, nullptr);
    EXPECT_EQ(thinList->colourOf(drawer::listbox::win::Thin::kStripe), grey(243));
    EXPECT_EQ(thinList->colourOf(drawer::listbox::win::Thin::kSelection), rgb(143, 175, 17));
    auto* check = dynamic_cast<drawer::checkbox::win::Thin*>(green.checkBox());
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->secondColour(), rgb(0, 51, 0));
    auto* combo = dynamic_cast<drawer::combo::win::Thin*>(green.combo());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->firstColour(), rgb(0, 51, 0));
    EXPECT_EQ(combo->secondColour(), rgb(143, 175, 17));
}

TEST(Skin, ASetterHandsTheOldDrawerBackToItsPool)
{
    Pooled<Skinner> skinner = skinnerOf(u"Thin");
    ISkin& skin = *skinner->skinAt(0);
    auto* replacement = drawer::statusbar::win::Thin::take();
    const uint32_t idleBefore = drawer::statusbar::win::Thin::classPool().idleCount();
    skin.setStatusBar(replacement);
    EXPECT_EQ(skin.statusBar(), replacement);
    EXPECT_EQ(drawer::statusbar::win::Thin::classPool().idleCount(), idleBefore + 1);
}

}  // namespace
