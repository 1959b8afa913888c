#pragma once
#include <cstdint>

// The type numbers that windows, boxes and controls report through
// IEventListener::onEvent. Dialogs dispatch on them, so they never change.
namespace s::gui::events {

// A top-level window (s::gui::win::Window).
constexpr int32_t kWindowClosing = 1;           // a listener may cancel the close
constexpr int32_t kWindowUserEvent = 2;         // WM_USER + 1: name and values kept for listeners
constexpr int32_t kWindowRightButtonDown = 3;
constexpr int32_t kWindowSized = 4;             // every size change, after kWindowRestored
constexpr int32_t kWindowLeftButtonDown = 5;
constexpr int32_t kWindowActivated = 6;
constexpr int32_t kWindowDeactivated = 7;
constexpr int32_t kWindowSizing = 8;            // frame drag; height already kept at the minimum
constexpr int32_t kWindowMiddleButtonDown = 9;  // then the middle-click action runs
constexpr int32_t kWindowMoving = 10;
constexpr int32_t kWindowMoved = 11;
constexpr int32_t kWindowKeyDown = 12;
constexpr int32_t kWindowMouseMove = 13;
constexpr int32_t kWindowWheel = 14;
constexpr int32_t kWindowPrivate = 15;          // WM_USER + 7
constexpr int32_t kWindowDoubleClick = 16;
constexpr int32_t kWindowCaptureLost = 17;
constexpr int32_t kWindowTrayRightButton = 18;
constexpr int32_t kWindowContextMenu = 19;
constexpr int32_t kWindowRestored = 21;
constexpr int32_t kWindowTrayLeftButton = 22;
constexpr int32_t kWindowHotKey = 23;
constexpr int32_t kWindowRightButtonUp = 24;
constexpr int32_t kWindowLeftButtonUp = 25;
constexpr int32_t kWindowTimer = 26;
constexpr int32_t kWindowClipboardChanged = 27;

// A box (s::gui::win::Box) and the group box built on it.
constexpr int32_t kBoxFilesDropped = 1;
constexpr int32_t kBoxWheel = 2;               // no child took the turn
constexpr int32_t kBoxLaidOut = 3;
constexpr int32_t kBoxMoved = 4;               // placed or sized
constexpr int32_t kBoxLeftButtonDown = 6;
constexpr int32_t kBoxAddressDropped = 7;

// Controls of the application's windows.
constexpr int32_t kComboSelectionChanged = 0;
constexpr int32_t kButtonClicked = 0;
constexpr int32_t kCheckBoxClicked = 0;
constexpr int32_t kNumberFieldChanged = 0;
constexpr int32_t kSliderMoved = 0;
constexpr int32_t kLabelClicked = 1;
constexpr int32_t kMenuCommand = 0;

// One list per type number, so the largest number fixes the table size.
constexpr int32_t kEventTypeLimit = 32;

}  // namespace s::gui::events
