// Pellory's process entry. The window arrives with the application object;
// until then the program starts and ends cleanly.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return 0;
}
