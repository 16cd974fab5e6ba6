// Saving the dialog's state into the real settings file under Wine, from a
// window whose children carry the editor's control identifiers.
#include "editor_driver.h"
#include "editortexts.h"
#include "harness.h"
#include "ids.h"
#include "keys.h"
#include "savesettings.h"
#include "slottable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {
const char ABSENT[] = "<absent>";
const char SAVE_FAILED[] = SAVE_FAILED_TEXT;

std::string readEntry(int index, EntryField field)
{
    return readSetting(SECTION_LIST, entryKey(index, field).c_str());
}

void writeEntry(int index, const char* path, const char* x, const char* y, const char* type)
{
    writeSetting(SECTION_LIST, entryKey(index, ENTRY_WALL).c_str(), path);
    writeSetting(SECTION_LIST, entryKey(index, ENTRY_XPOS).c_str(), x);
    writeSetting(SECTION_LIST, entryKey(index, ENTRY_YPOS).c_str(), y);
    writeSetting(SECTION_LIST, entryKey(index, ENTRY_TYPE).c_str(), type);
}

class SaveSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        removeSettings();
        HINSTANCE instance = GetModuleHandleA(NULL);
        dialog = CreateWindowExA(0, "STATIC", "save host", WS_OVERLAPPEDWINDOW, 123, 45, 500, 400, NULL, NULL,
                                 instance, NULL);
        ASSERT_TRUE(dialog != NULL);
        changeEvery = child("COMBOBOX", IDC_CHANGE_EVERY, CBS_DROPDOWNLIST | WS_VSCROLL, 150);
        timePeriod = child("COMBOBOX", IDC_TIME_PERIOD, CBS_DROPDOWNLIST | WS_VSCROLL, 150);
        successive = child("BUTTON", IDC_SUCCESSIVE, BS_AUTORADIOBUTTON | WS_GROUP, 20);
        randomly = child("BUTTON", IDC_RANDOM, BS_AUTORADIOBUTTON, 20);
        list = child("LISTBOX", IDC_LIST,
                     WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_MULTIPLESEL | LBS_EXTENDEDSEL, 120);
        const char* policies[] = {"Every Launch", "On Demand", "Randomly (1:5)", "Every 1 Day",
                                  "Every 2 Days", "Every Week", "Every Month"};
        for (const char* text : policies)
            SendMessageA(changeEvery, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        const char* periods[] = {"Once", "And Every 5 min", "And Every Quarter", "And Every Half",
                                 "And Every Hour"};
        for (const char* text : periods)
            SendMessageA(timePeriod, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageA(changeEvery, CB_SETCURSEL, 0, 0);
        SendMessageA(timePeriod, CB_SETCURSEL, 0, 0);
        CheckDlgButton(dialog, IDC_SUCCESSIVE, BST_CHECKED);
        bindList(&slotTable, list);
    }
    void TearDown() override
    {
        DestroyWindow(dialog);
        SetFileAttributesA(settingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        removeSettings();
    }

    HWND child(const char* className, int id, DWORD style, int height)
    {
        HWND window = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 10, 10 + 30 * id % 300,
                                      300, height, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      GetModuleHandleA(NULL), NULL);
        EXPECT_TRUE(window != NULL) << className << " " << id;
        return window;
    }

    void addRows(int count)
    {
        for (int i = 0; i < count; ++i) {
            std::string path = "c:\\Pics\\P" + std::to_string(i) + ".bmp";
            ASSERT_EQ(addEntry(&slotTable, path.c_str(), 100 + i, 200 + i, i % 3), 1);
        }
    }

    HWND dialog = NULL;
    HWND changeEvery = NULL;
    HWND timePeriod = NULL;
    HWND successive = NULL;
    HWND randomly = NULL;
    HWND list = NULL;
};
}  // namespace

