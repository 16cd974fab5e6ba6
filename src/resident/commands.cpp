#include "commands.h"

#include "hotkeys.h"
#include "launcher.h"
#include "monitors.h"
#include "pictureactions.h"
#include "lifecycle.h"
#include "picker.h"
#include "residentids.h"
#include "sharedcommands.h"
#include "timing.h"

static_assert(IDM_RELOAD_PERIOD == RESIDENT_RELOAD_COMMAND, "the editor sends this identifier for new hot keys");

static const SharedCommands RESIDENT_SHARED_COMMANDS = {PROGRAM_RESIDENT, IDM_HELP, IDM_ABOUT, IDM_RESTART_WINDOWS,
                                                        IDM_REBOOT};

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
    // Help, About and the shutdowns are the commands the editor offers too.
    if (runSharedCommand(window, LOWORD(wParam), RESIDENT_SHARED_COMMANDS))
        return 0;
    switch (LOWORD(wParam)) {
    case IDM_OPEN_EDITOR:
        openEditor(window);
        break;
    case IDM_CHANGE_NOW:
        changeWallpaperOnRequest(window);
        break;
    case IDM_RELOAD_PERIOD:
        reloadTimePeriod();
        registerHotKeys(window);
        break;
    case IDM_PREVIOUS:
        showPreviousChange();
        break;
    case IDM_SHOW_PICTURE:
        showPicture(0);
        break;
    case IDM_OPEN_FOLDER:
        openPictureFolder(0);
        break;
    case IDM_NEVER_SHOW:
        if (neverShowPicture())
            changeWallpaperOnRequest(window, false);
        break;
    case IDM_REMOVE:
        confirmRemoval(window);
        break;
    default:
        // "Show Picture" of one monitor, with several.
        if (LOWORD(wParam) >= IDM_SHOW_MONITOR && LOWORD(wParam) < IDM_SHOW_MONITOR + MONITOR_LIMIT) {
            showPicture(LOWORD(wParam) - IDM_SHOW_MONITOR);
            break;
        }
        // Other identifiers, and on the old shell the platform's own system
        // commands (move, close, restore...), get the default processing.
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // Every command carried out here answers 0.
    return 0;
}
