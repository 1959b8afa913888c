#include "gui/win/native/ControlViews.h"

#include <commctrl.h>

#include <algorithm>

#include "gui/drawer/GdiCanvas.h"
#include "gui/drawer/IButton.h"
#include "gui/win/Controls.h"
#include "gui/win/native/GuiFont.h"
#include "gui/win/native/Win32Text.h"

namespace s::gui::win::native {

namespace {

// Room for the dropped list of a combo box below its field.
constexpr int32_t kComboListHeight = 200;

}  // namespace

// --- LabelView ---

bool LabelView::create(HWND parent) { return createWindow(parent, L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0, true); }

LabelView::~LabelView()
{
    if (m_ownFont)
        DeleteObject(m_ownFont);
}

void LabelView::setFontStyle(int32_t points, bool bold, bool underline)
{
    LOGFONTW face{};
    GetObjectW(guiFont(), sizeof face, &face);
    if (points > 0) {
        HDC screen = GetDC(nullptr);
        face.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
    }
    face.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    face.lfUnderline = underline ? TRUE : FALSE;
    HFONT font = CreateFontIndirectW(&face);
    if (!font)
        return;  // the dialog font stays
    if (HWND window = handle())
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (m_ownFont)
        DeleteObject(m_ownFont);
    m_ownFont = font;
}

TextExtent LabelView::measureText(std::u16string_view text) const
{
    return measureWith(m_ownFont ? m_ownFont : guiFont(), text);
}

bool LabelView::isTransparentToMouse() const
{
    const auto* label = dynamic_cast<const Label*>(&m_owner);
    return !label || !label->isClickable();
}

void LabelView::onCommand(WORD code)
{
    if (code == STN_CLICKED)
        reportUserChange();
}

// --- ButtonView ---

bool ButtonView::create(HWND parent)
{
    const auto* button = dynamic_cast<const Button*>(&m_owner);
    const DWORD type = button && button->windowSkinner() ? BS_OWNERDRAW : BS_PUSHBUTTON;
    return createWindow(parent, L"BUTTON", type | WS_TABSTOP, 0, true);
}

bool ButtonView::onDrawItem(const DRAWITEMSTRUCT& item)
{
    const int32_t width = item.rcItem.right - item.rcItem.left;
    const int32_t height = item.rcItem.bottom - item.rcItem.top;
    if (width <= 0 || height <= 0)
        return false;
    // Painted off-screen and copied in one step: no flicker of the face.
    HDC memory = CreateCompatibleDC(item.hDC);
    HBITMAP bitmap = CreateCompatibleBitmap(item.hDC, width, height);
    if (!memory || !bitmap) {
        if (bitmap)
            DeleteObject(bitmap);
        if (memory)
            DeleteDC(memory);
        return false;
    }
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const int32_t state =
        (item.itemState & ODS_SELECTED) ? s::gui::drawer::IButton::kStatePressed : s::gui::drawer::IButton::kStateNormal;
    const bool painted = paintSkinned(memory, width, height, state);
    if (painted)
        BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return painted;
}

bool ButtonView::paintSkinned(HDC dc, int32_t width, int32_t height, int32_t state) const
{
    const auto* button = dynamic_cast<const Button*>(&m_owner);
    s::gui::drawer::IButton* drawer = button ? button->drawer() : nullptr;
    if (!drawer)
        return false;
    s::gui::drawer::GdiCanvas canvas(dc);
    // The face sits on what is behind the button.
    canvas.fillRect(0, 0, width, height, backgroundOf(GetParent(m_window)));
    const bool enabled = IsWindowEnabled(m_window) != FALSE;
    s::gui::win::FontSetting font = enabled ? button->normalFont() : button->disabledFont();
    font.setFont(guiFont());
    drawer->paint(canvas, 0, 0, width, height, state, button->text(), true, &font, enabled, false, false);
    return true;
}

void ButtonView::onCommand(WORD code)
{
    if (code == BN_CLICKED)
        reportUserChange();
}

// --- CheckBoxView ---

bool CheckBoxView::create(HWND parent)
{
    return createWindow(parent, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, true);
}

void CheckBoxView::onCommand(WORD code)
{
    if (code == BN_CLICKED)
        reportUserChange();
}

void CheckBoxView::setChecked(bool checked)
{
    if (m_window)
        SendMessageW(m_window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckBoxView::isChecked() const
{
    return m_window && SendMessageW(m_window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// --- ComboBoxView ---

bool ComboBoxView::create(HWND parent)
{
    return createWindow(parent, WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, true);
}

void ComboBoxView::onCommand(WORD code)
{
    if (code != CBN_SELCHANGE)
        return;
    const int32_t chosen = selectedItem();
    if (chosen == m_lastSelection)
        return;
    m_lastSelection = chosen;
    reportUserChange();
}

void ComboBoxView::resize(int32_t width, int32_t height)
{
    NativeView::resize(width, std::max(height, 0) + kComboListHeight);
}

void ComboBoxView::setBounds(int32_t x, int32_t y, int32_t width, int32_t height)
{
    NativeView::setBounds(x, y, width, std::max(height, 0) + kComboListHeight);
}

void ComboBoxView::setItems(const std::vector<std::u16string>& items)
{
    if (!m_window)
        return;
    SendMessageW(m_window, CB_RESETCONTENT, 0, 0);
    for (const std::u16string& item : items)
        SendMessageW(m_window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(item).c_str()));
    m_lastSelection = -1;
}

void ComboBoxView::selectItem(int32_t index)
{
    if (!m_window)
        return;
    SendMessageW(m_window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    m_lastSelection = selectedItem();
}

int32_t ComboBoxView::selectedItem() const
{
    if (!m_window)
        return -1;
    const LRESULT index = SendMessageW(m_window, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int32_t>(index);
}

// --- SliderView ---

bool SliderView::create(HWND parent, bool ticksShown)
{
    const DWORD ticks = ticksShown ? TBS_AUTOTICKS : TBS_NOTICKS;
    return createWindow(parent, TRACKBAR_CLASSW, TBS_HORZ | TBS_BOTTOM | ticks | WS_TABSTOP, 0, true);
}

void SliderView::onScroll(WORD)
{
    const int32_t position = value();
    if (position == m_lastPosition)
        return;
    m_lastPosition = position;
    reportUserChange();
}

void SliderView::setRange(int32_t minimum, int32_t maximum)
{
    if (!m_window)
        return;
    SendMessageW(m_window, TBM_SETRANGEMIN, FALSE, minimum);
    SendMessageW(m_window, TBM_SETRANGEMAX, TRUE, maximum);
    m_lastPosition = value();
}

void SliderView::setValue(int32_t position)
{
    if (!m_window)
        return;
    SendMessageW(m_window, TBM_SETPOS, TRUE, position);
    m_lastPosition = value();
}

int32_t SliderView::value() const
{
    return m_window ? static_cast<int32_t>(SendMessageW(m_window, TBM_GETPOS, 0, 0)) : 0;
}

void SliderView::setSliderSteps(int32_t tickFrequency, bool ticksShown, int32_t lineStep, int32_t pageStep)
{
    if (!m_window)
        return;
    LONG_PTR style = GetWindowLongPtrW(m_window, GWL_STYLE);
    style = ticksShown ? (style & ~TBS_NOTICKS) | TBS_AUTOTICKS : (style & ~TBS_AUTOTICKS) | TBS_NOTICKS;
    SetWindowLongPtrW(m_window, GWL_STYLE, style);
    if (ticksShown)
        SendMessageW(m_window, TBM_SETTICFREQ, static_cast<WPARAM>(std::max(tickFrequency, 1)), 0);
    SendMessageW(m_window, TBM_SETLINESIZE, 0, lineStep);
    SendMessageW(m_window, TBM_SETPAGESIZE, 0, pageStep);
    InvalidateRect(m_window, nullptr, TRUE);
}

// --- NumberFieldView ---

bool NumberFieldView::create(HWND parent)
{
    return createWindow(parent, L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, true);
}

void NumberFieldView::onCommand(WORD code)
{
    if (code == EN_CHANGE && !m_settingText)
        reportUserChange();
}

void NumberFieldView::setText(std::u16string_view text)
{
    m_settingText = true;
    NativeView::setText(text);
    m_settingText = false;
}

// --- ProgressBarView ---

bool ProgressBarView::create(HWND parent) { return createWindow(parent, PROGRESS_CLASSW, 0, 0, true); }

void ProgressBarView::setRange(int32_t minimum, int32_t maximum)
{
    if (m_window)
        SendMessageW(m_window, PBM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
}

void ProgressBarView::setValue(int32_t position)
{
    if (m_window)
        SendMessageW(m_window, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int32_t ProgressBarView::value() const
{
    return m_window ? static_cast<int32_t>(SendMessageW(m_window, PBM_GETPOS, 0, 0)) : 0;
}

}  // namespace s::gui::win::native
