#include "oldshell.h"

#include <windows.h>

bool isOldShell = false;
unsigned windowsVersion = 0;

void detectOldShell()
{
    // GetVersion is deprecated in later SDKs, but it is exactly the test this
    // program needs: without a manifest, Windows 8.1 and later report 6.2
    // here, which is all a composed wallpaper needs to know.
    DWORD version = GetVersion();
    resetOldShell(LOBYTE(LOWORD(version)) == 3);
    resetWindowsVersion(LOBYTE(LOWORD(version)) << 8 | HIBYTE(LOWORD(version)));
}

void resetOldShell(bool oldShell)
{
    isOldShell = oldShell;
}

void resetWindowsVersion(unsigned version)
{
    windowsVersion = version;
}
