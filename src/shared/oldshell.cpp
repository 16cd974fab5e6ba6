#include "oldshell.h"

#include <windows.h>

bool isOldShell = false;
unsigned windowsVersion = 0;
bool runsOnWine = false;

void detectOldShell()
{
    // GetVersion is deprecated in later SDKs, but it is exactly the test this
    // program needs: without a manifest, Windows 8.1 and later report 6.2
    // here, which is all a composed wallpaper needs to know.
    DWORD version = GetVersion();
    resetOldShell(LOBYTE(LOWORD(version)) == 3);
    resetWindowsVersion(LOBYTE(LOWORD(version)) << 8 | HIBYTE(LOWORD(version)));
    // Wine's ntdll has an export of its own.
    resetRunsOnWine(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != NULL);
}

void resetOldShell(bool oldShell)
{
    isOldShell = oldShell;
}

void resetWindowsVersion(unsigned version)
{
    windowsVersion = version;
}

void resetRunsOnWine(bool wine)
{
    runsOnWine = wine;
}