TEST_F(SaveSettings, WritesPositionScheduleRotationCurrentRowAndEveryRow)
{
    addRows(3);
    SendMessageA(changeEvery, CB_SETCURSEL, 3, 0);
    SendMessageA(timePeriod, CB_SETCURSEL, 2, 0);
    CheckRadioButton(dialog, IDC_SUCCESSIVE, IDC_RANDOM, IDC_RANDOM);
    SendMessageA(list, LB_SETCARETINDEX, 1, FALSE);

    ASSERT_TRUE(saveSettings(dialog, true));
    RECT place;
    GetWindowRect(dialog, &place);
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_WINDOW_X), std::to_string(place.left));
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_WINDOW_Y), std::to_string(place.top));
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_CHANGE_EVERY), "3");
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_TIME_PERIOD), "2");
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_SUCCESSIVE), "0");
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_BITMAP_INDEX), "1");
    for (int i = 0; i < 3; ++i) {
        // The text is stored exactly as the list shows it, case included.
        EXPECT_EQ(readEntry(i, ENTRY_WALL), "c:\\Pics\\P" + std::to_string(i) + ".bmp");
        EXPECT_EQ(readEntry(i, ENTRY_XPOS), std::to_string(100 + i));
        EXPECT_EQ(readEntry(i, ENTRY_YPOS), std::to_string(200 + i));
        EXPECT_EQ(readEntry(i, ENTRY_TYPE), std::to_string(i % 3));
    }
    EXPECT_EQ(readEntry(3, ENTRY_WALL), ABSENT);
    // Keys this save does not own are left alone.
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_OPEN_DIRECTORY), ABSENT);
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_LAST_CHANGE), ABSENT);

    CheckRadioButton(dialog, IDC_SUCCESSIVE, IDC_RANDOM, IDC_SUCCESSIVE);
    ASSERT_TRUE(saveSettings(dialog, true));
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_SUCCESSIVE), "1");
}

TEST_F(SaveSettings, NeitherRotationButtonCheckedLeavesSuccessiveAlone)
{
    writeSetting(SECTION_CONFIG, KEY_SUCCESSIVE, "7");
    CheckDlgButton(dialog, IDC_SUCCESSIVE, BST_UNCHECKED);
    ASSERT_TRUE(saveSettings(dialog, true));
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_SUCCESSIVE), "7");
}

TEST_F(SaveSettings, RowsAreRenumberedDenselyInListOrderAfterRemovals)
{
    addRows(5);
    ASSERT_TRUE(saveSettings(dialog, true));
    SendMessageA(list, LB_SETSEL, TRUE, 1);
    SendMessageA(list, LB_SETSEL, TRUE, 3);
    removeSelectedEntries(&slotTable);
    // The freed slot 1 now holds a row at the list's end.
    ASSERT_EQ(addEntry(&slotTable, "c:\\new.bmp", 7, 8, 2), 1);

    ASSERT_TRUE(saveSettings(dialog, true));
    const char* walls[] = {"c:\\Pics\\P0.bmp", "c:\\Pics\\P2.bmp", "c:\\Pics\\P4.bmp", "c:\\new.bmp"};
    const char* xs[] = {"100", "102", "104", "7"};
    const char* types[] = {"0", "2", "1", "2"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(readEntry(i, ENTRY_WALL), walls[i]) << i;
        EXPECT_EQ(readEntry(i, ENTRY_XPOS), xs[i]) << i;
        EXPECT_EQ(readEntry(i, ENTRY_TYPE), types[i]) << i;
    }
    for (EntryField field : {ENTRY_WALL, ENTRY_XPOS, ENTRY_YPOS, ENTRY_TYPE})
        EXPECT_EQ(readEntry(4, field), ABSENT) << field;
}

