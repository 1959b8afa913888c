#pragma once
#include <cstdint>

namespace s::platform {
struct SystemVersion;
}
namespace s::app::win {
class AppBase;
class AppWindow;
}

// The application object: its start-up routine builds the context and the
// main window's settings, checks the system and a running copy, runs the
// main dialog until its window closes, and lets everything go again. It has
// no state of its own.
class CPelloryApp {
public:
    static constexpr const char16_t* kUnsupportedSystemText =
        u"This Operating System is currently not supported by this Application. We are sorry for the inconvenience.";
    static constexpr int32_t kMainWindowWidth = 250;
    static constexpr int32_t kMainWindowHeight = 250;

    // The whole life of the application. Always false: the process ends
    // when it returns, without a message loop of its own.
    bool initInstance();

    // NT 5.1, 5.2 and 6.0 or later.
    static bool isSupportedSystem(const s::platform::SystemVersion& version);
    // Without command-line parameters, a non-zero "Silent" flag opens the
    // product's page once. True when the page was opened.
    static bool openPostInstallPage(s::app::win::AppBase& context);

private:
    // Platform parts (PelloryApp_win32.cpp, PelloryApp_posix.cpp).
    static void initialiseCommonControls();
    static bool wakeRunningCopy(s::app::win::AppBase& context);
    // Builds the main window and waits until it has closed.
    static void runMainDialog(s::app::win::AppWindow& appWindow);
};
