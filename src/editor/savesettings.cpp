#include "savesettings.h"

#include "ids.h"
#include "settings.h"
#include "slottable.h"

static const char SAVE_FAILED_TEXT[] =
    "The settings could not be saved to VISTRELL.INI.\n"
    "Check that the file is not read-only or in use.";

static bool saveFailed(HWND dialog)
{
    MessageBoxA(dialog, SAVE_FAILED_TEXT, EDITOR_ERROR_TITLE, MB_OK | MB_ICONHAND);
    return false;
}

static int controlValue(HWND dialog, int id, UINT message)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, id, message, 0, 0));
}

// Writes the list rows as entries "000" on, in row order, then deletes the
// entries the list no longer uses up to 49. Entries from 50 on belong to no
// one here and stay. Returns false at the first refused write.
static bool saveEntries()
{
    char path[PATH_BUFFER];
    uint16_t row = 0;
    for (; row < SendMessageA(slotTable.listWindow, LB_GETCOUNT, 0, 0); ++row) {
        // Start every row from the file's defaults so nothing of the row
        // before can leak into this one.
        path[0] = '\0';
        uint16_t x = 0;
        uint16_t y = 0;
        int32_t mode = 1;
        getEntryAtRow(&slotTable, row, path, &x, &y, &mode);
        if (!writeEntryText(row, ENTRY_WALL, path) || !writeEntryInt(row, ENTRY_XPOS, x) ||
            !writeEntryInt(row, ENTRY_YPOS, y) || !writeEntryInt(row, ENTRY_TYPE, mode))
            return false;
    }
    for (int index = row; index < EDITOR_ENTRY_LIMIT; ++index) {
        if (!deleteEntryField(index, ENTRY_XPOS) || !deleteEntryField(index, ENTRY_YPOS) ||
            !deleteEntryField(index, ENTRY_TYPE) || !deleteEntryField(index, ENTRY_WALL))
            return false;
    }
    return true;
}

static bool saveContents(HWND dialog)
{
    if (!writeSettingInt(SECTION_CONFIG, KEY_CHANGE_EVERY, controlValue(dialog, IDC_CHANGE_EVERY, CB_GETCURSEL)))
        return false;
    if (!writeSettingInt(SECTION_CONFIG, KEY_TIME_PERIOD, controlValue(dialog, IDC_TIME_PERIOD, CB_GETCURSEL)))
        return false;
    if (IsDlgButtonChecked(dialog, IDC_RANDOM) == BST_CHECKED &&
        !writeSettingText(SECTION_CONFIG, KEY_SUCCESSIVE, "0"))
        return false;
    if (IsDlgButtonChecked(dialog, IDC_SUCCESSIVE) == BST_CHECKED &&
        !writeSettingText(SECTION_CONFIG, KEY_SUCCESSIVE, "1"))
        return false;
    // A multiple-selection list answers with the row holding the focus
    // rectangle, and -1 when it is empty.
    if (!writeSettingInt(SECTION_CONFIG, KEY_BITMAP_INDEX, controlValue(dialog, IDC_LIST, LB_GETCURSEL)))
        return false;
    return saveEntries();
}

bool saveSettings(HWND dialog, bool withContents)
{
    RECT place;
    GetWindowRect(dialog, &place);
    if (!writeSettingInt(SECTION_CONFIG, KEY_WINDOW_X, place.left) ||
        !writeSettingInt(SECTION_CONFIG, KEY_WINDOW_Y, place.top))
        return saveFailed(dialog);
    if (withContents && !saveContents(dialog))
        return saveFailed(dialog);
    return true;
}