TEST_F(SaveSettings, LeftoverEntriesUpTo49AreDeletedAndEveryOtherKeyOfTheListStays)
{
    for (int i = 0; i < 5; ++i)
        writeEntry(i, "c:\\old.bmp", "1", "2", "0");
    writeEntry(49, "c:\\forty-nine.bmp", "1", "2", "0");
    writeEntry(50, "c:\\fifty.bmp", "5", "6", "2");
    writeEntry(51, "c:\\fifty-one.bmp", "5", "6", "2");
    // Keys of other programs, and other spellings of an entry number.
    const char* foreign[][2] = {{"note", "kept=as it was"}, {"0000_wall", "c:\\four-digit.bmp"}, {"07_type", "9"}};
    for (auto& key : foreign)
        writeSetting(SECTION_LIST, key[0], key[1]);
    writeSetting(SECTION_LIST, "004_TYPE", "8");
    addRows(3);

    ASSERT_TRUE(saveSettings(dialog, true));
    EXPECT_EQ(readEntry(2, ENTRY_WALL), "c:\\Pics\\P2.bmp");
    EXPECT_EQ(readEntry(2, ENTRY_TYPE), "2");
    for (int i : {3, 4, 49})
        for (EntryField field : {ENTRY_WALL, ENTRY_XPOS, ENTRY_YPOS, ENTRY_TYPE})
            EXPECT_EQ(readEntry(i, field), ABSENT) << i << " " << field;
    EXPECT_EQ(readEntry(50, ENTRY_WALL), "c:\\fifty.bmp");
    EXPECT_EQ(readEntry(50, ENTRY_TYPE), "2");
    EXPECT_EQ(readEntry(51, ENTRY_XPOS), "5");
    for (auto& key : foreign)
        EXPECT_EQ(readSetting(SECTION_LIST, key[0]), key[1]) << key[0];
}

namespace {
// Holds the settings file open without sharing from the moment the save asks
// the list for the text of its last row: by then the save has written the
// configuration and still has the whole list to write.
WNDPROC listProc = NULL;
HANDLE heldFile = INVALID_HANDLE_VALUE;
LRESULT lockAtLastRow;

LRESULT CALLBACK lockingListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LB_GETTEXT && static_cast<LRESULT>(wParam) == lockAtLastRow && heldFile == INVALID_HANDLE_VALUE)
        heldFile = CreateFileA(settingsPath().c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    return CallWindowProcA(listProc, list, message, wParam, lParam);
}
}  // namespace

TEST_F(SaveSettings, ASaveRefusedWhileWritingTheListLeavesTheOldListWhole)
{
    for (int i = 0; i < 5; ++i)
        writeEntry(i, ("c:\\old" + std::to_string(i) + ".bmp").c_str(), "1", "2", "0");
    WritePrivateProfileStringA(NULL, NULL, NULL, SETTINGS_FILE);
    addRows(3);
    SendMessageA(list, LB_SETCARETINDEX, 1, FALSE);
    lockAtLastRow = 2;
    heldFile = INVALID_HANDLE_VALUE;
    listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(lockingListProc)));

    BoxWatcher watcher("Error", IDOK);
    EXPECT_FALSE(saveSettings(dialog, true));
    EXPECT_TRUE(watcher.waitFor(1));
    ASSERT_NE(heldFile, INVALID_HANDLE_VALUE) << "the save never asked for the last row";
    CloseHandle(heldFile);
    SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc));
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_BITMAP_INDEX), "1") << "the configuration went first";
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(readEntry(i, ENTRY_WALL), "c:\\old" + std::to_string(i) + ".bmp") << i;
        EXPECT_EQ(readEntry(i, ENTRY_TYPE), "0") << i;
    }
}

TEST_F(SaveSettings, AnEmptyListStoresNoCurrentRowAndNoEntries)
{
    for (int i = 0; i < 50; ++i)
        writeEntry(i, "c:\\old.bmp", "1", "2", "0");
    ASSERT_TRUE(saveSettings(dialog, true));
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_BITMAP_INDEX), "-1");
    for (int i = 0; i < 50; ++i)
        for (EntryField field : {ENTRY_WALL, ENTRY_XPOS, ENTRY_YPOS, ENTRY_TYPE})
            ASSERT_EQ(readEntry(i, field), ABSENT) << i << " " << field;
}

