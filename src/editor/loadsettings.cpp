#include "loadsettings.h"

#include <commctrl.h>

#include "editorstate.h"
#include "editortexts.h"
#include "folderorder.h"
#include "ids.h"
#include "pathtext.h"
#include "settings.h"
#include "settingsgroup.h"
#include "slottable.h"
#include "textcase.h"

#include <string.h>

static const DWORD UPDOWN_STYLE = WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT;  // 0x50000006
static const int UPDOWN_UPPER = 1;

static const char* const CHANGE_POLICY_TEXTS[] = {
    "Every Launch", "On Demand", "Randomly (1:5)", "Every 1 Day", "Every 2 Days", "Every Week", "Every Month",
};
static const char* const TIME_PERIOD_TEXTS[] = {
    "Once", "And Every 5 min", "And Every Quarter", "And Every Half", "And Every Hour",
};

// Refills a schedule combo so that each row index is the stored value, and
// selects the row of value (none when it is out of range).
static void fillScheduleCombo(HWND dialog, int id, const char* const* texts, int count, int value)
{
    SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i)
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i]));
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

// The up arrow runs toward 1, the down arrow toward the screen's size.
static HWND createCoordinateUpDown(HWND dialog, int id, int buddyId, int screenEdge)
{
    return CreateUpDownControl(UPDOWN_STYLE, 0, 0, 0, 0, dialog, id, editorInstance, GetDlgItem(dialog, buddyId),
                               UPDOWN_UPPER, screenEdge, 0);
}

void showCurrentWallpaper(HWND dialog)
{
    char wallpaper[PATH_BUFFER];
    GetProfileStringA(DESKTOP_SECTION, DESKTOP_WALLPAPER, "", wallpaper, sizeof wallpaper);
    lowercaseAscii(wallpaper);
    SendDlgItemMessageA(dialog, IDC_CURRENT_WALLPAPER, CB_RESETCONTENT, 0, 0);
    SendDlgItemMessageA(dialog, IDC_CURRENT_WALLPAPER, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wallpaper));
    SendDlgItemMessageA(dialog, IDC_CURRENT_WALLPAPER, CB_SETCURSEL, 0, 0);
}

// Whether the picture (UTF-8) is the row's entry or one of its folder's.
static bool rowShows(const char* row, const char* picture)
{
    char path[PICTURE_PATH_BYTES];
    if (!pathFromAnsi(row, path, sizeof path))
        return false;
    size_t length = strlen(path);
    if (length == 0 || strlen(picture) < length)
        return false;
    char start[PICTURE_PATH_BYTES];
    memcpy(start, picture, length);
    start[length] = '\0';
    bool folder = path[length - 1] == '\\';
    return compareFoldedPaths(start, path) == 0 && (folder || picture[length] == '\0');
}

// Selects the row of the picture the primary monitor shows now, as the
// changer keeps it in "Now shown": the entry itself, or its folder's.
static void selectShownRow(HWND dialog, const SettingsGroup& settings)
{
    char key[16];
    wsprintfA(key, KEY_NOW_SHOWN, 1);
    char picture[PICTURE_PATH_BYTES];
    if (!sectionEscapedText(settings.nowShown, key, picture, sizeof picture) || !picture[0])
        return;
    LRESULT rows = SendDlgItemMessageA(dialog, IDC_LIST, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < rows; ++row) {
        char path[PATH_BUFFER];
        if (SendDlgItemMessageA(dialog, IDC_LIST, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0) >= PATH_BUFFER)
            continue;
        SendDlgItemMessageA(dialog, IDC_LIST, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(path));
        if (rowShows(path, picture)) {
            SendDlgItemMessageA(dialog, IDC_LIST, LB_SETSEL, TRUE, row);
            return;
        }
    }
}

// The list, from its one read.
static void loadEntries(const ListSnapshot& list)
{
    char path[PATH_BUFFER];
    for (int i = 0; i < EDITOR_ENTRY_LIMIT && snapshotEntryPath(list, i, path); ++i) {
        int x = snapshotEntryInt(list, i, ENTRY_XPOS, 0);
        int y = snapshotEntryInt(list, i, ENTRY_YPOS, 0);
        int mode = snapshotEntryInt(list, i, ENTRY_TYPE, 1);
        if (!addEntry(&slotTable, path, x, y, mode))
            break;
    }
}

// A number of the configuration, or its default where the file could not
// be read.
static int configInt(const SettingsGroup& settings, bool readable, const char* key, int fallback)
{
    return readable ? sectionSettingInt(settings.config, key, fallback) : fallback;
}

bool loadSettingsIntoDialog(HWND dialog)
{
    // A file that cannot be read shows the defaults, which the caller tells
    // the user are not the file's.
    SettingsGroup settings;
    bool readable = readSettingsGroup(&settings, SETTINGS_CONFIG | SETTINGS_LIST | SETTINGS_NOW_SHOWN);
    clearTable(&slotTable);
    isDirty = false;

    bool successive = configInt(settings, readable, KEY_SUCCESSIVE, 1) == 1;
    CheckDlgButton(dialog, successive ? IDC_SUCCESSIVE : IDC_RANDOM, BST_CHECKED);
    CheckDlgButton(dialog, successive ? IDC_RANDOM : IDC_SUCCESSIVE, BST_UNCHECKED);

    // The limits are the screen's size when the dialog first loads.
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    if (!xUpDown)
        xUpDown = createCoordinateUpDown(dialog, IDC_X_UPDOWN, IDC_X_EDIT, screen.right);
    if (!yUpDown)
        yUpDown = createCoordinateUpDown(dialog, IDC_Y_UPDOWN, IDC_Y_EDIT, screen.bottom);

    // No placement is shown until the list reports a row.
    CheckDlgButton(dialog, IDC_CENTER, BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_DEFINED, BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_TILE, BST_UNCHECKED);

    rememberedChangePolicy = configInt(settings, readable, KEY_CHANGE_EVERY, rememberedChangePolicy);
    fillScheduleCombo(dialog, IDC_CHANGE_EVERY, CHANGE_POLICY_TEXTS,
                      sizeof CHANGE_POLICY_TEXTS / sizeof CHANGE_POLICY_TEXTS[0], rememberedChangePolicy);
    rememberedTimePeriod = configInt(settings, readable, KEY_TIME_PERIOD, rememberedTimePeriod);
    fillScheduleCombo(dialog, IDC_TIME_PERIOD, TIME_PERIOD_TEXTS,
                      sizeof TIME_PERIOD_TEXTS / sizeof TIME_PERIOD_TEXTS[0], rememberedTimePeriod);
    // A period only means something while the policy lets the changer stay on.
    EnableWindow(GetDlgItem(dialog, IDC_TIME_PERIOD), rememberedChangePolicy == 0 || rememberedChangePolicy == 1);

    showCurrentWallpaper(dialog);
    if (readable)
        loadEntries(settings.list);

    // Selecting the row of the picture shown moves the caret there: the
    // caret, the entry the changer takes next, is set after it.
    int current = configInt(settings, readable, KEY_BITMAP_INDEX, 1);
    if (readable) {
        selectShownRow(dialog, settings);
        freeSettingsGroup(&settings);
    }
    SendDlgItemMessageA(dialog, IDC_LIST, LB_SETCARETINDEX, static_cast<WPARAM>(current), FALSE);
    return readable;
}

void tellSettingsUnreadable(HWND dialog)
{
    MessageBoxA(dialog, LOAD_UNREADABLE_TEXT, EDITOR_ERROR_TITLE, MB_OK | MB_ICONHAND);
}
