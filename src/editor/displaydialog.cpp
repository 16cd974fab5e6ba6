#include "displaydialog.h"

#include "contract.h"
#include "displayoptions.h"
#include "editorstate.h"
#include "editortexts.h"
#include "ids.h"
#include "settings.h"

// The button of a value is the group's first plus the value.
static_assert(IDC_MONITORS_SPAN - IDC_MONITORS_SAME + 1 == MONITORS_OPTION_COUNT, "one button per monitors option");
static_assert(IDC_FIT_STRETCH - IDC_FIT_CENTER + 1 == FIT_OPTION_COUNT, "one button per fit option");

// The value of the checked button of a group. A radio group cannot be
// unchecked by the user; should none be checked, the default is written.
static int checkedValue(HWND dialog, int first, int count)
{
    for (int value = 0; value < count; ++value)
        if (IsDlgButtonChecked(dialog, first + value) == BST_CHECKED)
            return value;
    return 0;
}

static INT_PTR onInitDialog(HWND dialog)
{
    // A missing key, or a value outside the list, shows the default.
    int monitors = monitorsOption(readSettingInt(SECTION_DISPLAY, KEY_MONITORS, MONITORS_SAME));
    int fit = fitOption(readSettingInt(SECTION_DISPLAY, KEY_FIT, FIT_CENTER));
    CheckRadioButton(dialog, IDC_MONITORS_SAME, IDC_MONITORS_SPAN, IDC_MONITORS_SAME + monitors);
    CheckRadioButton(dialog, IDC_FIT_CENTER, IDC_FIT_STRETCH, IDC_FIT_CENTER + fit);
    // Waiting for a full screen is on unless turned off; on battery, off
    // unless turned on.
    CheckDlgButton(dialog, IDC_WAIT_FULL_SCREEN,
                   readSettingInt(SECTION_DISPLAY, KEY_WAIT_FULL_SCREEN, 1) != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_WAIT_ON_BATTERY,
                   readSettingInt(SECTION_DISPLAY, KEY_WAIT_ON_BATTERY, 0) != 0 ? BST_CHECKED : BST_UNCHECKED);
    // The focus starts on the checked button, where the arrow keys of a
    // radio group move on from.
    SetFocus(GetDlgItem(dialog, IDC_MONITORS_SAME + monitors));
    return FALSE;
}

// OK writes every option and closes; a refused write is told and the dialog
// stays, so that the user can try again or cancel.
static void onOk(HWND dialog)
{
    int monitors = checkedValue(dialog, IDC_MONITORS_SAME, MONITORS_OPTION_COUNT);
    int fit = checkedValue(dialog, IDC_FIT_CENTER, FIT_OPTION_COUNT);
    int waitFullScreen = IsDlgButtonChecked(dialog, IDC_WAIT_FULL_SCREEN) == BST_CHECKED;
    int waitOnBattery = IsDlgButtonChecked(dialog, IDC_WAIT_ON_BATTERY) == BST_CHECKED;
    if (writeSettingInt(SECTION_DISPLAY, KEY_MONITORS, monitors) && writeSettingInt(SECTION_DISPLAY, KEY_FIT, fit) &&
        writeSettingInt(SECTION_DISPLAY, KEY_WAIT_FULL_SCREEN, waitFullScreen) &&
        writeSettingInt(SECTION_DISPLAY, KEY_WAIT_ON_BATTERY, waitOnBattery))
        EndDialog(dialog, IDOK);
    else
        MessageBoxA(dialog, DISPLAY_SAVE_FAILED_TEXT, EDITOR_ERROR_TITLE, MB_OK | MB_ICONHAND);
}

static INT_PTR CALLBACK displayDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(dialog);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            onOk(dialog);
            return TRUE;
        case IDCANCEL:
            // Cancel, Escape and the close box alike: nothing is written.
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            // The radio buttons check themselves.
            return FALSE;
        }
    default:
        return FALSE;
    }
}

void runDisplayOptions(HWND owner)
{
    DialogBoxParamA(editorInstance, DISPLAY_DIALOG_NAME, owner, displayDialogProc, 0);
}
