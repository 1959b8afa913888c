#include <windows.h>
#include <commctrl.h>

#include "app/PelloryApp.h"
#include "app/win/AppBase.h"
#include "app/win/AppWindow.h"
#include "app/win/RunningCopy.h"
#include "lang/Localizer.h"

#if __has_include("dialogs/pellory/Dialog.h")
#include <memory>

#include "dialogs/pellory/Dialog.h"
#include "gui/IWindowHost.h"
#include "thread/Pooled.h"
#define PELLORY_HAS_MAIN_DIALOG 1
#endif

void CPelloryApp::initialiseCommonControls()
{
    // Every class of control; the manifest asks for version 6 of them.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);
}

bool CPelloryApp::wakeRunningCopy(s::app::win::AppBase& context)
{
    s::lang::Localizer* localizer = context.localizer();
    return localizer && s::app::win::RunningCopy::wakeRunningCopy(*localizer, context.textBase());
}

void CPelloryApp::runMainDialog(s::app::win::AppWindow& appWindow)
{
#ifdef PELLORY_HAS_MAIN_DIALOG
    using s::image::gui::dialogs::pellory::Dialog;
    std::unique_ptr<s::gui::IWindowHost> host = s::gui::makeWindowHost();
    if (!host)
        return;
    // Released (its worker stopped) before the window object and the context.
    s::thread::Pooled<Dialog> dialog(Dialog::take());
    dialog->setUp(&appWindow);
    dialog->buildAndRun(*host);
#else
    (void)appWindow;
#endif
}
