#include "dialogcommands.h"

#include "addbitmaps.h"
#include "closing.h"
#include "displaydialog.h"
#include "editorstate.h"
#include "addfolder.h"
#include "editortexts.h"
#include "folderorder.h"
#include "ids.h"
#include "loadsettings.h"
#include "placement.h"
#include "preview.h"
#include "savesettings.h"
#include "settings.h"
#include "sharedcommands.h"
#include "slottable.h"
#include "wallpaper.h"
#include "wallpaperfile.h"

#include <string.h>

static const SharedCommands EDITOR_SHARED_COMMANDS = {PROGRAM_EDITOR, IDC_HELP, IDC_ABOUT, IDC_RESTART_WINDOWS,
                                                      IDC_REBOOT};

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
        MessageBoxA(NULL, TABLE_FULL_TEXT, EDITOR_ERROR_TITLE,
                    MB_ICONHAND);
}

// "Remove BMP" takes the selected rows, "Remove All" every row; the preview
// goes with them.
static void removeCommand(HWND dialog, bool all)
{
    clearPreview(dialog);
    if (all)
        clearTable(&slotTable);
    else
        removeSelectedEntries(&slotTable);
    isDirty = true;
}

// A row as a monitor shows it: a folder as its first picture (or, without
// any, as the folder, which applying tells); only a defined placement has
// an origin of its own.
static void toScreenEntry(const SlotEntry& row, ScreenEntry* entry)
{
    if (!pathFromAnsi(row.path, entry->path, sizeof entry->path))
        entry->path[0] = '\0';
    if (isFolderEntry(row.path))
        firstPictureOfFolder(row.path, entry->path);
    entry->mode = row.mode;
    entry->x = row.mode == POSITION_DEFINED ? row.x : 0;
    entry->y = row.mode == POSITION_DEFINED ? row.y : 0;
}

// The current row, as a change would show it: with a picture on each
// monitor, the rows after it go to the other monitors, wrapping at the end
// of the list.
static void applyCommand()
{
    SlotEntry row;
    if (!getCurrentEntry(&slotTable, &row))
        return;
    DisplaySetup setup;
    readDisplaySetup(&setup);
    ScreenEntry entries[MONITOR_LIMIT];
    toScreenEntry(row, &entries[0]);
    LRESULT rows = SendMessageA(slotTable.listWindow, LB_GETCOUNT, 0, 0);
    LRESULT caret = SendMessageA(slotTable.listWindow, LB_GETCARETINDEX, 0, 0);
    int count = 1;
    for (; count < entriesWanted(setup) && rows > 0 && caret >= 0; ++count) {
        uint16_t next = static_cast<uint16_t>((caret + count) % rows);
        if (!getEntryAtRow(&slotTable, next, row.path, &row.x, &row.y, &row.mode))
            break;
        toScreenEntry(row, &entries[count]);
    }
    applyEntries(setup, entries, count);
}

static void previewCommand(HWND dialog)
{
    SlotEntry row;
    ScreenEntry entry;
    if (!getCurrentEntry(&slotTable, &row))
        return;
    toScreenEntry(row, &entry);
    previewBitmap(dialog, entry.path);
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
    case IDC_REMOVE_ALL:
        removeCommand(dialog, LOWORD(wParam) == IDC_REMOVE_ALL);
        return 0;
    case IDC_X_EDIT:
    case IDC_Y_EDIT:
        // Only a change of the text is an edit: the focus coming or going
        // would copy the placement shown onto every selected row.
        if (HIWORD(wParam) == EN_CHANGE)
            onPlacementNotification(dialog);
        return 0;
    case IDC_TILE:
    case IDC_CENTER:
    case IDC_DEFINED:
        if (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED)
            onPlacementNotification(dialog);
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
    case IDC_ADD_FOLDER:
        if (!addFolderFromPicker(dialog))
            MessageBoxA(NULL, TABLE_FULL_TEXT, EDITOR_ERROR_TITLE, MB_ICONHAND);
        return 0;
    case IDC_DISPLAY_OPTIONS:
        // Saved by the dialog's own OK: the unsaved-changes flag stays as it is.
        runDisplayOptions(dialog);
        return 0;
    case IDC_UNDO:
        if (!loadSettingsIntoDialog(dialog))
            tellSettingsUnreadable(dialog);
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

// Help, About and the shutdowns, which the changer offers too; any other
// system command is the platform's, carried out once: the result goes back
// through the dialog's message result, so the dialog manager does not run
// the default processing a second time.
static INT_PTR runOtherSystemCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (runSharedCommand(dialog, LOWORD(wParam), EDITOR_SHARED_COMMANDS))
        return 0;
    LRESULT result = DefWindowProcA(dialog, message, wParam, lParam);
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR dispatchSystemCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_EXIT:
        runExitCommand(dialog);
        return 0;
    case IDC_CLOSE_WINDOW:
        // "Close window" in the "Scenara" pop-up closes like the title bar's close.
        closeDialog(dialog);
        return 0;
    default:
        return runOtherSystemCommand(dialog, message, wParam, lParam);
    }
}
