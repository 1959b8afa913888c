#include "gui/win/native/StatusGrip.h"

#include "gui/win/native/Drawers.h"
#include "gui/win/native/NativeView.h"

namespace s::gui::win::native {

namespace {

// SC_SIZE plus the edge starts the system's own sizing of that edge.
constexpr WPARAM kSizeFromBottomRight = SC_SIZE | WMSZ_BOTTOMRIGHT;

void paintGrip(HWND window)
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    drawers::fillArea(dc, 0, 0, client.right, client.bottom, NativeView::backgroundOf(GetParent(window)));
    drawers::paintResizeGrip(dc, client.right, client.bottom);
    EndPaint(window, &paint);
}

}  // namespace

HWND StatusGrip::create(HWND statusBar)
{
    HWND grip = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                                drawers::kGripSize, drawers::kGripSize, statusBar, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (grip)
        place(grip);
    return grip;
}

void StatusGrip::place(HWND grip)
{
    RECT bar{};
    GetClientRect(GetParent(grip), &bar);
    SetWindowPos(grip, HWND_TOP, bar.right - drawers::kGripSize, bar.bottom - drawers::kGripSize, drawers::kGripSize,
                 drawers::kGripSize, SWP_NOACTIVATE);
}

LRESULT CALLBACK StatusGrip::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paintGrip(window);
        return 0;
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_SIZENWSE));
        return TRUE;
    case WM_LBUTTONDOWN: {
        HWND topLevel = GetAncestor(window, GA_ROOT);
        if (topLevel && !IsZoomed(topLevel)) {
            ReleaseCapture();
            SendMessageW(topLevel, WM_SYSCOMMAND, kSizeFromBottomRight, 0);
        }
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace s::gui::win::native
