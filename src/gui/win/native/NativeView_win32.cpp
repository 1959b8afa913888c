#include "gui/win/native/NativeView.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "gui/win/Control.h"
#include "gui/win/native/GuiFont.h"
#include "gui/win/native/ViewFactory.h"
#include "gui/win/native/Win32Text.h"

namespace s::gui::win::native {

namespace {

// A property rather than GWLP_USERDATA: a system control is free to use its
// user data, and a property tells our windows from every other one.
constexpr wchar_t kViewProperty[] = L"s_gui_win_native_View";
constexpr wchar_t kOriginalProcedureProperty[] = L"s_gui_win_native_Procedure";

constexpr UINT kPlacementFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

constexpr UINT kDestroyTimeoutMs = 5000;

}  // namespace

bool ownsWindow(HWND window) { return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId(); }

void askToDestroy(HWND window)
{
    // Synchronous, so the view is still there while its window goes; a hung
    // thread is given up on after the time-out, and the caller unbinds the view.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, kDestroySelf, 0, 0, SMTO_ABORTIFHUNG, kDestroyTimeoutMs, &ignored);
}

NativeView::~NativeView()
{
    if (m_brush)
        DeleteObject(m_brush);
}

NativeView* NativeView::fromHandle(HWND window)
{
    if (!window)
        return nullptr;
    return static_cast<NativeView*>(GetPropW(window, kViewProperty));
}

COLORREF NativeView::backgroundOf(HWND window)
{
    if (NativeView* view = fromHandle(window))
        return view->backgroundColour();
    return GetSysColor(COLOR_BTNFACE);
}

bool NativeView::createWindow(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle, bool systemClass)
{
    // Ids only need to be non-zero; several user-interface threads may make controls at once.
    static std::atomic<int> nextId{100};
    HWND window = CreateWindowExW(exStyle, className, L"", style | WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++)), GetModuleHandleW(nullptr),
                                  this);
    if (!window)
        return false;
    if (systemClass) {
        SetPropW(window, kOriginalProcedureProperty,
                 reinterpret_cast<HANDLE>(GetWindowLongPtrW(window, GWLP_WNDPROC)));
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&controlProcedure));
    }
    bind(window);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont()), FALSE);
    return true;
}

void NativeView::bind(HWND window)
{
    m_window = window;
    SetPropW(window, kViewProperty, this);
}

void NativeView::forgetHandle()
{
    if (!m_window)
        return;
    RemovePropW(m_window, kViewProperty);
    m_window = nullptr;
}

LRESULT CALLBACK NativeView::controlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto original = reinterpret_cast<WNDPROC>(GetPropW(window, kOriginalProcedureProperty));
    if (!original)
        return DefWindowProcW(window, message, wParam, lParam);
    NativeView* view = fromHandle(window);
    switch (message) {
    case WM_PAINT: {
        const LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
        if (view && view->hasBorder()) {
            HDC dc = GetDC(window);
            view->paintBorder(dc);
            ReleaseDC(window, dc);
        }
        return result;
    }
    case WM_NCHITTEST:
        if (view && view->isTransparentToMouse())
            return HTTRANSPARENT;
        return CallWindowProcW(original, window, message, wParam, lParam);
    case kDestroySelf:
        DestroyWindow(window);
        return 0;
    case WM_NCDESTROY:
        if (view)
            view->forgetHandle();
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(window, kOriginalProcedureProperty);
        return CallWindowProcW(original, window, message, wParam, lParam);
    default:
        return CallWindowProcW(original, window, message, wParam, lParam);
    }
}

INativeView* NativeView::createChild(IComponent& owner, NativeKind kind)
{
    if (!m_window)
        return nullptr;
    return makeChildView(owner, kind, m_window);
}

void NativeView::destroy()
{
    if (HWND window = m_window) {
        if (ownsWindow(window))
            DestroyWindow(window);
        else
            askToDestroy(window);
        forgetHandle();  // still bound only if the window outlived the request
    }
    delete this;
}

// A layout pass places every child again; most have not moved, and each
// SetWindowPos costs a round of messages (far more under Wine), so a child
// already where it is asked to be is left alone. Only this view places its
// window, so the remembered rectangle is the window's.
void NativeView::move(int32_t x, int32_t y)
{
    if (!m_window || (m_placed.x == x && m_placed.y == y))
        return;
    SetWindowPos(m_window, nullptr, x, y, 0, 0, kPlacementFlags | SWP_NOSIZE);
    m_placed.x = x;
    m_placed.y = y;
}

