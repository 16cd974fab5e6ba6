#include "oldshell.h"

#include "modulefunction.h"

#include <windows.h>

bool isOldShell = false;
unsigned windowsVersion = 0;
bool runsOnWine = false;

typedef LONG(WINAPI* RtlVersionProc)(OSVERSIONINFOW*);

void detectOldShell()
{
    // The old shell is told by GetVersion's low byte. The version itself is
    // asked of ntdll where it answers: GetVersion says 6.2 on Windows 8.1
    // and later to a program that does not declare them, and what came
    // with Windows 10 (its battery saver's flag) is known only by the true
    // version.
    DWORD version = GetVersion();
    resetOldShell(LOBYTE(LOWORD(version)) == 3);
    unsigned known = LOBYTE(LOWORD(version)) << 8 | HIBYTE(LOWORD(version));
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    RtlVersionProc rtlVersion = moduleFunction<RtlVersionProc>(ntdll, "RtlGetVersion");
    OSVERSIONINFOW info;
    info.dwOSVersionInfoSize = sizeof info;
    if (rtlVersion && rtlVersion(&info) == 0)
        known = (info.dwMajorVersion & 0xFF) << 8 | (info.dwMinorVersion & 0xFF);
    resetWindowsVersion(known);
    // Wine's ntdll has an export of its own.
    resetRunsOnWine(GetProcAddress(ntdll, "wine_get_version") != NULL);
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
