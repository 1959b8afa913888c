#include "gui/win/native/ChildMessages.h"

#include "gui/win/native/NativeView.h"

namespace s::gui::win::native {

namespace {

bool handleColours(WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    NativeView* child = NativeView::fromHandle(reinterpret_cast<HWND>(lParam));
    if (!child)
        return false;
    HBRUSH brush = child->controlColours(reinterpret_cast<HDC>(wParam));
    if (!brush)
        return false;
    result = reinterpret_cast<LRESULT>(brush);
    return true;
}

}  // namespace

bool handleChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND:
        if (NativeView* child = NativeView::fromHandle(reinterpret_cast<HWND>(lParam))) {
            child->onCommand(HIWORD(wParam));
            result = 0;
            return true;
        }
        return false;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (NativeView* child = NativeView::fromHandle(reinterpret_cast<HWND>(lParam))) {
            child->onScroll(LOWORD(wParam));
            result = 0;
            return true;
        }
        return false;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        NativeView* child = item ? NativeView::fromHandle(item->hwndItem) : nullptr;
        if (!child || !child->onDrawItem(*item))
            return false;
        result = TRUE;
        return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        return handleColours(wParam, lParam, result);
    default:
        return false;
    }
}

}  // namespace s::gui::win::native
