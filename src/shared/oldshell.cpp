#include "oldshell.h"

#include <windows.h>

bool isOldShell = false;

void detectOldShell()
{
    // GetVersion is deprecated in later SDKs, but its low byte is exactly the
    // test this program needs.
    resetOldShell(LOBYTE(LOWORD(GetVersion())) == 3);
}

void resetOldShell(bool oldShell)
{
    isOldShell = oldShell;
}
