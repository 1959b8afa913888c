#include "gui/win/native/ContainerView.h"

#include "gui/win/Picture.h"
#include "image/win/BufferedImage.h"

#include <shellapi.h>
#include <windowsx.h>

#include "gui/win/Box.h"
#include "gui/win/GroupBox.h"
#include "gui/win/native/ChildMessages.h"
#include "gui/win/native/DroppedFiles.h"
#include "gui/win/native/Drawers.h"
#include "gui/win/native/GuiFont.h"
#include "gui/win/native/StatusGrip.h"
#include "gui/win/native/TopWindowView.h"
#include "gui/win/native/Win32Text.h"

namespace s::gui::win::native {

namespace {

constexpr wchar_t kClassName[] = L"s_gui_win_native_Container";

// A press the box does not take belongs to the top-level window's body.
LRESULT forwardToTopLevel(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND topLevel = GetAncestor(window, GA_ROOT);
    if (!topLevel || topLevel == window)
        return DefWindowProcW(window, message, wParam, lParam);
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(window, topLevel, &point, 1);
    return SendMessageW(topLevel, message, wParam, MAKELPARAM(point.x, point.y));
}

bool isForwardedPress(UINT message)
{
    switch (message) {
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool ContainerView::create(HWND parent)
{
    DWORD exStyle = 0;
    if (m_kind == NativeKind::kBox || m_kind == NativeKind::kGroupBox)
        exStyle |= WS_EX_ACCEPTFILES;
    if (!createWindow(parent, kClassName, WS_CLIPCHILDREN, exStyle, false))
        return false;
    if (m_kind == NativeKind::kStatusBar)
        m_grip = StatusGrip::create(m_window);
    return true;
}

INativeView* ContainerView::createChild(IComponent& owner, NativeKind kind)
{
    INativeView* child = NativeView::createChild(owner, kind);
    if (m_grip)
        StatusGrip::place(m_grip);  // the sections must not cover it
    return child;
}

void ContainerView::setText(std::u16string_view text)
{
    NativeView::setText(text);
    if (m_window && m_kind == NativeKind::kGroupBox)
        InvalidateRect(m_window, nullptr, TRUE);
}

void ContainerView::setColours(uint32_t text, uint32_t background, uint32_t border)
{
    if (!isDefaultColour(border))
        setBorder(Border::kPlain, toColorRef(border));
    NativeView::setColours(text, background, kDefaultColour);
}

void ContainerView::setBorder(Border border, COLORREF colour)
{
    m_border = border;
    m_borderColourRef = colour;
    if (m_window)
        InvalidateRect(m_window, nullptr, TRUE);
}

COLORREF ContainerView::backgroundColour() const
{
    if (!isDefaultColour(m_backgroundColour))
        return toColorRef(m_backgroundColour);
    if (const auto* box = dynamic_cast<const Box*>(&m_owner)) {
        // A box without a colour of its own takes the nearest one set on a
        // box around it, so a page inside a white panel is white too.
        for (const IComponent* at = box; at; at = at->parent()) {
            const auto* around = dynamic_cast<const Box*>(at);
            if (around && around->backgroundColour() != Box::kSystemFaceColour)
                return toColorRef(around->backgroundColour());
        }
        return GetSysColor(COLOR_BTNFACE);
    }
    if (m_kind == NativeKind::kStatusBar || !m_window)
        return GetSysColor(COLOR_BTNFACE);
    // Group boxes, pictures and placeholders sit on their parent's colour.
    return backgroundOf(GetParent(m_window));
}

void ContainerView::paintBackground(HDC dc)
{
    RECT client{};
    GetClientRect(m_window, &client);
    drawers::fillArea(dc, 0, 0, client.right, client.bottom, backgroundColour());
    if (m_kind == NativeKind::kStatusBar)
        drawers::paintStatusBarBackground(dc, client.right, client.bottom);
}

void ContainerView::paint()
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(m_window, &paint);
    paintDecoration(dc);
    EndPaint(m_window, &paint);
}

void ContainerView::paintDecoration(HDC dc)
{
    RECT client{};
    GetClientRect(m_window, &client);
    if (const auto* picture = dynamic_cast<const Picture*>(&m_owner)) {
        paintPicture(dc, *picture, client);
        return;
    }
    if (const auto* groupBox = dynamic_cast<const GroupBox*>(&m_owner)) {
        drawers::paintGroupBox(dc, client, groupBox->title(), guiFont(), groupBox->titleWidth(),
                               groupBox->titleHeight(), toColorRef(groupBox->frameColour()), drawers::kGroupBoxTitle);
        return;
    }
    Border border = m_border;
    COLORREF borderColour = m_borderColourRef;
    // A box's own border setting, unless the view was given one directly.
    if (const auto* box = dynamic_cast<const Box*>(&m_owner); box && border == Border::kNone) {
        if (box->borderStyle() == Box::BorderStyle::kPlain)
            border = Border::kPlain;
        else if (box->borderStyle() == Box::BorderStyle::kUnderWindowMenu)
            border = Border::kUnderWindowMenu;
        borderColour = toColorRef(box->borderColour());
    }
    switch (border) {
    case Border::kPlain:
        drawers::paintPlainBorder(dc, client.right, client.bottom, borderColour);
        break;
    case Border::kUnderWindowMenu:
        drawers::paintUnderWindowMenu(dc, client.right);
        break;
    case Border::kNone:
        break;
    }
}

void ContainerView::paintPicture(HDC dc, const Picture& picture, const RECT& client)
{
    if (client.right <= 0 || client.bottom <= 0)
        return;
    if (picture.icon()) {
        DrawIconEx(dc, 0, 0, static_cast<HICON>(picture.icon()), client.right, client.bottom, 0, nullptr, DI_NORMAL);
        return;
    }
    const s::image::win::BufferedImage* image = picture.image();
    if (!image || image->width() <= 0 || image->height() <= 0 || !image->pixels())
        return;
    // The pixels are 0xAARRGGBB in rows of capacityWidth: a top-down 32-bit DIB.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image->capacityWidth();
    info.bmiHeader.biHeight = -image->height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int previousMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, image->width(), image->height(), image->pixels(),
                  &info, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, previousMode);
}

void ContainerView::deliverDrop(const std::vector<std::u16string>& paths)
{
    Box* target = dynamic_cast<Box*>(&m_owner);
    if (!target) {
        if (auto* groupBox = dynamic_cast<GroupBox*>(&m_owner))
            target = groupBox->contentBox();
    }
    if (target)
        target->onFilesDropped(paths);
}

bool ContainerView::onLeftButtonDown()
{
    auto* box = dynamic_cast<Box*>(&m_owner);
    return box && box->onLeftButtonDown();
}

bool ContainerView::onWheel(int32_t delta)
{
    auto* box = dynamic_cast<Box*>(&m_owner);
    if (!box)
        return false;
    UINT linesPerNotch = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &linesPerNotch, 0);
    const int32_t lines = static_cast<int32_t>(linesPerNotch) * (delta < 0 ? -1 : 1);
    return box->onWheel(lines);
}

void ContainerView::placeGrip()
{
    if (m_grip)
        StatusGrip::place(m_grip);
}

LRESULT CALLBACK ContainerView::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Only ContainerView binds windows of this class.
    auto* view = static_cast<ContainerView*>(fromHandle(window));
    if (!view) {
        if (message == kDestroySelf) {
            DestroyWindow(window);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (handleChildMessage(message, wParam, lParam, result))
        return result;

    switch (message) {
    case WM_ERASEBKGND:
        view->paintBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT:
        view->paint();
        return 0;
    case WM_SIZE:
        view->placeGrip();
        return 0;
    case WM_DROPFILES: {
        // Read whole, told to the box, then finished: the listener may
        // release the box, so nothing of the view is used afterwards.
        auto drop = reinterpret_cast<HDROP>(wParam);
        // A disabled window (a modal window of its own is open) takes no drop.
        if (IsWindowEnabled(GetAncestor(window, GA_ROOT)))
            view->deliverDrop(readDroppedFiles(drop));
        DragFinish(drop);
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (view->onLeftButtonDown())
            return 0;
        return forwardToTopLevel(window, message, wParam, lParam);
    case WM_MOUSEWHEEL:
        if (view->onWheel(GET_WHEEL_DELTA_WPARAM(wParam)))
            return 0;
        break;
    case WM_NCHITTEST:
        // Easy drag: the window's body is the boxes, so they let the mouse
        // through to it (not the menu bar, whose items must stay clickable).
        if (view->kind() != NativeKind::kMenuBar && TopWindowView::hasEasyDrag(GetAncestor(window, GA_ROOT)))
            return HTTRANSPARENT;
        break;
    case kDestroySelf:
        DestroyWindow(window);
        return 0;
    case WM_NCDESTROY:
        view->forgetHandle();
        break;
    default:
        if (isForwardedPress(message))
            return forwardToTopLevel(window, message, wParam, lParam);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace s::gui::win::native
