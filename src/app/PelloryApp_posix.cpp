#include "app/PelloryApp.h"

// The window is the Windows program's; natively the start-up runs its
// portable steps and ends.
void CPelloryApp::initialiseCommonControls() {}

bool CPelloryApp::wakeRunningCopy(s::app::win::AppBase&) { return false; }

void CPelloryApp::runMainDialog(s::app::win::AppWindow&) {}
