// The resident changer: one hidden window (a minimized one on the old shell)
// with a tray icon or a system-menu pop-up, changing the wallpaper at start
// and on the minute timer.
#include "commandswitch.h"
#include "oldshell.h"
#include "programwindow.h"
#include "residentids.h"
#include "residentstate.h"
#include "residentwnd.h"

#include <windows.h>

// The command each switch of the command line sends to the running changer.
static const UINT SWITCH_COMMANDS[] = {0, IDM_CHANGE_NOW, IDM_PREVIOUS, IDM_NEVER_SHOW, IDM_RELOAD_PERIOD};

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    resetResidentState(instance);
    WNDCLASSA windowClass;
    fillProgramClass(&windowClass, instance, residentWindowProc, ICON_CLASS_NAME, MENU_NAME, RESIDENT_CLASS);

    // One copy only; the running one is left as it is, even when hidden, but
    // for a switch of the command line, which it is given as its command.
    CommandSwitch given = parseCommandSwitch(commandLine ? commandLine : "");
    HWND running = FindWindowA(RESIDENT_CLASS, NULL);
    if (running) {
        if (given != SWITCH_NONE)
            PostMessageA(running, WM_COMMAND, SWITCH_COMMANDS[given], 0);
        return 0;
    }
    changeAtStartAsked = given == SWITCH_NEXT;

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
