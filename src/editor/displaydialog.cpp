#include "displaydialog.h"

#include "contract.h"
#include "desktopverb.h"
#include "displayoptions.h"
#include "editorstate.h"
#include "editortexts.h"
#include "ids.h"
#include "settings.h"
#include "skippeddialog.h"

#include <commctrl.h>
#include <string.h>

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

// The hot keys, each with its key and default (section "Display").
static const struct {
    int id;
    const char* key;
    int fallback;
    const char* label;
} HOT_KEYS[] = {
    {IDC_NEXT_KEY, KEY_NEXT_KEY, DEFAULT_NEXT_KEY, "Next picture"},
    {IDC_PREVIOUS_KEY, KEY_PREVIOUS_KEY, DEFAULT_PREVIOUS_KEY, "Previous picture"},
    {IDC_SKIP_KEY, KEY_SKIP_KEY, DEFAULT_SKIP_KEY, "Never show it"},
};

// Names the keys the changer found another program holding, if any.
static void showKeysHeld(HWND dialog)
{
    char held[64];
    char note[sizeof KEYS_HELD_TEXT + 64] = "";
    readSettingText(SECTION_DISPLAY, KEY_KEYS_HELD, "", held, sizeof held);
    for (const auto& key : HOT_KEYS) {
        if (!strstr(held, key.key))
            continue;
        strcat(note, note[0] ? ", " : KEYS_HELD_TEXT);
        strcat(note, key.label);
    }
    SetDlgItemTextA(dialog, IDC_KEYS_HELD, note);
}

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
    // A key alone, or with Shift alone, would be taken from every program:
    // the field adds Ctrl+Alt to it.
    for (const auto& key : HOT_KEYS) {
        SendDlgItemMessageA(dialog, key.id, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                            MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
        SendDlgItemMessageA(dialog, key.id, HKM_SETHOTKEY,
                            static_cast<WPARAM>(readSettingInt(SECTION_DISPLAY, key.key, key.fallback)), 0);
    }
    showKeysHeld(dialog);
    CheckDlgButton(dialog, IDC_DESKTOP_VERB, desktopVerbPresent() ? BST_CHECKED : BST_UNCHECKED);
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
    for (const auto& key : HOT_KEYS)
        written = written && writeSettingInt(SECTION_DISPLAY, key.key,
                                             static_cast<int>(SendDlgItemMessageA(dialog, key.id, HKM_GETHOTKEY, 0, 0)));
    if (!written) {
        MessageBoxA(dialog, DISPLAY_SAVE_FAILED_TEXT, EDITOR_ERROR_TITLE, MB_OK | MB_ICONHAND);
        return;
    }
    bool verb = IsDlgButtonChecked(dialog, IDC_DESKTOP_VERB) == BST_CHECKED;
    if (verb != desktopVerbPresent() && !setDesktopVerb(verb)) {
        MessageBoxA(dialog, DESKTOP_VERB_FAILED_TEXT, EDITOR_ERROR_TITLE, MB_OK | MB_ICONHAND);
        return;
    }
    // A running changer takes the new hot keys now.
    HWND changer = FindWindowA(RESIDENT_CLASS, NULL);
    if (changer)
        PostMessageA(changer, WM_COMMAND, RESIDENT_RELOAD_COMMAND, 0);
    EndDialog(dialog, IDOK);
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
        case IDC_SKIPPED:
            runSkippedPictures(dialog);
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
