#include "dialogcommands.h"

#include "addbitmaps.h"
#include "closing.h"
#include "editorstate.h"
#include "ids.h"
#include "keys.h"
#include "loadsettings.h"
#include "placement.h"
#include "preview.h"
#include "savesettings.h"
#include "settings.h"
#include "shellcmds.h"
#include "slottable.h"
#include "wallpaper.h"

static void saveCommand(HWND dialog)
{
    isDirty = false;
    // A refused write was told to the user; the changes are still unsaved.
    if (!saveSettings(dialog, true))
        isDirty = true;
    rememberedTimePeriod = readSettingInt(SECTION_CONFIG, KEY_TIME_PERIOD, rememberedTimePeriod);
}

static void addCommand(HWND dialog)
{
    if (!addBitmapsFromDialog(dialog))
        MessageBoxA(NULL, "No more bitmaps can be added: the list holds at most 50 bitmaps.", EDITOR_ERROR_TITLE, MB_ICONHAND);
}

static void applyCommand()
{
    char path[PATH_BUFFER];
    uint16_t x = 0;
    uint16_t y = 0;
    int32_t mode = POSITION_CENTER;
    if (!getCurrentEntry(&slotTable, path, &x, &y, &mode))
        return;
    // Only a defined placement has an origin of its own.
    if (mode == POSITION_DEFINED)
        applyWallpaper(path, POSITION_DEFINED, x, y);
    else
        applyWallpaper(path, mode, 0, 0);
}

static void previewCommand(HWND dialog)
{
    char path[PATH_BUFFER];
    uint16_t x = 0;
    uint16_t y = 0;
    int32_t mode = POSITION_CENTER;
    if (getCurrentEntry(&slotTable, path, &x, &y, &mode))
        previewBitmap(dialog, path);
}

static void changePolicyCommand(HWND dialog)
{
    isDirty = true;
    LRESULT policy = SendDlgItemMessageA(dialog, IDC_CHANGE_EVERY, CB_GETCURSEL, 0, 0);
    EnableWindow(GetDlgItem(dialog, IDC_TIME_PERIOD), policy == 0 || policy == 1);
}

INT_PTR dispatchDialogCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_HELP:
    case IDC_EXIT:
    case IDC_ABOUT:
        // The menu bar's commands are carried out where the system menu's arrive.
        SendMessageA(dialog, WM_SYSCOMMAND, LOWORD(wParam), 0);
        return 0;
    case IDC_SAVE:
        saveCommand(dialog);
        return 0;
    case IDC_ADD:
        addCommand(dialog);
        return 0;
    case IDC_REMOVE:
        clearPreview(dialog);
        removeSelectedEntries(&slotTable);
        isDirty = true;
        return 0;
    case IDC_X_EDIT:
    case IDC_Y_EDIT:
    case IDC_TILE:
    case IDC_CENTER:
    case IDC_DEFINED:
        onPlacementNotification(dialog);
        return 0;
    case IDC_REMOVE_ALL:
        clearPreview(dialog);
        clearTable(&slotTable);
        isDirty = true;
        return 0;
    case IDC_APPLY:
        applyCommand();
        return 0;
    case IDC_PREVIEW:
        previewCommand(dialog);
        return 0;
    case IDC_CHANGE_EVERY:
        changePolicyCommand(dialog);
        return 0;
    case IDC_LIST:
        onListNotification(dialog);
        return 0;
    case IDC_UNDO:
        loadSettingsIntoDialog(dialog);
        return 0;
    case IDC_SUCCESSIVE:
    case IDC_RANDOM:
    case IDC_TIME_PERIOD:
        // The radio buttons check themselves.
        isDirty = true;
        return 0;
    default:
        // Among them Enter and Escape (1 and 2): the dialog closes only
        // through its close command or the exit command.
        return DefWindowProcA(dialog, message, wParam, lParam);
    }
}

// Lets the platform carry out a system command once: the result goes back
// through the dialog's message result, so the dialog manager does not run
// the default processing a second time.
static INT_PTR passSystemCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefWindowProcA(dialog, message, wParam, lParam);
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR dispatchSystemCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_HELP:
        showHelp(dialog);
        return 0;
    case IDC_EXIT:
        runExitCommand(dialog);
        return 0;
    case IDC_RESTART_WINDOWS:
        confirmShutdown(dialog, SHUTDOWN_RESTART_WINDOWS, PROGRAM_EDITOR);
        return 0;
    case IDC_REBOOT:
        confirmShutdown(dialog, SHUTDOWN_REBOOT, PROGRAM_EDITOR);
        return 0;
    case IDC_CLOSE_WINDOW:
        // "Close window" in the "Scenara" pop-up closes like the title bar's close.
        closeDialog(dialog);
        return 0;
    case IDC_ABOUT:
        showAbout(dialog, PROGRAM_EDITOR);
        return 0;
    default:
        return passSystemCommand(dialog, message, wParam, lParam);
    }
}
