#include "sysmenu.h"

#include "residentids.h"
#include "residentstate.h"

void appendSystemMenuEntry(HWND window)
{
    HMENU system = GetSystemMenu(window, FALSE);
    if (!system)
        return;
    HMENU loaded = LoadMenuA(residentInstance, MENU_NAME);
    if (!loaded)
        return;
    HMENU entry = GetSubMenu(loaded, 0);
    AppendMenuA(system, MF_SEPARATOR, 0, NULL);
    AppendMenuA(system, MF_POPUP, reinterpret_cast<UINT_PTR>(entry), SYSTEM_MENU_ENTRY);
    // The system menu now owns the pop-up; the loaded menu bar around it is
    // released without it.
    RemoveMenu(loaded, 0, MF_BYPOSITION);
    DestroyMenu(loaded);
}
