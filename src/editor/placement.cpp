#include "placement.h"

#include <commctrl.h>

#include "editorstate.h"
#include "ids.h"
#include "keys.h"
#include "preview.h"
#include "slottable.h"
#include "wallpaper.h"

static void setOriginControls(HWND dialog, bool editable)
{
    EnableWindow(GetDlgItem(dialog, IDC_X_UPDOWN), editable);
    EnableWindow(GetDlgItem(dialog, IDC_Y_UPDOWN), editable);
    SendDlgItemMessageA(dialog, IDC_X_EDIT, EM_SETREADONLY, editable ? 0 : 1, 0);
    SendDlgItemMessageA(dialog, IDC_Y_EDIT, EM_SETREADONLY, editable ? 0 : 1, 0);
}

void showPlacement(HWND dialog, int mode)
{
    switch (mode) {
    case POSITION_TILE:
        CheckDlgButton(dialog, IDC_CENTER, BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_DEFINED, BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_TILE, BST_CHECKED);
        setOriginControls(dialog, false);
        break;
    case POSITION_CENTER:
        CheckDlgButton(dialog, IDC_TILE, BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_DEFINED, BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_CENTER, BST_CHECKED);
        setOriginControls(dialog, false);
        break;
    case POSITION_DEFINED:
        CheckDlgButton(dialog, IDC_CENTER, BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_TILE, BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_DEFINED, BST_CHECKED);
        setOriginControls(dialog, true);
        break;
    default:
        break;
    }
}

int checkedPlacement(HWND dialog)
{
    if (IsDlgButtonChecked(dialog, IDC_TILE) == BST_CHECKED)
        return POSITION_TILE;
    if (IsDlgButtonChecked(dialog, IDC_CENTER) == BST_CHECKED)
        return POSITION_CENTER;
    if (IsDlgButtonChecked(dialog, IDC_DEFINED) == BST_CHECKED)
        return POSITION_DEFINED;
    return NO_PLACEMENT;
}

void onPlacementNotification(HWND dialog)
{
    if (isSyncingPlacement)
        return;
    int mode = checkedPlacement(dialog);
    // The up-down controls read their buddy fields' text back.
    int y = LOWORD(SendMessageA(yUpDown, UDM_GETPOS, 0, 0));
    int x = LOWORD(SendMessageA(xUpDown, UDM_GETPOS, 0, 0));
    setSelectedAttributes(&slotTable, x, y, mode);
    showPlacement(dialog, checkedPlacement(dialog));
    isDirty = true;
}

void onListNotification(HWND dialog)
{
    char path[PATH_BUFFER];
    uint16_t x = 0;
    uint16_t y = 0;
    int32_t mode = POSITION_CENTER;
    // An empty list, or a caret on no entry, has nothing to show: every
    // control stays as it is.
    if (!getCurrentEntry(&slotTable, path, &x, &y, &mode))
        return;

    // Apply and Preview act on one picture.
    BOOL single = SendDlgItemMessageA(dialog, IDC_LIST, LB_GETSELCOUNT, 0, 0) == 1;
    EnableWindow(GetDlgItem(dialog, IDC_APPLY), single);
    EnableWindow(GetDlgItem(dialog, IDC_PREVIEW), single);
    clearPreview(dialog);

    // Moving the up-down controls rewrites the origin fields, whose own
    // notifications must not copy this row's placement onto the selection.
    isSyncingPlacement = true;
    showPlacement(dialog, mode);
    SendMessageA(xUpDown, UDM_SETPOS, 0, MAKELPARAM(x, 0));
    SendMessageA(yUpDown, UDM_SETPOS, 0, MAKELPARAM(y, 0));
    isSyncingPlacement = false;
}
