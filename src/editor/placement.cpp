#include "placement.h"

#include <commctrl.h>

#include "editorstate.h"
#include "ids.h"
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

// The placement buttons, indexed by PositionMode.
static const int PLACEMENT_BUTTONS[] = {IDC_TILE, IDC_CENTER, IDC_DEFINED};
static const int PLACEMENT_COUNT = sizeof PLACEMENT_BUTTONS / sizeof PLACEMENT_BUTTONS[0];

void showPlacement(HWND dialog, int mode)
{
    if (mode < 0 || mode >= PLACEMENT_COUNT)
        return;
    // The others are cleared before the mode's button is checked.
    for (int other = 0; other < PLACEMENT_COUNT; ++other)
        if (other != mode)
            CheckDlgButton(dialog, PLACEMENT_BUTTONS[other], BST_UNCHECKED);
    CheckDlgButton(dialog, PLACEMENT_BUTTONS[mode], BST_CHECKED);
    setOriginControls(dialog, mode == POSITION_DEFINED);
}

int checkedPlacement(HWND dialog)
{
    for (int mode = 0; mode < PLACEMENT_COUNT; ++mode)
        if (IsDlgButtonChecked(dialog, PLACEMENT_BUTTONS[mode]) == BST_CHECKED)
            return mode;
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
    // An empty list, or a caret on no entry, has nothing to show: every
    // control stays as it is.
    SlotEntry entry;
    if (!getCurrentEntry(&slotTable, &entry))
        return;

    // Apply and Preview act on one picture.
    BOOL single = SendDlgItemMessageA(dialog, IDC_LIST, LB_GETSELCOUNT, 0, 0) == 1;
    EnableWindow(GetDlgItem(dialog, IDC_APPLY), single);
    EnableWindow(GetDlgItem(dialog, IDC_PREVIEW), single);
    clearPreview(dialog);

    // Moving the up-down controls rewrites the origin fields, whose own
    // notifications must not copy this row's placement onto the selection.
    isSyncingPlacement = true;
    showPlacement(dialog, entry.mode);
    SendMessageA(xUpDown, UDM_SETPOS, 0, MAKELPARAM(entry.x, 0));
    SendMessageA(yUpDown, UDM_SETPOS, 0, MAKELPARAM(entry.y, 0));
    isSyncingPlacement = false;
}
