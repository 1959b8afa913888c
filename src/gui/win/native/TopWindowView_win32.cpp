#include "gui/win/native/TopWindowView.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "gui/drawer/GdiCanvas.h"
#include "gui/drawer/IWindow.h"
#include "gui/drawer/Region.h"
#include "gui/events/EventTypes.h"
#include "gui/win/Window.h"
#include "gui/win/native/ChildMessages.h"
#include "gui/win/native/GuiFont.h"
#include "gui/win/native/NativeView.h"
#include "gui/win/native/ViewFactory.h"
#include "gui/win/native/Win32Text.h"

namespace s::gui::win::native {

namespace {

constexpr UINT kPlacementFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
constexpr wchar_t kEasyDragProperty[] = L"s_gui_win_native_EasyDrag";

bool rightButtonDown() { return (GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0; }

// Messages that only tell the listeners of one type, then go on to the
// default processing.
struct PlainEvent {
    UINT message;
    int32_t type;
};
constexpr PlainEvent kPlainEvents[] = {
    {WM_RBUTTONDOWN, events::kWindowRightButtonDown},
    {WM_RBUTTONUP, events::kWindowRightButtonUp},
    {WM_LBUTTONDOWN, events::kWindowLeftButtonDown},
    {WM_LBUTTONUP, events::kWindowLeftButtonUp},
    {WM_LBUTTONDBLCLK, events::kWindowDoubleClick},
    {WM_MOUSEMOVE, events::kWindowMouseMove},
    {WM_NCMOUSEMOVE, events::kWindowMouseMove},
    {WM_MOUSEWHEEL, events::kWindowWheel},
    {WM_KEYDOWN, events::kWindowKeyDown},
    {WM_CAPTURECHANGED, events::kWindowCaptureLost},
    {WM_MOVING, events::kWindowMoving},
    {WM_HOTKEY, events::kWindowHotKey},
    {WM_TIMER, events::kWindowTimer},
    {WM_CLIPBOARDUPDATE, events::kWindowClipboardChanged},
    {TopWindowView::kPrivateMessage, events::kWindowPrivate},
};

int32_t plainEventType(UINT message)
{
    for (const PlainEvent& event : kPlainEvents) {
        if (event.message == message)
            return event.type;
    }
    return -1;
}

DWORD styleFor(const s::gui::WindowOptions& options)
{
    // The thin frame is drawn by the skin in the non-client area the window
    // computes itself; the system menu keeps the task bar's close command.
    if (options.thinFrame)
        return WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN | (options.minimizeButton ? WS_MINIMIZEBOX : 0);
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (options.minimizeButton)
        style |= WS_MINIMIZEBOX;
    if (options.sizingBorder)
        style |= WS_THICKFRAME;
    if (options.maximizeButton)
        style |= WS_MAXIMIZEBOX;
    return style;
}

// The options' place, or centred on the work area of the primary monitor.
POINT placeFor(const s::gui::WindowOptions& options)
{
    if (!options.centre)
        return POINT{options.x, options.y};
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return POINT{work.left + (work.right - work.left - options.width) / 2,
                 work.top + (work.bottom - work.top - options.height) / 2};
}

Window::SizeState sizeStateOf(WPARAM kind)
{
    if (kind == SIZE_MINIMIZED)
        return Window::SizeState::kMinimized;
    if (kind == SIZE_MAXIMIZED)
        return Window::SizeState::kMaximized;
    return Window::SizeState::kRestored;
}

}  // namespace

bool TopWindowView::create(const s::gui::WindowOptions& options)
{
    registerWindowClasses();
    m_thinFrame = options.thinFrame;
    const POINT place = placeFor(options);
    const DWORD exStyle = options.topmost ? WS_EX_TOPMOST : 0;
    HWND window = CreateWindowExW(exStyle, kClassName, toWide(options.title).c_str(), styleFor(options), place.x,
                                  place.y, std::max(options.width, 0), std::max(options.height, 0), nullptr, nullptr,
                                  GetModuleHandleW(nullptr), this);
    if (!window)
        return false;
    m_smallIcon = static_cast<HICON>(options.smallIcon);
    if (options.smallIcon)
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(options.smallIcon));
    if (options.largeIcon)
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(options.largeIcon));
    m_showMaximized = options.maximized;
    if (m_thinFrame) {
        // The frame's room is computed anew now that the view knows it.
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    // Whatever the system made of the place asked for (centred, or moved by
    // the system), the portable window records where it really is.
    reportPosition();
    return true;
}

LRESULT CALLBACK TopWindowView::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* view = static_cast<TopWindowView*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        view->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    }
    auto* view = reinterpret_cast<TopWindowView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!view) {
        if (message == kDestroySelf) {
            DestroyWindow(window);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return view->handleMessage(message, wParam, lParam);
}

LRESULT TopWindowView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND window = m_window;
    LRESULT result = 0;
    if (handleChildMessage(message, wParam, lParam, result))
        return result;
    if (m_messageHook && m_messageHook(message, wParam, lParam, result))
        return result;

    switch (message) {
    case WM_CLOSE:
        if (m_owner.onCloseRequested())
            DestroyWindow(window);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // A log-off alone ends this user's programs another way.
        if (wParam && !(lParam & ENDSESSION_LOGOFF))
            endSession();
        return 0;
    case kNotificationIconMessage:
        onNotificationIcon(lParam);
        return 0;
    case WM_SIZE:
        reportSize(wParam);
        return 0;
    case WM_MOVE:
        reportPosition();
        return 0;
    case WM_SIZING:
        return keepSizingAtMinimum(wParam, *reinterpret_cast<RECT*>(lParam));
    case WM_GETMINMAXINFO:
        applyMinimumSize(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_MBUTTONDOWN:
        m_owner.onMiddleButtonDown();
        return 0;
    case WM_NCHITTEST:
        return hitTest(wParam, lParam);
    case WM_NCMBUTTONDOWN:
        // The title bar and the frame are the window too.
        m_owner.onMiddleButtonDown();
        return 0;
    case WM_NCCALCSIZE:
        if (!m_thinFrame)
            break;
        insetForThinFrame(wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                 : *reinterpret_cast<RECT*>(lParam));
        return 0;
    case WM_NCPAINT:
        if (!m_thinFrame)
            break;
        repaintFrame();
        return 0;
    case WM_NCACTIVATE:
        if (!m_thinFrame)
            break;
        // The system would draw its own caption look over the skin's frame.
        repaintFrame();
        return TRUE;
    case WM_NCRBUTTONDOWN:
        if (isBodyPress(wParam, lParam))
            m_owner.raise(events::kWindowRightButtonDown);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            m_owner.onDeactivated(GetTickCount());
        else
            m_owner.onActivated();
        break;
    case kUserEventMessage:
        if (const auto* event = reinterpret_cast<const UserEvent*>(wParam))
            m_owner.onUserEvent(event->name, event->first, event->second, event->text);
        return 0;
    case kWakeMessage:
        wake();
        return 0;
    case kRunTaskMessage:
        if (const auto* task = reinterpret_cast<const std::function<void()>*>(wParam))
            (*task)();
        return 0;
    case kDestroySelf:
        DestroyWindow(window);
        return 0;
    case WM_NCDESTROY: {
        const bool quit = m_quitOnDestroy;
        forgetHandle();
        if (quit)
            PostQuitMessage(0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    default: {
        const int32_t type = plainEventType(message);
        if (type >= 0)
            m_owner.raise(type);
        break;
    }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TopWindowView::reportSize(WPARAM kind)
{
    // Shown again after a maximized window hid it: no size of our own changed.
    if (kind == SIZE_MAXHIDE || kind == SIZE_MAXSHOW)
        return;
    if (m_thinFrame)
        applySkinRegion();
    RECT outer{};
    GetWindowRect(m_window, &outer);
    m_owner.onNativeSize(outer.right - outer.left, outer.bottom - outer.top, sizeStateOf(kind));
}

void TopWindowView::reportPosition()
{
    // WM_MOVE carries the client area's corner; the record is the frame's.
    RECT outer{};
    if (m_window && GetWindowRect(m_window, &outer))
        m_owner.onNativeMove(outer.left, outer.top);
}

LRESULT TopWindowView::keepSizingAtMinimum(WPARAM edge, RECT& rect)
{
    if (edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT)
        return FALSE;
    Window::Rect dragged{rect.left, rect.top, rect.right, rect.bottom};
    m_owner.onSizing(static_cast<Window::SizingEdge>(edge), dragged);
    rect = RECT{dragged.left, dragged.top, dragged.right, dragged.bottom};
    return TRUE;
}

void TopWindowView::applyMinimumSize(MINMAXINFO& limits) const
{
    const int32_t width = m_owner.minWidth();
    const int32_t height = m_owner.minHeight();
    if (width > 0)
        limits.ptMinTrackSize.x = std::max<LONG>(limits.ptMinTrackSize.x, width);
    if (height > 0)
        limits.ptMinTrackSize.y = std::max<LONG>(limits.ptMinTrackSize.y, height);
}

void TopWindowView::wake()
{
    m_owner.onWake();
    if (m_wakeHandler)
        m_wakeHandler();
}

void TopWindowView::onNotificationIcon(LPARAM mouseMessage)
{
    Window::IconMouse mouse = Window::IconMouse::kOther;
    if (mouseMessage == WM_LBUTTONDOWN)
        mouse = Window::IconMouse::kLeftClick;
    else if (mouseMessage == WM_RBUTTONUP)
        mouse = Window::IconMouse::kRightClick;
    m_owner.onNotificationIcon(mouse, GetTickCount());
}

void TopWindowView::endSession()
{
    if (m_owner.isClosed())
        return;
    // The window's close listeners run and the settings are saved before
    // the window goes; the system may end the process right after.
    if (m_owner.onEndSession() && m_window)
        DestroyWindow(m_window);
}

LRESULT TopWindowView::hitTest(WPARAM wParam, LPARAM lParam)
{
    const LRESULT hit = DefWindowProcW(m_window, WM_NCHITTEST, wParam, lParam);
    // With easy drag the body drags the window, except while the right
    // button is down: a right click must still reach the window as one.
    if (hit == HTCLIENT && hasEasyDrag(m_window) && !rightButtonDown())
        return HTCAPTION;
    return hit;
}

bool TopWindowView::isBodyPress(WPARAM hit, LPARAM screenPoint) const
{
    if (hit != HTCAPTION || !hasEasyDrag(m_window))
        return false;
    POINT point{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    RECT client{};
    GetClientRect(m_window, &client);
    ScreenToClient(m_window, &point);
    return PtInRect(&client, point) != FALSE;
}

void TopWindowView::insetForThinFrame(RECT& proposed) const
{
    proposed.left += kThinFrameWidth;
    proposed.top += kThinFrameWidth;
    proposed.right = std::max(proposed.left, proposed.right - kThinFrameWidth);
    proposed.bottom = std::max(proposed.top, proposed.bottom - kThinFrameWidth);
}

void TopWindowView::paintFrame(HDC dc, int32_t width, int32_t height) const
{
    s::gui::drawer::GdiCanvas canvas(dc);
    if (s::gui::drawer::IWindow* drawer = m_owner.windowDrawer())
        drawer->paint(canvas, 0, 0, width, height);
    else
        canvas.fillRect(0, 0, width, height, GetSysColor(COLOR_BTNFACE));
}

void TopWindowView::repaintFrame()
{
    RECT outer{};
    if (!m_window || !GetWindowRect(m_window, &outer))
        return;
    const int32_t width = outer.right - outer.left;
    const int32_t height = outer.bottom - outer.top;
    if (width <= 0 || height <= 0)
        return;
    HDC target = GetWindowDC(m_window);
    if (!target)
        return;
    // Painted off-screen and copied in one step, the client area left out.
    HDC memory = CreateCompatibleDC(target);
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(target, width, height) : nullptr;
    if (bitmap) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        paintFrame(memory, width, height);
        ExcludeClipRect(target, kThinFrameWidth, kThinFrameWidth, width - kThinFrameWidth, height - kThinFrameWidth);
        BitBlt(target, 0, 0, width, height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    if (memory)
        DeleteDC(memory);
    ReleaseDC(m_window, target);
}

void TopWindowView::applySkinRegion()
{
    s::gui::drawer::IWindow* drawer = m_owner.windowDrawer();
    RECT outer{};
    if (!drawer || !GetWindowRect(m_window, &outer))
        return;
    const int32_t right = outer.right - outer.left - 1;
    const int32_t bottom = outer.bottom - outer.top - 1;
    if (right < 0 || bottom < 0)
        return;
    // The system owns the region from now on.
    if (HRGN shape = static_cast<HRGN>(s::gui::drawer::createNativeRegion(drawer->region(0, 0, right, bottom))))
        SetWindowRgn(m_window, shape, TRUE);
}

bool TopWindowView::hasEasyDrag(HWND window) { return window && GetPropW(window, kEasyDragProperty) != nullptr; }

void TopWindowView::setEasyDrag(bool easyDrag)
{
    if (!m_window)
        return;
    if (easyDrag)
        SetPropW(m_window, kEasyDragProperty, reinterpret_cast<HANDLE>(1));
    else
        RemovePropW(m_window, kEasyDragProperty);
}

void TopWindowView::setTopmost(bool topmost, bool visible)
{
    if (!m_window)
        return;
    const UINT show = visible ? SWP_SHOWWINDOW : SWP_NOACTIVATE;
    SetWindowPos(m_window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | show);
}

void TopWindowView::showWindow(bool activate)
{
    if (!m_window)
        return;
    const int command = m_showMaximized ? SW_SHOWMAXIMIZED : activate ? SW_SHOW : SW_SHOWNA;
    ShowWindow(m_window, command);
    m_showMaximized = false;
    RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TopWindowView::bringToForeground()
{
    if (m_window)
        SetForegroundWindow(m_window);
}

void TopWindowView::setRedraw(bool on)
{
    if (m_window)
        SendMessageW(m_window, WM_SETREDRAW, on ? TRUE : FALSE, 0);
}

void TopWindowView::minimize()
{
    if (m_window)
        ShowWindow(m_window, SW_MINIMIZE);
}

void TopWindowView::maximize()
{
    if (m_window)
        ShowWindow(m_window, SW_MAXIMIZE);
}

void TopWindowView::restoreFromMinOrMax()
{
    if (m_window && (IsIconic(m_window) || IsZoomed(m_window)))
        ShowWindow(m_window, SW_RESTORE);
}

bool TopWindowView::isMaximized() const { return m_window && IsZoomed(m_window); }

bool TopWindowView::notifyIcon(DWORD action, std::u16string_view tip)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = m_window;
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kNotificationIconMessage;
    data.hIcon = m_smallIcon;
    // The tip holds 127 characters and its terminator; a longer title is cut.
    const std::wstring text = toWide(tip.substr(0, std::size(data.szTip) - 1));
    wcsncpy(data.szTip, text.c_str(), std::size(data.szTip) - 1);
    return Shell_NotifyIconW(action, &data) != FALSE;
}

bool TopWindowView::addNotificationIcon(std::u16string_view tip)
{
    if (!m_window)
        return false;
    if (!m_iconAdded)
        m_iconAdded = notifyIcon(NIM_ADD, tip);
    return m_iconAdded;
}

void TopWindowView::updateNotificationTip(std::u16string_view tip)
{
    if (m_window && m_iconAdded)
        notifyIcon(NIM_MODIFY, tip);
}

void TopWindowView::removeNotificationIcon()
{
    if (m_window && m_iconAdded)
        notifyIcon(NIM_DELETE, {});
    m_iconAdded = false;
}

void TopWindowView::forgetHandle()
{
    if (!m_window)
        return;
    removeNotificationIcon();
    RemovePropW(m_window, kEasyDragProperty);
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    m_owner.onNativeDestroyed();
    m_window = nullptr;
}

INativeView* TopWindowView::createChild(IComponent& owner, NativeKind kind)
{
    return m_window ? makeChildView(owner, kind, m_window) : nullptr;
}

void TopWindowView::destroy()
{
    if (HWND window = m_window) {
        if (ownsWindow(window))
            DestroyWindow(window);
        else
            askToDestroy(window);
        forgetHandle();
    }
    delete this;
}

void TopWindowView::move(int32_t x, int32_t y)
{
    if (m_window)
        SetWindowPos(m_window, nullptr, x, y, 0, 0, kPlacementFlags | SWP_NOSIZE);
}

void TopWindowView::resize(int32_t width, int32_t height)
{
    if (m_window)
        SetWindowPos(m_window, nullptr, 0, 0, std::max(width, 0), std::max(height, 0), kPlacementFlags | SWP_NOMOVE);
}

void TopWindowView::setBounds(int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (m_window)
        SetWindowPos(m_window, nullptr, x, y, std::max(width, 0), std::max(height, 0), kPlacementFlags);
}

void TopWindowView::show(bool visible)
{
    if (!m_window)
        return;
    if (!visible) {
        ShowWindow(m_window, SW_HIDE);
        return;
    }
    ShowWindow(m_window, m_showMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    m_showMaximized = false;
    UpdateWindow(m_window);
}

bool TopWindowView::isEnabled() const { return m_window && IsWindowEnabled(m_window); }

void TopWindowView::setEnabled(bool enabled)
{
    if (m_window)
        EnableWindow(m_window, enabled ? TRUE : FALSE);
}

void TopWindowView::redrawArea(int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (!m_window)
        return;
    const RECT area{x, y, x + std::max(width, 0), y + std::max(height, 0)};
    RedrawWindow(m_window, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TopWindowView::redraw()
{
    if (m_window)
        RedrawWindow(m_window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
}

void TopWindowView::setText(std::u16string_view text)
{
    if (m_window)
        SetWindowTextW(m_window, toWide(text).c_str());
}

TextExtent TopWindowView::measureText(std::u16string_view text) const { return measureWith(guiFont(), text); }

SIZE TopWindowView::frameSize() const
{
    // A minimized window's rectangle is its task-bar stand-in with no client
    // area (still so while it is being restored): the frame it had when it
    // last had a client area is still the frame.
    RECT outer{};
    RECT client{};
    if (!m_window)
        return SIZE{0, 0};
    if (IsIconic(m_window) || !GetWindowRect(m_window, &outer) || !GetClientRect(m_window, &client))
        return m_lastFrame;
    if ((client.right <= 0 || client.bottom <= 0) && (m_lastFrame.cx > 0 || m_lastFrame.cy > 0))
        return m_lastFrame;
    m_lastFrame = SIZE{(outer.right - outer.left) - (client.right - client.left),
                       (outer.bottom - outer.top) - (client.bottom - client.top)};
    return m_lastFrame;
}

int32_t TopWindowView::frameWidth() const { return frameSize().cx; }

int32_t TopWindowView::frameHeight() const { return frameSize().cy; }

bool TopWindowView::isMinimized() const { return m_window && IsIconic(m_window); }

void TopWindowView::requestClose()
{
    if (m_window)
        PostMessageW(m_window, WM_CLOSE, 0, 0);
}

void TopWindowView::sendUserEvent(std::u16string_view name, int32_t first, int32_t second, std::u16string_view text)
{
    HWND window = m_window;
    if (!window)
        return;
    const UserEvent event{name, first, second, text};
    SendMessageW(window, kUserEventMessage, reinterpret_cast<WPARAM>(&event), 0);
}

}  // namespace s::gui::win::native