TEST_F(SaveSettings, CombosWithoutASelectionAreSavedAsMinusOne)
{
    SendMessageA(changeEvery, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(timePeriod, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    // A disabled period combo is still saved.
    EnableWindow(timePeriod, FALSE);
    ASSERT_TRUE(saveSettings(dialog, true));
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_CHANGE_EVERY), "-1");
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_TIME_PERIOD), "-1");
}

TEST_F(SaveSettings, OriginsAreSavedUnsignedAndModesWhole)
{
    ASSERT_EQ(addEntry(&slotTable, "c:\\odd.bmp", -5, 70000, 65535), 1);
    ASSERT_EQ(addEntry(&slotTable, "c:\\neg.bmp", 0, 0, -2), 1);
    ASSERT_TRUE(saveSettings(dialog, true));
    EXPECT_EQ(readEntry(0, ENTRY_XPOS), "65531");
    EXPECT_EQ(readEntry(0, ENTRY_YPOS), "4464");
    EXPECT_EQ(readEntry(0, ENTRY_TYPE), "65535");
    EXPECT_EQ(readEntry(1, ENTRY_TYPE), "-2");
}

TEST_F(SaveSettings, A99CharacterPathIsSavedWhole)
{
    std::string path = "c:\\" + std::string(92, 'w') + ".bmp";
    ASSERT_EQ(path.size(), 99u);
    ASSERT_EQ(addEntry(&slotTable, path.c_str(), 1, 1, 1), 1);
    ASSERT_TRUE(saveSettings(dialog, true));
    EXPECT_EQ(readEntry(0, ENTRY_WALL), path);
}

TEST_F(SaveSettings, WithoutContentsOnlyThePositionIsWritten)
{
    addRows(2);
    writeEntry(4, "c:\\old.bmp", "1", "2", "0");
    SetWindowPos(dialog, NULL, 321, 210, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(saveSettings(dialog, false));
    RECT place;
    GetWindowRect(dialog, &place);
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_WINDOW_X), std::to_string(place.left));
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_WINDOW_Y), std::to_string(place.top));
    for (const char* key : {KEY_CHANGE_EVERY, KEY_TIME_PERIOD, KEY_SUCCESSIVE, KEY_BITMAP_INDEX})
        EXPECT_EQ(readSetting(SECTION_CONFIG, key), ABSENT) << key;
    EXPECT_EQ(readEntry(0, ENTRY_WALL), ABSENT);
    EXPECT_EQ(readEntry(4, ENTRY_WALL), "c:\\old.bmp");
}

// Another program holds the file: without any sharing, so that it cannot
// even be read, or sharing reads only, so that it cannot be written. Either
// way the save says so in one box and changes nothing; a file that cannot
// be read is not taken for one without the keys of others.
TEST_F(SaveSettings, AFileHeldOpenByAnotherProgramFailsLoudly)
{
    const struct {
        DWORD sharing;
        const char* text;
    } holds[] = {{0, SAVE_UNREADABLE_TEXT}, {FILE_SHARE_READ, SAVE_FAILED}};
    for (const auto& hold : holds) {
        SCOPED_TRACE(hold.sharing);
        removeSettings();
        writeSetting(SECTION_CONFIG, KEY_CHANGE_EVERY, "4");
        writeSetting(SECTION_LIST, "Other program", "keep me");
        WritePrivateProfileStringA(NULL, NULL, NULL, SETTINGS_FILE);
        HANDLE held = CreateFileA(settingsPath().c_str(), GENERIC_READ, hold.sharing, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        ASSERT_FALSE(WritePrivateProfileStringA(SECTION_CONFIG, "probe", "1", SETTINGS_FILE));
        addRows(2);

        {
            BoxWatcher watcher("Error", IDOK);
            EXPECT_FALSE(saveSettings(dialog, true));
            // A box of this test's own after the save: once it is recorded,
            // every box the save showed is recorded before it.
            MessageBoxA(dialog, "marker", "Error", MB_OK);
            ASSERT_TRUE(watcher.waitFor(2));
            EXPECT_EQ(watcher.texts(), (std::vector<std::string>{hold.text, "marker"}));
            EXPECT_EQ(watcher.icons()[0], static_cast<UINT>(MB_ICONHAND));
            EXPECT_EQ(watcher.owners()[0], dialog);
        }
        {
            BoxWatcher watcher("Error", IDOK);
            EXPECT_FALSE(saveSettings(dialog, false));
            EXPECT_TRUE(watcher.waitFor(1));
        }

        CloseHandle(held);
        EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_CHANGE_EVERY), "4");
        EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_WINDOW_X), ABSENT);
        EXPECT_EQ(readEntry(0, ENTRY_WALL), ABSENT);
        // Once the file is free again the same save goes through, and the
        // keys of others stay.
        EXPECT_TRUE(saveSettings(dialog, true));
        EXPECT_EQ(readEntry(1, ENTRY_WALL), "c:\\Pics\\P1.bmp");
        EXPECT_EQ(readSetting(SECTION_LIST, "Other program"), "keep me");
        clearTable(&slotTable);
    }
}

