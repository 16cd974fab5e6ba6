#include "settingsdialog.h"

#include "closing.h"
#include "dialogcommands.h"
#include "dialogplace.h"
#include "editorstate.h"
#include "ids.h"
#include "loadsettings.h"
#include "oldshell.h"
#include "preview.h"
#include "slottable.h"

// Posted after the platform has rescaled the dialog for a monitor of another
// display scale, so that the preview is drawn at the frame's new size.
const UINT WM_REDRAW_PREVIEW = WM_APP + 1;

// Hangs the pop-up "Scenara" (the menu "MENU_1") at the end of the dialog's
// system menu, behind a separator.
static void extendSystemMenu(HWND dialog)
{
    AppendMenuA(GetSystemMenu(dialog, FALSE), MF_BYPOSITION | MF_SEPARATOR, 0, "");
    HMENU scenara = LoadMenuA(editorInstance, MENU_SYSTEM_NAME);
    AppendMenuA(GetSystemMenu(dialog, FALSE), MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(scenara),
                "Scenara");
}

void greyWhatTheShellLacks(HMENU bar)
{
    // The old shell has no folder picker.
    if (isOldShell)
        EnableMenuItem(bar, IDC_ADD_FOLDER, MF_BYCOMMAND | MF_GRAYED);
}

static INT_PTR onInitDialog(HWND dialog)
{
    bindList(&slotTable, GetDlgItem(dialog, IDC_LIST));
    EnableWindow(GetDlgItem(dialog, IDC_PREVIEW_FRAME), FALSE);
    createPreviewContexts(dialog);
    extendSystemMenu(dialog);
    greyWhatTheShellLacks(GetMenu(dialog));
    bool loaded = loadSettingsIntoDialog(dialog);

    placeDialogAsStored(dialog);
    ShowWindow(dialog, SW_SHOWMINIMIZED);
    ShowWindow(dialog, SW_SHOWNORMAL);
    // Told over the dialog it concerns, once that is on the screen.
    if (!loaded)
        tellSettingsUnreadable(dialog);

    // Filling the controls made them notify; none of that is a user's change.
    isDirty = false;
    return TRUE;
}

INT_PTR CALLBACK settingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(dialog);
    case WM_COMMAND:
        return dispatchDialogCommand(dialog, message, wParam, lParam);
    case WM_SYSCOMMAND:
        return dispatchSystemCommand(dialog, message, wParam, lParam);
    case WM_CLOSE:
        closeDialog(dialog);
        return TRUE;
    case WM_WININICHANGE:
        // Any setting may have changed, the wallpaper among them.
        showCurrentWallpaper(dialog);
        return TRUE;
    case WM_DPICHANGED:
        // The dialog manager moves and rescales every control itself.
        PostMessageA(dialog, WM_REDRAW_PREVIEW, 0, 0);
        return 0;
    case WM_REDRAW_PREVIEW:
        redrawPreview(dialog);
        return TRUE;
    case WM_ACTIVATEAPP:
        clearPreview(dialog);
        return 0;
    case WM_DESTROY:
        // The frame's device context goes back while the frame still exists.
        releasePreviewContexts();
        return 0;
    default:
        return 0;
    }
}
