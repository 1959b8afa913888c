#include "app/PelloryApp.h"

#include "app/win/AppBase.h"
#include "app/win/AppWindow.h"
#include "map/AppSettings.h"
#include "platform/SystemVersion.h"
#include "platform/UserMessage.h"
#include "thread/Pooled.h"

using s::app::win::AppBase;
using s::app::win::AppWindow;
using s::thread::Pooled;

bool CPelloryApp::initInstance()
{
    initialiseCommonControls();
    // Declared in this order, the holders let go of the window object
    // before the context on every way out.
    Pooled<AppBase> context(AppBase::take());
    context->initialise();
    Pooled<AppWindow> appWindow(AppWindow::take());
    appWindow->initialise(context.get(), AppWindow::kMainWindowName, kMainWindowWidth, kMainWindowHeight,
                          AppWindow::kClose);

    if (!isSupportedSystem(s::platform::systemVersion())) {
        s::platform::showInformation(context->productText(0), kUnsupportedSystemText);
        return false;
    }
    openPostInstallPage(*context);
    if (wakeRunningCopy(*context))
        return false;
    runMainDialog(*appWindow);
    return false;
}

bool CPelloryApp::isSupportedSystem(const s::platform::SystemVersion& version)
{
    if (!version.isNt)
        return false;
    if (version.major == 5)
        return version.minor == 1 || version.minor == 2;
    return version.major >= 6;
}

bool CPelloryApp::openPostInstallPage(AppBase& context)
{
    if (!context.localizer())
        return false;
    return s::map::AppSettings::openPostInstallPage(context.hasParameters(), *context.localizer());
}
