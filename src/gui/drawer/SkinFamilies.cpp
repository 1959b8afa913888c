#include "gui/drawer/SkinFamilies.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Skinner.h"
#include "gui/drawer/button/win/Thin.h"
#include "gui/drawer/checkbox/win/Thin.h"
#include "gui/drawer/combo/win/Thin.h"
#include "gui/drawer/counter/win/Basic.h"
#include "gui/drawer/groupbox/win/Thin.h"
#include "gui/drawer/listbox/win/Thin.h"
#include "gui/drawer/listheader/win/Thin.h"
#include "gui/drawer/menu/win/Basic.h"
#include "gui/drawer/radiobutton/win/Thin.h"
#include "gui/drawer/scrollbar/win/Thin.h"
#include "gui/drawer/skin/Thin.h"
#include "gui/drawer/skin/ThinWindow.h"
#include "gui/drawer/slider/win/Thin.h"
#include "gui/drawer/statusbar/win/Thin.h"
#include "gui/drawer/tabbox/win/Thin.h"
#include "gui/drawer/text/win/Basic.h"
#include "gui/drawer/window/win/Thin.h"
#include "gui/win/FontSetting.h"

namespace s::gui::drawer {

namespace {

using colour::grey;
using colour::rgb;

struct ThinWindowScheme {
    std::u16string_view name;
    SkinFamilies::ThinWindowColours colours;
};

struct ThinScheme {
    std::u16string_view name;
    SkinFamilies::ThinColours colours;
};

constexpr uint32_t kOrange = rgb(255, 165, 0);
constexpr uint32_t kLime = rgb(213, 235, 107);

// C1 background, C2 frame, C3 muted, C4 line, C5 group box, C6 text, C7 text
// halo, C8 scroll and slider track, C9 face, C10 text on the face, C11 to
// C13 list box, C14 and C15 counter.
const ThinWindowScheme kThinWindowSchemes[] = {
    {u"White",
     {grey(255), grey(68), grey(204), grey(68), grey(68), grey(0), grey(238), grey(119), grey(119), grey(255),
      grey(255), grey(0), grey(238), grey(119), kOrange}},
    {u"Ivory",
     {rgb(242, 240, 230), grey(0), grey(170), grey(0), grey(0), grey(0), grey(238), grey(176), grey(176),
      rgb(240, 238, 228), grey(255), grey(0), grey(238), grey(176), kOrange}},
    {u"Black",
     {grey(51), grey(85), grey(85), grey(176), grey(176), grey(255), grey(51), grey(153), grey(204), grey(0),
      grey(255), grey(0), grey(238), kLime, kOrange}},
    {u"Black II",
     {grey(51), grey(85), grey(85), grey(176), grey(176), grey(221), grey(51), grey(153), grey(204), grey(0),
      grey(255), grey(0), grey(238), kLime, kOrange}},
    {u"Black Black",
     {grey(0), grey(51), grey(51), grey(176), grey(176), grey(255), grey(51), grey(153), grey(204), grey(0),
      grey(255), grey(0), grey(238), kLime, kOrange}},
    {u"Black Black II",
     {grey(0), grey(51), grey(51), grey(176), grey(176), grey(221), grey(51), grey(153), grey(204), grey(0),
      grey(255), grey(0), grey(238), kLime, kOrange}},
    {u"Classic LG",
     {grey(116), grey(17), grey(86), grey(17), grey(17), grey(255), grey(51), grey(116), grey(25), grey(255),
      grey(49), grey(191), grey(56), rgb(195, 234, 0), grey(25)}},
    {u"Beige",
     {rgb(236, 233, 216), grey(0), grey(170), grey(0), grey(0), grey(0), grey(238), rgb(168, 162, 128),
      rgb(168, 162, 128), rgb(236, 233, 216), grey(255), grey(0), grey(238), rgb(168, 162, 128), kOrange}},
    {u"Sky Blue",
     {rgb(194, 223, 255), rgb(87, 133, 255), rgb(87, 133, 255), rgb(87, 133, 255), rgb(87, 133, 255), grey(0),
      grey(238), rgb(87, 133, 255), rgb(87, 133, 255), grey(255), grey(255), grey(0), grey(238),
      rgb(87, 133, 255), kOrange}},
    {u"Pink",
     {rgb(255, 194, 230), rgb(255, 93, 162), rgb(255, 93, 162), rgb(255, 93, 162), rgb(255, 93, 162), grey(0),
      grey(238), rgb(255, 93, 162), rgb(255, 93, 162), grey(255), grey(255), grey(0), grey(238), rgb(255, 48, 92),
      kOrange}},
    {u"Salmon Red",
     {rgb(255, 48, 92), rgb(255, 189, 203), rgb(255, 189, 203), rgb(255, 189, 203), rgb(255, 189, 203), grey(255),
      grey(51), rgb(255, 189, 203), rgb(255, 189, 203), rgb(255, 48, 92), grey(255), grey(0), grey(238),
      rgb(255, 194, 230), kOrange}},
    {u"Yellow",
     {rgb(252, 255, 91), rgb(224, 206, 0), rgb(224, 206, 0), rgb(224, 206, 0), rgb(224, 206, 0), grey(0),
      grey(238), rgb(224, 206, 0), rgb(224, 206, 0), grey(255), grey(255), grey(0), grey(238), rgb(168, 255, 83),
      kOrange}},
    {u"Green",
     {rgb(184, 255, 61), rgb(129, 160, 7), rgb(129, 160, 7), rgb(129, 160, 7), rgb(129, 160, 7), grey(0),
      grey(238), rgb(143, 175, 17), rgb(143, 175, 17), grey(255), grey(255), grey(0), grey(238),
      rgb(143, 175, 17), kOrange}},
    {u"Orange",
     {rgb(255, 207, 61), rgb(221, 135, 2), rgb(221, 135, 2), rgb(221, 135, 2), rgb(221, 135, 2), grey(0),
      grey(238), rgb(221, 135, 2), rgb(221, 135, 2), grey(255), grey(255), grey(0), grey(238), grey(255),
      kOrange}},
    {u"Khaki",
     {rgb(62, 92, 0), rgb(146, 185, 65), rgb(146, 185, 65), rgb(146, 185, 65), rgb(146, 185, 65), grey(255),
      grey(51), rgb(221, 135, 2), rgb(221, 135, 2), rgb(62, 92, 0), grey(255), grey(0), grey(238), kLime,
      kOrange}},
    {u"Indigo",
     {rgb(49, 0, 130), rgb(192, 125, 255), rgb(192, 125, 255), rgb(192, 125, 255), rgb(192, 125, 255), grey(255),
      grey(51), rgb(195, 158, 255), rgb(195, 158, 255), rgb(49, 0, 130), grey(255), grey(0), grey(238),
      rgb(192, 125, 255), kOrange}},
};

const ThinScheme kThinSchemes[] = {
    {u"White", {grey(255), grey(68), grey(0), grey(119), grey(176), kOrange}},
    {u"Light Gray", {rgb(240, 238, 228), grey(0), grey(0), grey(176), grey(176), kOrange}},
    {u"Black", {grey(51), grey(176), grey(255), grey(176), kLime, kOrange}},
    {u"Ivory", {rgb(236, 233, 216), grey(0), grey(0), rgb(168, 162, 128), rgb(168, 162, 128), kOrange}},
    {u"Sky Blue", {grey(255), rgb(87, 133, 255), grey(0), rgb(87, 133, 255), rgb(87, 133, 255), kOrange}},
    {u"Pink", {grey(255), rgb(255, 93, 162), grey(0), rgb(255, 93, 162), rgb(255, 93, 162), kOrange}},
    {u"Green", {grey(255), rgb(143, 175, 17), rgb(0, 51, 0), rgb(143, 175, 17), rgb(143, 175, 17), kOrange}},
    {u"Green2", {kLime, grey(0), grey(0), grey(0), grey(0), kOrange}},
    {u"Yellow", {grey(255), rgb(224, 206, 0), grey(0), rgb(224, 206, 0), rgb(224, 206, 0), kOrange}},
    {u"Orange", {grey(255), rgb(221, 135, 2), grey(0), rgb(221, 135, 2), rgb(221, 135, 2), kOrange}},
    {u"Khaki", {rgb(62, 92, 0), rgb(146, 185, 65), grey(255), rgb(221, 135, 2), rgb(221, 135, 2), kOrange}},
    {u"Indigo", {rgb(75, 0, 130), rgb(192, 125, 255), grey(255), rgb(192, 125, 255), rgb(192, 125, 255), kOrange}},
    {u"Salmon Red",
     {rgb(255, 48, 92), rgb(255, 189, 203), grey(255), rgb(255, 189, 203), rgb(255, 189, 203), kOrange}},
};

// The list box's grey of every second row in the "Thin" family.
constexpr uint32_t kThinStripe = grey(243);

// Font settings of a text drawer, by their place.
constexpr int32_t kMainFont = 0;
constexpr int32_t kSecondFont = 1;
constexpr int32_t kThirdFont = 2;
constexpr int32_t kFourthFont = 3;

template <class T>
T* fresh()
{
    return T::take();
}

}  // namespace

ISkin* SkinFamilies::buildThinWindowSkin(std::u16string_view name, const ThinWindowColours& c)
{
    // c[0] is C1, c[14] is C15.
    auto* skin = fresh<skin::ThinWindow>();
    skin->setName(name);

    auto* window = fresh<window::win::Thin>();
    window->setTopCorners(IWindow::kCornersSquare);
    window->setBottomCorners(IWindow::kCornersSquare);
    window->setFillColour(c[0]);
    window->setFrameColour(c[1]);
    skin->setWindow(window);

    auto* button = fresh<button::win::Thin>();
    button->setPressShift(true);
    button->setDisabledColour(c[2]);
    button->setNormalColour(c[3]);
    button->setCheckedColour(c[3]);
    button->setFaceColour(c[8]);
    button->captionText()->fontSetting(kMainFont).setTextColour(c[5]);
    button->captionText()->fontSetting(kSecondFont).setTextColour(c[2]);
    button->secondText()->fontSetting(kMainFont).setTextColour(c[9]);
    skin->setButton(button);

    auto* text = fresh<text::win::Basic>();
    text->fontSetting(kMainFont).setTextColour(c[5]);
    text->fontSetting(kMainFont).setSecondColour(c[0]);
    text->fontSetting(kMainFont).setThirdColour(c[6]);
    text->fontSetting(kSecondFont).setTextColour(c[2]);
    text->fontSetting(kThirdFont).setTextColour(c[5]);
    text->fontSetting(kFourthFont).setTextColour(c[3]);
    skin->setText(text);

    auto* scrollBar = fresh<scrollbar::win::Thin>();
    scrollBar->setColours(c[3], c[7]);
    skin->setScrollBar(scrollBar);

    auto* checkBox = fresh<checkbox::win::Thin>();
    checkBox->setColours(c[3], c[5]);
    checkBox->setExtraColour(c[2]);
    skin->setCheckBox(checkBox);

    auto* radioButton = fresh<radiobutton::win::Thin>();
    radioButton->setColours(c[3], c[5]);
    radioButton->setExtraColour(c[2]);
    skin->setRadioButton(radioButton);

    auto* slider = fresh<slider::win::Thin>();
    slider->setColours(c[3], c[7]);
    slider->setExtraColour(c[2]);
    skin->setSlider(slider);

    auto* counter = fresh<counter::win::Basic>();
    counter->setColours(c[13], c[14]);
    skin->setCounter(counter);

    auto* listHeader = fresh<listheader::win::Thin>();
    listHeader->setColours(c[3], c[8]);
    listHeader->fontSetting().setTextColour(c[9]);
    skin->setListHeader(listHeader);

    auto* listBox = fresh<listbox::win::Thin>();
    listBox->setColours(c[10], c[11], c[8], c[9], c[12]);
    skin->setListBox(listBox);

    auto* statusBar = fresh<statusbar::win::Thin>();
    statusBar->setColour(c[3]);
    skin->setStatusBar(statusBar);

    // The menu's highlight: text colour and halo in C6, its third colour the line.
    auto* menu = fresh<menu::win::Basic>();
    menu->setColours(c[5], c[3], c[0]);
    menu->highlightFont().setTextColour(c[5]);
    menu->highlightFont().setSecondColour(c[5]);
    menu->highlightFont().setThirdColour(c[3]);
    skin->setMenu(menu);

    auto* combo = fresh<combo::win::Thin>();
    combo->setColours(c[5], c[3]);
    combo->setExtraColour(c[5]);
    skin->setCombo(combo);

    auto* groupBox = fresh<groupbox::win::Thin>();
    groupBox->setColour(c[4]);
    groupBox->fontSetting(0).setTextColour(c[5]);
    groupBox->fontSetting(1).setTextColour(c[5]);
    skin->setGroupBox(groupBox);

    auto* tabBox = fresh<tabbox::win::Thin>();
    tabBox->setColour(c[3]);
    for (int32_t i = 0; i < tabbox::win::Thin::kFontSettingCount; ++i)
        tabBox->fontSetting(i).setTextColour(c[5]);
    skin->setTabBox(tabBox);
    return skin;
}

ISkin* SkinFamilies::buildThinSkin(std::u16string_view name, const ThinColours& c)
{
    auto* skin = fresh<skin::Thin>();
    skin->setName(name);

    auto* window = fresh<window::win::Thin>();
    window->setFrameColour(c.line);
    window->setFillColour(c.background);
    skin->setWindow(window);

    auto* button = fresh<button::win::Thin>();
    button->setNormalColour(c.line);
    button->captionText()->fontSetting(kMainFont).setTextColour(c.text);
    button->captionText()->fontSetting(kSecondFont).setTextColour(c.text);
    skin->setButton(button);

    auto* text = fresh<text::win::Basic>();
    text->fontSetting(kMainFont).setTextColour(c.text);
    text->fontSetting(kSecondFont).setTextColour(c.text);
    skin->setText(text);

    auto* scrollBar = fresh<scrollbar::win::Thin>();
    scrollBar->setColours(c.line, c.background);
    skin->setScrollBar(scrollBar);

    auto* checkBox = fresh<checkbox::win::Thin>();
    checkBox->setColours(c.line, c.text);
    checkBox->setExtraColour(c.text);
    skin->setCheckBox(checkBox);

    auto* radioButton = fresh<radiobutton::win::Thin>();
    radioButton->setColours(c.line, c.text);
    radioButton->setExtraColour(c.text);
    skin->setRadioButton(radioButton);

    auto* slider = fresh<slider::win::Thin>();
    slider->setColours(c.line, c.slider);
    skin->setSlider(slider);

    auto* counter = fresh<counter::win::Basic>();
    counter->setColours(c.counter1, c.counter2);
    skin->setCounter(counter);

    auto* listHeader = fresh<listheader::win::Thin>();
    listHeader->setColours(c.line, c.background);
    listHeader->fontSetting().setTextColour(c.text);
    skin->setListHeader(listHeader);

    auto* listBox = fresh<listbox::win::Thin>();
    listBox->setColours(c.background, c.text, c.line, c.background, kThinStripe);
    skin->setListBox(listBox);

    auto* statusBar = fresh<statusbar::win::Thin>();
    statusBar->setColour(c.line);
    skin->setStatusBar(statusBar);

    auto* menu = fresh<menu::win::Basic>();
    menu->setColours(c.text, c.line, c.background);
    skin->setMenu(menu);

    auto* combo = fresh<combo::win::Thin>();
    combo->setColours(c.text, c.line);
    combo->setExtraColour(c.text);
    skin->setCombo(combo);

    auto* groupBox = fresh<groupbox::win::Thin>();
    groupBox->setColour(c.line);
    groupBox->fontSetting(0).setTextColour(c.text);
    groupBox->fontSetting(1).setTextColour(c.text);
    skin->setGroupBox(groupBox);

    auto* tabBox = fresh<tabbox::win::Thin>();
    tabBox->setColour(c.line);
    skin->setTabBox(tabBox);
    return skin;
}

void SkinFamilies::addThinWindowSkins(Skinner& skinner)
{
    for (const ThinWindowScheme& scheme : kThinWindowSchemes)
        skinner.addSkin(buildThinWindowSkin(scheme.name, scheme.colours));
}

void SkinFamilies::addThinSkins(Skinner& skinner)
{
    for (const ThinScheme& scheme : kThinSchemes)
        skinner.addSkin(buildThinSkin(scheme.name, scheme.colours));
}

}  // namespace s::gui::drawer
