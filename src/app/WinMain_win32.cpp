// Pellory's process entry: the application object's start-up routine is the
// whole life of the process.
#include <windows.h>

#include "app/PelloryApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    CPelloryApp application;
    application.initInstance();
    return 0;
}
