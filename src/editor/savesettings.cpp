#include "savesettings.h"

#include "editortexts.h"
#include "ids.h"
#include "listsection.h"
#include "settings.h"
#include "settingsgroup.h"
#include "slottable.h"

#include <stdio.h>
#include <stdlib.h>

static bool saveFailed(HWND dialog, const char* text)
{
    MessageBoxA(dialog, text, EDITOR_ERROR_TITLE, MB_OK | MB_ICONHAND);
    return false;
}

static int controlValue(HWND dialog, int id, UINT message)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, id, message, 0, 0));
}

// Room for one row's lines: "000_wall=" and the path, and three
// "000_xpos=-2147483648" lines at most, each with its zero.
const size_t ROW_LINES_SIZE = (9 + PATH_BUFFER) + 3 * (9 + 12);

static size_t appendLine(char* block, size_t at, int index, EntryField field, const char* value)
{
    char key[ENTRY_KEY_BUFFER];
    formatEntryKey(key, index, field);
    return at + sprintf(block + at, "%s=%s", key, value) + 1;
}

// A row's entry, starting from the file's defaults so that nothing of the
// row before can leak into this one.
static SlotEntry rowEntry(uint16_t row)
{
    SlotEntry entry = {"", 0, 0, 1};
    getEntryAtRow(&slotTable, row, entry.path, &entry.x, &entry.y, &entry.mode);
    return entry;
}

static size_t appendRow(char* block, size_t at, uint16_t row)
{
    SlotEntry entry = rowEntry(row);
    char number[12];
    at = appendLine(block, at, row, ENTRY_WALL, entry.path);
    sprintf(number, "%d", entry.x);
    at = appendLine(block, at, row, ENTRY_XPOS, number);
    sprintf(number, "%d", entry.y);
    at = appendLine(block, at, row, ENTRY_YPOS, number);
    sprintf(number, "%d", static_cast<int>(entry.mode));
    at = appendLine(block, at, row, ENTRY_TYPE, number);
    return at;
}

// A section up to this size is written whole. Windows 95 handles at most
// 32 KiB of a section at once, and Wine's writer takes time that grows with
// the square of its keys; a larger section (entries and keys other programs
// put there by the thousand), or one that cannot be read whole, is written
// key by key instead.
const unsigned SECTION_WRITE_LIMIT = 32000;

// The rows as entries "000" on, then the entries the list no longer uses
// deleted up to 49, one key at a time. Returns false at the first refused
// write.
static bool saveEntriesKeyByKey(LRESULT rows)
{
    for (uint16_t row = 0; row < rows; ++row) {
        SlotEntry entry = rowEntry(row);
        if (!writeEntryText(row, ENTRY_WALL, entry.path) || !writeEntryInt(row, ENTRY_XPOS, entry.x) ||
            !writeEntryInt(row, ENTRY_YPOS, entry.y) || !writeEntryInt(row, ENTRY_TYPE, entry.mode))
            return false;
        // A folder's place of before, which the whole-section write drops
        // as it drops every key of the editor's entries it does not write:
        // the changer keeps places in section "Folders".
        if (!deleteEntryField(row, ENTRY_NEXT) || !deleteEntryField(row, ENTRY_ROUND))
            return false;
    }
    for (int index = static_cast<int>(rows); index < EDITOR_ENTRY_LIMIT; ++index) {
        // The path last: a changer reading meanwhile sees an entry whole or not at all.
        for (int field = ENTRY_FIELD_COUNT - 1; field >= 0; --field)
            if (!deleteEntryField(index, static_cast<EntryField>(field)))
                return false;
    }
    return true;
}

