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

// The check boxes, each with its key and the value of a missing key:
// waiting for a full screen and a folder's subfolders are on unless turned
// off; waiting on battery and the fair random order off unless turned on.
static const struct {
    int id;
    const char* key;
    int fallback;
} CHECK_BOXES[] = {
    {IDC_WAIT_FULL_SCREEN, KEY_WAIT_FULL_SCREEN, 1},
    {IDC_WAIT_ON_BATTERY, KEY_WAIT_ON_BATTERY, 0},
    {IDC_SUBFOLDERS, KEY_SUBFOLDERS, 1},
    {IDC_SHUFFLE, KEY_SHUFFLE, 0},
};

static INT_PTR onInitDialog(HWND dialog)
{
    // A missing key, or a value outside the list, shows the default.
    int monitors = monitorsOption(readSettingInt(SECTION_DISPLAY, KEY_MONITORS, MONITORS_SAME));
    int fit = fitOption(readSettingInt(SECTION_DISPLAY, KEY_FIT, FIT_CENTER));
    CheckRadioButton(dialog, IDC_MONITORS_SAME, IDC_MONITORS_SPAN, IDC_MONITORS_SAME + monitors);
    CheckRadioButton(dialog, IDC_FIT_CENTER, IDC_FIT_STRETCH, IDC_FIT_CENTER + fit);
    // Any value but 0 turns a check box on, as the programs read it.
    for (const auto& box : CHECK_BOXES)
        CheckDlgButton(dialog, box.id,
                       readSettingInt(SECTION_DISPLAY, box.key, box.fallback) != 0 ? BST_CHECKED : BST_UNCHECKED);
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
    bool written = writeSettingInt(SECTION_DISPLAY, KEY_MONITORS, monitors) &&
                   writeSettingInt(SECTION_DISPLAY, KEY_FIT, fit);
    for (const auto& box : CHECK_BOXES)
        written = written &&
                  writeSettingInt(SECTION_DISPLAY, box.key, IsDlgButtonChecked(dialog, box.id) == BST_CHECKED);
    if (written)
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
