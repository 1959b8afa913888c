#include "dialogs/pellory/StrengthControls.h"

#include <algorithm>
#include <string>

#include "gui/LayoutTypes.h"
#include "gui/events/EventTypes.h"
#include "gui/win/Box.h"
#include "gui/win/Controls.h"
#include "gui/win/GroupBox.h"
#include "lang/Localizer.h"
#include "map/IMappedData.h"

namespace s::image::gui::dialogs::pellory {

using s::gui::win::Box;
using s::gui::win::GroupBox;
using s::gui::win::Label;
using s::gui::win::NumberField;
using s::gui::win::Slider;

namespace {

constexpr char16_t kValueStrength[] = u"Strength";
constexpr int32_t kFieldWidth = 32;
constexpr int32_t kPageMargin = 10;
constexpr int32_t kTickFrequency = 10;

std::u16string decimal(int32_t value)
{
    std::u16string text;
    for (char c : std::to_string(value))
        text += static_cast<char16_t>(c);
    return text;
}

}  // namespace

Box* StrengthControls::buildPage(s::lang::Localizer* localizer)
{
    m_slider = Slider::take();
    m_slider->setRange(0, 100);
    m_slider->setValue(100);
    m_slider->setTickFrequency(kTickFrequency);
    m_slider->setTicksShown(false);
    m_slider->setLineStep(kTickFrequency);
    m_slider->setPageStep(kTickFrequency * 10);
    m_slider->setWidthPercent(100);
    m_slider->setHeightPercent(100);
    m_field = NumberField::take();
    m_field->setFixedWidth(kFieldWidth);
    m_field->setText(u"75");  // load() puts the stored value in

    Box* row = Box::makeBox(100, -1, 0, 1, 0, 0, 0, 0, s::gui::kLayoutRow);
    Label* percent = Label::take();
    percent->setText(u" % ");
    row->addChild(m_field);
    row->addChild(percent);
    row->addChild(m_slider);

    m_group = GroupBox::take();
    m_group->setWidthPercent(100, false);
    retitle(localizer);
    m_group->addChild(row);

    Box* page = Box::makeBox(100, -1, 0, 0, 0, 0, kPageMargin, kPageMargin, s::gui::kLayoutColumn);
    page->addChild(m_group);
    return page;
}

void StrengthControls::load(s::map::IMappedData& store, std::u16string_view key)
{
    const int32_t stored = std::clamp(store.getInt32(key, kValueStrength, kDefaultStrength), 0, 100);
    m_slider->setValue(stored);
    m_field->setText(decimal(stored));
}

void StrengthControls::store(s::map::IMappedData& store, std::u16string_view key) const
{
    store.setInt32(key, kValueStrength, value());
}

void StrengthControls::listen(s::gui::events::IEventListener* listener)
{
    m_slider->addListener(s::gui::events::kSliderMoved, listener);
    m_field->addListener(s::gui::events::kNumberFieldChanged, listener);
}

void StrengthControls::follow(const s::base::IObject* source)
{
    if (!source)
        return;
    if (source == m_slider && !m_guard)
        followSlider();
    else if (source == m_field)
        followField();
}

void StrengthControls::retitle(s::lang::Localizer* localizer)
{
    if (m_group)
        m_group->setTitle(localizer ? localizer->text(kTextStrength) : u"");
}

void StrengthControls::forget()
{
    m_slider = nullptr;
    m_field = nullptr;
    m_group = nullptr;
    m_guard = false;
}

int32_t StrengthControls::value() const
{
    return m_slider ? m_slider->value() : 0;
}

int32_t StrengthControls::parseStrength(std::u16string_view text)
{
    if (text.empty() || text.size() > 3)
        return -1;
    int32_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return -1;  // a minus too: no strength is negative
        value = value * 10 + (c - u'0');
    }
    return value <= 100 ? value : -1;
}

void StrengthControls::followSlider()
{
    m_field->setText(decimal(m_slider->value()));
}

void StrengthControls::followField()
{
    // Any other text leaves the slider, and the field is not corrected.
    const int32_t typed = parseStrength(m_field->text());
    if (typed < 0 || typed == m_slider->value())
        return;
    m_guard = true;
    m_slider->setValue(typed);
    m_guard = false;
}

}  // namespace s::image::gui::dialogs::pellory