// The section "Bitmap list" as it stands, read before anything is written:
// a file that cannot be read must not be taken for one without the keys of
// others. *old is NULL when the section is too large to be read whole.
// False when the file cannot be read.
static bool readOldList(char** old, unsigned* oldLength)
{
    SettingsGroup settings;
    *old = NULL;
    *oldLength = 0;
    if (!readSettingsGroup(&settings, SETTINGS_LIST))
        return false;
    // The section's text is taken over; its index is not needed.
    *old = settings.list.block;
    *oldLength = settings.list.length;
    settings.list.block = NULL;
    freeSettingsGroup(&settings);
    return true;
}

// Writes the section "Bitmap list" in one write: the list rows as entries
// "000" on, in row order, followed by every line of the old section that is
// not one of the editor's entries "000" to "049" (entries from 50 on and
// keys of other programs). The entries the list no longer uses are gone
// with the old section. One write means a refused save leaves the old list
// whole, and the changer never reads half of each. Takes old over.
static bool saveEntries(char* old, unsigned oldLength)
{
    LRESULT rows = SendMessageA(slotTable.listWindow, LB_GETCOUNT, 0, 0);
    if (rows < 0 || rows > EDITOR_ENTRY_LIMIT)
        rows = rows < 0 ? 0 : EDITOR_ENTRY_LIMIT;
    size_t size = rows * ROW_LINES_SIZE + oldLength + 3;
    char* block = old && size <= SECTION_WRITE_LIMIT ? static_cast<char*>(malloc(size)) : NULL;
    if (!block) {
        free(old);
        return saveEntriesKeyByKey(rows);
    }
    size_t at = 0;
    for (uint16_t row = 0; row < rows; ++row)
        at = appendRow(block, at, row);
    at += copyForeignLines(old, oldLength, block + at);
    free(old);
    block[at] = '\0';
    // An empty section still needs its two zeros.
    block[at + 1] = '\0';
    bool saved = writeSettingSection(SECTION_LIST, block);
    free(block);
    return saved;
}

static bool saveContents(HWND dialog, char* oldList, unsigned oldLength)
{
    // A multiple-selection list answers with the row holding the focus
    // rectangle, and -1 when it is empty.
    bool written =
        writeSettingInt(SECTION_CONFIG, KEY_CHANGE_EVERY, controlValue(dialog, IDC_CHANGE_EVERY, CB_GETCURSEL)) &&
        writeSettingInt(SECTION_CONFIG, KEY_TIME_PERIOD, controlValue(dialog, IDC_TIME_PERIOD, CB_GETCURSEL)) &&
        (IsDlgButtonChecked(dialog, IDC_RANDOM) != BST_CHECKED ||
         writeSettingText(SECTION_CONFIG, KEY_SUCCESSIVE, "0")) &&
        (IsDlgButtonChecked(dialog, IDC_SUCCESSIVE) != BST_CHECKED ||
         writeSettingText(SECTION_CONFIG, KEY_SUCCESSIVE, "1")) &&
        writeSettingInt(SECTION_CONFIG, KEY_BITMAP_INDEX, controlValue(dialog, IDC_LIST, LB_GETCURSEL));
    if (!written) {
        free(oldList);
        return false;
    }
    return saveEntries(oldList, oldLength);
}

bool saveSettings(HWND dialog, bool withContents)
{
    // The list that stands is read first, so that a file that cannot be read
    // stops the save before anything is written.
    char* oldList = NULL;
    unsigned oldLength = 0;
    if (withContents && !readOldList(&oldList, &oldLength))
        return saveFailed(dialog, SAVE_UNREADABLE_TEXT);
    RECT place;
    GetWindowRect(dialog, &place);
    if (!writeSettingInt(SECTION_CONFIG, KEY_WINDOW_X, place.left) ||
        !writeSettingInt(SECTION_CONFIG, KEY_WINDOW_Y, place.top)) {
        free(oldList);
        return saveFailed(dialog, SAVE_FAILED_TEXT);
    }
    if (withContents && !saveContents(dialog, oldList, oldLength))
        return saveFailed(dialog, SAVE_FAILED_TEXT);
    return true;
}
