#include "gui/win/native/MenuBarView.h"

#include <windowsx.h>

#include <mutex>
#include <string>
#include <vector>

#include "gui/menuitem/MenuItem.h"
#include "gui/win/PopupMenu.h"
#include "gui/win/native/Drawers.h"
#include "gui/win/native/GuiFont.h"
#include "gui/win/native/Win32Text.h"

namespace s::gui::win::native {

using s::gui::menuitem::MenuItem;

namespace {

// No opening animation, and either button picks an item: the user may have
// opened the menu with one and choose with the other.
constexpr UINT kTrackFlags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_NOANIMATION;

void registerMenuBarClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &MenuBarView::procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = MenuBarView::kClassName;
        RegisterClassExW(&windowClass);
    });
}

void appendNativeItem(HMENU menu, const MenuItem& item)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    if (item.isSeparator()) {
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.fType = MFT_STRING | (item.isRadioSelected() ? MFT_RADIOCHECK : 0);
        info.fState = (item.isTicked() || item.isRadioSelected()) ? MFS_CHECKED : MFS_UNCHECKED;
        info.wID = static_cast<UINT>(item.command());
        info.dwTypeData = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(item.text().c_str()));
    }
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

// The native pop-up as the menu stands now; the caller destroys it.
HMENU buildNativeMenu(const PopupMenu& source)
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return nullptr;
    for (int32_t i = 0; i < source.itemCount(); ++i)
        appendNativeItem(menu, *source.itemAt(i));
    for (int32_t i = 0; i < source.submenuCount(); ++i) {
        const PopupMenu& nested = *source.submenuAt(i);
        if (HMENU submenu = buildNativeMenu(nested))
            AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu),
                        reinterpret_cast<const wchar_t*>(nested.text().c_str()));
    }
    return menu;
}

}  // namespace

bool MenuBarView::create(HWND parent)
{
    registerMenuBarClass();
    return createWindow(parent, kClassName, 0, 0, false);
}

// --- Pop-ups ---

void MenuBarView::showPopup(const PopupMenu& menu, int32_t x, int32_t y)
{
    if (!m_window)
        return;
    HMENU native = buildNativeMenu(menu);
    if (!native)
        return;
    HWND window = m_window;
    POINT corner{x, y};
    ClientToScreen(window, &corner);
    // The entry stays uncovered should the menu have to open elsewhere.
    TPMPARAMS params{};
    params.cbSize = sizeof(params);
    params.rcExclude = RECT{corner.x, corner.y - 1, corner.x + 1, corner.y};
    SetTimer(window, kPollTimer, MenuEx::kPollMs, nullptr);
    // Modal: the menu runs its own loop and returns once it has closed; the
    // command chosen in it arrives afterwards as WM_COMMAND.
    TrackPopupMenuEx(native, kTrackFlags, corner.x, corner.y, window, &params);
    DestroyMenu(native);
    // The window may have been destroyed meanwhile (the whole window closed).
    if (IsWindow(window))
        KillTimer(window, kPollTimer);
}

void MenuBarView::closePopup() { EndMenu(); }

void MenuBarView::pollMouse()
{
    POINT cursor{};
    if (!m_window || !GetCursorPos(&cursor))
        return;
    ScreenToClient(m_window, &cursor);
    m_bar.onPopupPoll(cursor.x, cursor.y);
}

// --- Painting ---

void MenuBarView::paintInto(HDC dc)
{
    RECT client{};
    GetClientRect(m_window, &client);
    const int32_t width = client.right;
    const int32_t height = client.bottom;
    if (width <= 0 || height <= 0)
        return;
    // Off screen first, so the highlight never flickers over the old picture.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    drawers::fillArea(memory, 0, 0, width, height, backgroundColour());
    std::vector<drawers::MenuBarEntry> entries;
    entries.reserve(static_cast<size_t>(m_bar.entryCount()));
    for (int32_t i = 0; i < m_bar.entryCount(); ++i) {
        const MenuEx::Rect rect = m_bar.entryRect(i);
        entries.push_back({m_bar.entryText(i), RECT{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height}});
    }
    const bool leftDown = (GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    m_drawer.paint(memory, entries, guiFont(), MenuEx::kEntryPaddingX, 0, m_bar.highlighted(), leftDown);
    BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void MenuBarView::paint()
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(m_window, &paint);
    paintInto(dc);
    EndPaint(m_window, &paint);
}

// --- Messages ---

LRESULT MenuBarView::forwardToTopLevel(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND topLevel = GetAncestor(m_window, GA_ROOT);
    if (!topLevel || topLevel == m_window)
        return DefWindowProcW(m_window, message, wParam, lParam);
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(m_window, topLevel, &point, 1);
    return SendMessageW(topLevel, message, wParam, MAKELPARAM(point.x, point.y));
}

LRESULT CALLBACK MenuBarView::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Only MenuBarView binds windows of this class.
    auto* view = static_cast<MenuBarView*>(fromHandle(window));
    if (!view) {
        if (message == kDestroySelf) {
            DestroyWindow(window);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers every pixel
    case WM_PAINT:
        view->paint();
        return 0;
    case WM_PRINTCLIENT:
        view->paintInto(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_NCHITTEST: {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &point);
        if (view->m_bar.isTransparentAt(point.x, point.y))
            return HTTRANSPARENT;
        return HTCLIENT;
    }
    case WM_LBUTTONDOWN:
        // Returns only when the pop-ups opened from this press have closed.
        view->m_bar.onLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        view->m_bar.onLeftButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
        return view->forwardToTopLevel(message, wParam, lParam);
    case WM_TIMER:
        if (wParam == kPollTimer) {
            view->pollMouse();
            return 0;
        }
        break;
    case WM_COMMAND:
        // From a pop-up of this bar: no control, and the item's command.
        if (lParam == 0 && HIWORD(wParam) == 0) {
            view->m_bar.chooseCommand(static_cast<int32_t>(LOWORD(wParam)));
            return 0;
        }
        break;
    case kDestroySelf:
        DestroyWindow(window);
        return 0;
    case WM_NCDESTROY:
        view->forgetHandle();
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace s::gui::win::native