void NativeView::resize(int32_t width, int32_t height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (!m_window || (m_placed.width == width && m_placed.height == height))
        return;
    SetWindowPos(m_window, nullptr, 0, 0, width, height, kPlacementFlags | SWP_NOMOVE);
    m_placed.width = width;
    m_placed.height = height;
}

void NativeView::setBounds(int32_t x, int32_t y, int32_t width, int32_t height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (!m_window || (m_placed.x == x && m_placed.y == y && m_placed.width == width && m_placed.height == height))
        return;
    SetWindowPos(m_window, nullptr, x, y, width, height, kPlacementFlags);
    m_placed = Placed{x, y, width, height};
}

void NativeView::show(bool visible)
{
    if (m_window)
        ShowWindow(m_window, visible ? SW_SHOWNA : SW_HIDE);
}

bool NativeView::isEnabled() const { return m_window && IsWindowEnabled(m_window); }

void NativeView::setEnabled(bool enabled)
{
    if (m_window)
        EnableWindow(m_window, enabled ? TRUE : FALSE);
}

void NativeView::redrawArea(int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (!m_window)
        return;
    const RECT area{x, y, x + std::max(width, 0), y + std::max(height, 0)};
    RedrawWindow(m_window, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void NativeView::redraw()
{
    if (m_window)
        RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void NativeView::setText(std::u16string_view text)
{
    if (m_window)
        SetWindowTextW(m_window, toWide(text).c_str());
}

TextExtent NativeView::measureText(std::u16string_view text) const { return measureWith(guiFont(), text); }

std::u16string NativeView::text() const
{
    if (!m_window)
        return {};
    // The length may change between the two calls; the buffer has room for
    // what was announced and the copy stops at its end.
    const int length = GetWindowTextLengthW(m_window);
    if (length <= 0)
        return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(m_window, buffer.data(), length + 1);
    return fromWide(buffer.data(), static_cast<size_t>(std::clamp(copied, 0, length)));
}

void NativeView::setColours(uint32_t text, uint32_t background, uint32_t border)
{
    m_textColour = text;
    m_backgroundColour = background;
    m_borderColour = border;
    if (m_window)
        InvalidateRect(m_window, nullptr, TRUE);
}

COLORREF NativeView::backgroundColour() const
{
    if (!isDefaultColour(m_backgroundColour))
        return toColorRef(m_backgroundColour);
    if (takesParentBackground() && m_window)
        return backgroundOf(GetParent(m_window));
    return GetSysColor(COLOR_BTNFACE);
}

COLORREF NativeView::defaultControlBackground() const { return GetSysColor(COLOR_WINDOW); }

HBRUSH NativeView::controlColours(HDC dc)
{
    const bool customText = !isDefaultColour(m_textColour);
    const bool customBackground = !isDefaultColour(m_backgroundColour);
    if (!customText && !customBackground && !takesParentBackground())
        return nullptr;
    if (customText)
        SetTextColor(dc, toColorRef(m_textColour));
    COLORREF background = defaultControlBackground();
    if (customBackground || takesParentBackground())
        background = backgroundColour();
    SetBkColor(dc, background);
    return brushFor(background);
}

HBRUSH NativeView::brushFor(COLORREF colour)
{
    if (m_brush && m_brushColour == colour)
        return m_brush;
    if (m_brush)
        DeleteObject(m_brush);
    m_brush = CreateSolidBrush(colour);
    m_brushColour = colour;
    return m_brush;
}

bool NativeView::hasBorder() const { return !isDefaultColour(m_borderColour); }

void NativeView::paintBorder(HDC dc) const
{
    RECT client{};
    if (!m_window || !GetClientRect(m_window, &client))
        return;
    HBRUSH brush = CreateSolidBrush(toColorRef(m_borderColour));
    FrameRect(dc, &client, brush);
    DeleteObject(brush);
}

void NativeView::reportUserChange()
{
    // The listener may release the control and with it this view: nothing
    // of this object is touched after the call.
    if (auto* control = dynamic_cast<Control*>(&m_owner))
        control->onNativeChange();
}

}  // namespace s::gui::win::native
