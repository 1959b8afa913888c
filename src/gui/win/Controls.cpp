#include "gui/win/Controls.h"

#include <algorithm>

#include "gui/drawer/IButton.h"
#include "gui/drawer/ISkin.h"
#include "gui/drawer/Skinner.h"
#include "gui/events/EventTypes.h"
#include "gui/win/Window.h"
#include "lang/Localizer.h"

namespace s::gui::win {

namespace {

// Room around the text that the system draws for each kind of control.
constexpr int32_t kButtonPadX = 20;
constexpr int32_t kButtonPadY = 10;
constexpr int32_t kCheckSquare = 16;
constexpr int32_t kCheckGap = 4;
constexpr int32_t kComboArrow = 30;
constexpr int32_t kFieldPadY = 8;
constexpr int32_t kSliderHeight = 26;
constexpr int32_t kSliderMinWidth = 40;
constexpr int32_t kProgressWidth = 100;
constexpr int32_t kProgressHeight = 14;

}  // namespace

// --- Label ---

void Label::reset()
{
    m_clickable = false;
    m_fontPoints = 0;
    m_bold = m_underline = false;
    resetControl();
}

void Label::setFontStyle(int32_t points, bool bold, bool underline)
{
    m_fontPoints = points > 0 ? points : 0;
    m_bold = bold;
    m_underline = underline;
    pushState();
    measure();
}

void Label::pushState()
{
    if (m_native && hasOwnFont())
        m_native->setFontStyle(m_fontPoints, m_bold, m_underline);
}

void Label::measure()
{
    if (!m_native)
        return;
    TextExtent extent = m_native->measureText(m_text);
    setNaturalMinSize(extent.width, extent.height);
    setNaturalPreferredSize(extent.width, extent.height);
}

void Label::onNativeChange()
{
    if (m_clickable)
        notify(events::kLabelClicked);
}

// --- Button ---

Button::~Button() { leaveSkinner(); }

void Button::reset()
{
    leaveSkinner();
    m_normalFont = FontSetting();
    m_disabledFont = FontSetting();
    m_checkedFont = FontSetting();
    resetControl();
}

s::gui::drawer::Skinner* Button::windowSkinner() const
{
    for (const IComponent* at = parent(); at; at = at->parent()) {
        if (const auto* window = dynamic_cast<const Window*>(at))
            return window->skinner();
    }
    return nullptr;
}

void Button::onAttached()
{
    s::gui::drawer::Skinner* skinner = windowSkinner();
    if (skinner != m_skinner) {
        leaveSkinner();
        m_skinner = skinner;
        if (m_skinner)
            m_skinner->addListener(&m_skinFollower);
    }
    takeSkinDrawer();
    Control::onAttached();
}

void Button::takeSkinDrawer()
{
    s::gui::drawer::ISkin* skin = m_skinner ? m_skinner->currentSkin() : nullptr;
    m_drawer = skin ? skin->button() : nullptr;
    if (m_drawer) {
        m_drawer->applyTo(&m_normalFont, &m_disabledFont);
        m_drawer->applyCheckedTo(&m_checkedFont);
    }
    if (m_native)
        m_native->redraw();
}

void Button::leaveSkinner()
{
    if (m_skinner)
        m_skinner->removeListener(&m_skinFollower);
    m_skinner = nullptr;
    m_drawer = nullptr;
}

void Button::onNativeChange() { notify(events::kButtonClicked); }

void Button::measure()
{
    if (!m_native)
        return;
    TextExtent extent = m_native->measureText(m_text);
    setNaturalMinSize(extent.width + kButtonPadX, extent.height + kButtonPadY);
    setNaturalPreferredSize(extent.width + kButtonPadX, extent.height + kButtonPadY);
}

// --- CheckBox ---

void CheckBox::reset()
{
    m_checked = false;
    resetControl();
}

void CheckBox::setChecked(bool checked)
{
    m_checked = checked;
    pushState();
}

void CheckBox::onNativeChange()
{
    // The adapter's check box toggles itself (BS_AUTOCHECKBOX); read the result.
    if (m_native)
        m_checked = m_native->isChecked();
    notify(events::kCheckBoxClicked);
}

void CheckBox::measure()
{
    if (!m_native)
        return;
    TextExtent extent = m_native->measureText(m_text);
    int32_t w = kCheckSquare + kCheckGap + extent.width;
    int32_t h = std::max(extent.height, kCheckSquare) + 2;
    setNaturalMinSize(w, h);
    setNaturalPreferredSize(w, h);
}

void CheckBox::pushState()
{
    if (m_native)
        m_native->setChecked(m_checked);
}

// --- ComboBox ---

void ComboBox::reset()
{
    m_items.clear();
    m_selected = -1;
    resetControl();
}

void ComboBox::addItem(const s::gui::combobox::ComboBoxItem& item)
{
    m_items.push_back(item);
    if (item.textId != 0 && item.localizer)
        m_items.back().text = item.localizer->text(item.textId);
    pushState();
    measure();
}

void ComboBox::select(int32_t index, bool notifyListeners)
{
    if (itemCount() == 0)
        return;
    if (index < 0 || index >= itemCount())
        index = 0;
    if (index == m_selected)
        return;
    m_selected = index;
    if (m_native)
        m_native->selectItem(m_selected);
    if (notifyListeners)
        notify(events::kComboSelectionChanged);
}

void ComboBox::updateLanguage()
{
    for (auto& item : m_items) {
        if (item.textId != 0 && item.localizer)
            item.text = item.localizer->text(item.textId);
    }
    pushState();
    measure();
}

void ComboBox::onNativeChange()
{
    if (!m_native)
        return;
    int32_t chosen = m_native->selectedItem();
    if (chosen < 0 || chosen >= itemCount())
        return;
    m_selected = chosen;
    notify(events::kComboSelectionChanged);
}

void ComboBox::measure()
{
    if (!m_native)
        return;
    TextExtent widest = m_native->measureText(u"");
    for (const auto& item : m_items)
        widest.width = std::max(widest.width, m_native->measureText(item.text).width);
    setNaturalMinSize(widest.width + kComboArrow, widest.height + kButtonPadY);
    setNaturalPreferredSize(widest.width + kComboArrow, widest.height + kButtonPadY);
}

void ComboBox::pushState()
{
    if (!m_native)
        return;
    std::vector<std::u16string> texts;
    texts.reserve(m_items.size());
    for (const auto& item : m_items)
        texts.push_back(item.text);
    m_native->setItems(texts);
    m_native->selectItem(m_selected);
}

// --- Slider ---

void Slider::reset()
{
    m_minimum = 0;
    m_maximum = 100;
    m_value = 0;
    m_tickFrequency = 1;
    m_ticksShown = true;
    m_lineStep = 1;
    m_pageStep = 10;
    resetControl();
}

void Slider::setRange(int32_t minimum, int32_t maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    m_value = std::clamp(m_value, m_minimum, m_maximum);
    pushState();
}

void Slider::setValue(int32_t value)
{
    m_value = std::clamp(value, m_minimum, m_maximum);
    if (m_native)
        m_native->setValue(m_value);
}

void Slider::onNativeChange()
{
    if (m_native)
        m_value = std::clamp(m_native->value(), m_minimum, m_maximum);
    notify(events::kSliderMoved);
}

void Slider::measure()
{
    setNaturalMinSize(kSliderMinWidth, kSliderHeight);
    setNaturalPreferredSize(kSliderMinWidth, kSliderHeight);
}

void Slider::pushState()
{
    if (!m_native)
        return;
    m_native->setRange(m_minimum, m_maximum);
    m_native->setSliderSteps(m_tickFrequency, m_ticksShown, m_lineStep, m_pageStep);
    m_native->setValue(m_value);
}

// --- NumberField ---

void NumberField::reset() { resetControl(); }

void NumberField::onNativeChange()
{
    // Keep the typed text as it stands; the dialog decides what it means.
    if (m_native)
        m_text = m_native->text();
    notify(events::kNumberFieldChanged);
}

void NumberField::measure()
{
    if (!m_native)
        return;
    TextExtent extent = m_native->measureText(u"000");
    setNaturalMinSize(extent.width + kFieldPadY, extent.height + kFieldPadY);
    setNaturalPreferredSize(extent.width + kFieldPadY, extent.height + kFieldPadY);
}

// --- ProgressBar ---

void ProgressBar::reset()
{
    m_range = 100;
    m_position = 0;
    resetControl();
}

void ProgressBar::setRange(int32_t range)
{
    m_range = std::max(range, 0);
    m_position = std::min(m_position, m_range);
    pushState();
}

void ProgressBar::setProgress(int32_t position)
{
    m_position = std::clamp(position, 0, m_range);
    if (m_native)
        m_native->setValue(m_position);
}

void ProgressBar::measure()
{
    // A bar has no text to measure: without a size of its own it would
    // never be seen.
    setNaturalMinSize(kProgressWidth, kProgressHeight);
    setNaturalPreferredSize(kProgressWidth, kProgressHeight);
}

void ProgressBar::pushState()
{
    if (!m_native)
        return;
    m_native->setRange(0, m_range);
    m_native->setValue(m_position);
}

}  // namespace s::gui::win