TEST_F(SaveSettings, AReadOnlyFileFailsLoudly)
{
    writeSetting(SECTION_CONFIG, KEY_CHANGE_EVERY, "4");
    WritePrivateProfileStringA(NULL, NULL, NULL, SETTINGS_FILE);
    ASSERT_TRUE(SetFileAttributesA(settingsPath().c_str(), FILE_ATTRIBUTE_READONLY));
    if (WritePrivateProfileStringA(SECTION_CONFIG, "probe", "1", SETTINGS_FILE))
        GTEST_SKIP() << "this platform writes read-only files for the current user "
                        "(Wine run as root); the held-open case covers the refusal";
    addRows(2);
    BoxWatcher watcher("Error", IDOK);
    EXPECT_FALSE(saveSettings(dialog, true));
    ASSERT_TRUE(watcher.waitFor(1));
    EXPECT_EQ(watcher.texts()[0], SAVE_FAILED);
    EXPECT_EQ(watcher.owners()[0], dialog);
}

// A list section too large to be written whole (other programs' keys by the
// thousand) is saved key by key: the rows as entries, the editor's other
// entries up to 49 deleted field by field, and every other key kept.
TEST_F(SaveSettings, ALargeSectionIsSavedKeyByKeyAndKeepsTheKeysOfOthers)
{
    {
        std::ofstream file(settingsPath().c_str());
        file << "[Bitmap list]\r\n";
        for (int i = 0; i <= 50; ++i) {
            char line[160];
            std::snprintf(line, sizeof line, "%03d_wall=c:\\old\\%d.bmp\r\n%03d_xpos=1\r\n%03d_ypos=2\r\n%03d_type=0\r\n",
                          i, i, i, i, i);
            file << line;
        }
        for (int i = 0; i < 400; ++i)
            file << "Other program " << i << "=" << std::string(80, 'v') << "\r\n";
    }
    addRows(3);
    ASSERT_TRUE(saveSettings(dialog, true));
    EXPECT_EQ(readEntry(2, ENTRY_WALL), "c:\\Pics\\P2.bmp");
    EXPECT_EQ(readEntry(2, ENTRY_TYPE), "2");
    for (int index = 3; index < 50; ++index)
        for (EntryField field : {ENTRY_WALL, ENTRY_XPOS, ENTRY_YPOS, ENTRY_TYPE})
            EXPECT_EQ(readEntry(index, field), ABSENT) << index << " " << field;
    EXPECT_EQ(readEntry(50, ENTRY_WALL), "c:\\old\\50.bmp");
    EXPECT_EQ(readEntry(50, ENTRY_TYPE), "0");
    EXPECT_EQ(readSetting(SECTION_LIST, "Other program 0"), std::string(80, 'v'));
    EXPECT_EQ(readSetting(SECTION_LIST, "Other program 399"), std::string(80, 'v'));
}
