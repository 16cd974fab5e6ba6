#include "commands.h"

#include "launcher.h"
#include "lifecycle.h"
#include "picker.h"
#include "residentids.h"
#include "shellcmds.h"
#include "timing.h"

// "Remove from memory": the window is not destroyed first; the loop ends on
// the quit message and the process goes with it.
static void confirmRemoval(HWND window)
{
    if (MessageBoxA(window, REMOVE_QUESTION, QUERY_TITLE, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    teardownResident(window);
    PostQuitMessage(0);
}

LRESULT dispatchResidentCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDM_OPEN_EDITOR:
        openEditor(window);
        return 0;
    case IDM_CHANGE_NOW:
        changeWallpaper(window);
        return 0;
    case IDM_RELOAD_PERIOD:
        reloadTimePeriod();
        return 0;
    case IDM_RESTART_WINDOWS:
        confirmShutdown(window, SHUTDOWN_RESTART_WINDOWS, PROGRAM_RESIDENT);
        return 0;
    case IDM_REBOOT:
        confirmShutdown(window, SHUTDOWN_REBOOT, PROGRAM_RESIDENT);
        return 0;
    case IDM_REMOVE:
        confirmRemoval(window);
        return 0;
    case IDM_ABOUT:
        showAbout(window, PROGRAM_RESIDENT);
        return 0;
    case IDM_HELP:
        showHelp(window);
        return 0;
    default:
        // Other identifiers, and on the old shell the platform's own system
        // commands (move, close, restore...), get the default processing.
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
