// The resident changer: one hidden window (a minimized one on the old shell)
// with a tray icon or a system-menu pop-up, changing the wallpaper at start
// and on the minute timer.
#include "oldshell.h"
#include "programwindow.h"
#include "residentids.h"
#include "residentstate.h"
#include "residentwnd.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    resetResidentState(instance);
    WNDCLASSA windowClass;
    fillProgramClass(&windowClass, instance, residentWindowProc, ICON_CLASS_NAME, MENU_NAME, RESIDENT_CLASS);

    // One copy only; the running one is left as it is, even when hidden.
    if (FindWindowA(RESIDENT_CLASS, NULL))
        return 0;

    if (!RegisterClassA(&windowClass)) {
        MessageBoxA(NULL, REGISTER_ERROR_TEXT, ERROR_TITLE, MB_ICONHAND);
        return 0;
    }

    detectOldShell();
    // WM_CREATE runs the start-up decision inside this call.
    HWND window = CreateWindowExA(0, RESIDENT_CLASS, RESIDENT_TITLE,
                                  isOldShell ? STYLE_OLD_SHELL : STYLE_NEW_SHELL, 0, 0, 0, 0, NULL, NULL,
                                  instance, NULL);
    // Without a window nothing could ever end the loop.
    if (!window)
        return 0;
    return runMessageLoop();
}
