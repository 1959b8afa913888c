// The Windows suite's own health check: the real Win32 API answers and windows can be
// created without a display (Wine's null graphics driver), which every windowed test needs.
#include <windows.h>

#include <gtest/gtest.h>

TEST(WineSmokeTest, ReportsAWindowsVersion) {
  EXPECT_NE(GetVersion(), 0u);
}

TEST(WineSmokeTest, CreatesAWindowHeadless) {
  HWND window = CreateWindowExW(0, L"STATIC", L"smoke", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr) << "error " << GetLastError()
                             << " (no graphics driver? the prefix needs Graphics=null)";
  ShowWindow(window, SW_SHOWNOACTIVATE);
  RECT client{};
  EXPECT_TRUE(GetClientRect(window, &client));
  EXPECT_GT(client.right, 0);
  EXPECT_TRUE(DestroyWindow(window));
}
