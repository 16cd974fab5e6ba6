// The editor's dialog filled from a prepared settings file, and the
// placement controls following the list's caret row.
#include "editor_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {
class EditorLoad : public EditorFixture {};

const std::vector<std::string> POLICY_ROWS = {"Every Launch", "On Demand",   "Randomly (1:5)", "Every 1 Day",
                                              "Every 2 Days", "Every Week", "Every Month"};
const std::vector<std::string> PERIOD_ROWS = {"Once", "And Every 5 min", "And Every Quarter", "And Every Half",
                                              "And Every Hour"};

bool isReadOnly(HWND dialog, int id)
{
    return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY) != 0;
}

}  // namespace

TEST_F(EditorLoad, EveryControlShowsThePreparedSettings)
{
    writeEntries({{sampleBitmap(0), 5, 6, 0}, {sampleBitmap(1), 1, 1, 1}, {sampleBitmap(2), 100, 50, 2}});
    writeSetting("Configuration", "Successive", "0");
    writeSetting("Configuration", "Change every", "3");
    writeSetting("Configuration", "Time period", "2");
    writeSetting("Configuration", "Bitmap index", "2");
    writeSetting("Configuration", "Window X-pos", "60");
    writeSetting("Configuration", "Window Y-pos", "70");
    writeProfile("DESKTOP", "WALLPAPER", "C:\\Some Dir\\WALL.BMP");

    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    HWND dialog = editor.dialog;
    EXPECT_EQ(listRows(dialog), (std::vector<std::string>{sampleBitmap(0), sampleBitmap(1), sampleBitmap(2)}));
    EXPECT_EQ(caretRow(dialog), 2);
    EXPECT_TRUE(isChecked(dialog, ED_RANDOM));
    EXPECT_FALSE(isChecked(dialog, ED_SUCCESSIVE));
    EXPECT_EQ(comboRows(dialog, ED_CHANGE_EVERY), POLICY_ROWS);
    EXPECT_EQ(comboSelection(dialog, ED_CHANGE_EVERY), 3);
    EXPECT_EQ(comboRows(dialog, ED_TIME_PERIOD), PERIOD_ROWS);
    EXPECT_EQ(comboSelection(dialog, ED_TIME_PERIOD), 2);
    EXPECT_FALSE(isEnabled(dialog, ED_TIME_PERIOD)) << "a period only goes with the policies 0 and 1";
    EXPECT_EQ(comboRows(dialog, ED_CURRENT_WALLPAPER), std::vector<std::string>{"c:\\some dir\\wall.bmp"});
    EXPECT_EQ(comboSelection(dialog, ED_CURRENT_WALLPAPER), 0);
    RECT place;
    GetWindowRect(dialog, &place);
    EXPECT_EQ(place.left, 60);
    EXPECT_EQ(place.top, 70);
    // No placement is shown until the list reports a row.
    EXPECT_FALSE(isChecked(dialog, ED_TILE));
    EXPECT_FALSE(isChecked(dialog, ED_CENTER));
    EXPECT_FALSE(isChecked(dialog, ED_DEFINED));
    EXPECT_TRUE(isEnabled(dialog, ED_X_UPDOWN));
    EXPECT_TRUE(isEnabled(dialog, ED_Y_UPDOWN));
    EXPECT_FALSE(isEnabled(dialog, ED_PREVIEW_FRAME));
    closeUnchanged(editor);
}

TEST_F(EditorLoad, WithoutASettingsFileTheDefaultsShow)
{
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    HWND dialog = editor.dialog;
    EXPECT_TRUE(listRows(dialog).empty());
    EXPECT_TRUE(isChecked(dialog, ED_SUCCESSIVE));
    EXPECT_FALSE(isChecked(dialog, ED_RANDOM));
    EXPECT_EQ(comboSelection(dialog, ED_CHANGE_EVERY), 0);
    EXPECT_EQ(comboSelection(dialog, ED_TIME_PERIOD), 0);
    EXPECT_TRUE(isEnabled(dialog, ED_TIME_PERIOD));
    RECT place;
    GetWindowRect(dialog, &place);
    EXPECT_EQ(place.left, 20);
    EXPECT_EQ(place.top, 20);
    closeUnchanged(editor);
    EXPECT_EQ(readSetting("Configuration", "Window X-pos"), "20");
    EXPECT_EQ(readSetting("Configuration", "Window Y-pos"), "20");
    EXPECT_EQ(readSetting("Configuration", "Successive"), "<absent>");
}

TEST_F(EditorLoad, StoredValuesOutsideTheCombosLeaveThemEmptyAndSaveAsMinusOne)
{
    writeSetting("Configuration", "Change every", "9");
    writeSetting("Configuration", "Time period", "7");
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    EXPECT_EQ(comboSelection(editor.dialog, ED_CHANGE_EVERY), -1);
    EXPECT_EQ(comboSelection(editor.dialog, ED_TIME_PERIOD), -1);
    EXPECT_FALSE(isEnabled(editor.dialog, ED_TIME_PERIOD));
    sendCommand(editor.dialog, ED_SAVE);
    EXPECT_EQ(readSetting("Configuration", "Change every"), "-1");
    EXPECT_EQ(readSetting("Configuration", "Time period"), "-1");
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "-1");
    closeUnchanged(editor);
}

TEST_F(EditorLoad, ChoosingAPolicyEnablesThePeriodOnlyForLaunchAndDemand)
{
    writeSetting("Configuration", "Change every", "4");
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    HWND combo = GetDlgItem(editor.dialog, ED_CHANGE_EVERY);
    EXPECT_FALSE(isEnabled(editor.dialog, ED_TIME_PERIOD));
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    sendCommand(editor.dialog, ED_CHANGE_EVERY);
    EXPECT_TRUE(isEnabled(editor.dialog, ED_TIME_PERIOD));
    SendMessageA(combo, CB_SETCURSEL, 6, 0);
    sendCommand(editor.dialog, ED_CHANGE_EVERY);
    EXPECT_FALSE(isEnabled(editor.dialog, ED_TIME_PERIOD));

    // "Undo Changes" reads the file again and forgets the change.
    sendCommand(editor.dialog, ED_UNDO);
    EXPECT_EQ(comboSelection(editor.dialog, ED_CHANGE_EVERY), 4);
    closeUnchanged(editor);
}

TEST_F(EditorLoad, TheCaretRowsPlacementIsShownWithoutCountingAsAChange)
{
    writeEntries({{sampleBitmap(0), 5, 6, 0}, {sampleBitmap(1), 1, 1, 1}, {sampleBitmap(2), 100, 50, 2}});
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    HWND dialog = editor.dialog;

    selectRows(dialog, {2});
    setCaretRow(dialog, 2);
    sendCommand(dialog, ED_LIST);
    EXPECT_TRUE(isChecked(dialog, ED_DEFINED));
    EXPECT_FALSE(isChecked(dialog, ED_TILE));
    EXPECT_EQ(controlText(dialog, ED_X_EDIT), "100");
    EXPECT_EQ(controlText(dialog, ED_Y_EDIT), "50");
    EXPECT_TRUE(isEnabled(dialog, ED_X_UPDOWN));
    EXPECT_FALSE(isReadOnly(dialog, ED_X_EDIT));
    EXPECT_TRUE(isEnabled(dialog, ED_APPLY));
    EXPECT_TRUE(isEnabled(dialog, ED_PREVIEW));

    // The caret row need not be selected; two selected rows disable the
    // commands that act on one picture.
    selectRows(dialog, {1, 2});
    setCaretRow(dialog, 0);
    sendCommand(dialog, ED_LIST);
    EXPECT_TRUE(isChecked(dialog, ED_TILE));
    EXPECT_FALSE(isChecked(dialog, ED_DEFINED));
    EXPECT_EQ(controlText(dialog, ED_X_EDIT), "5");
    EXPECT_EQ(controlText(dialog, ED_Y_EDIT), "6");
    EXPECT_FALSE(isEnabled(dialog, ED_X_UPDOWN));
    EXPECT_FALSE(isEnabled(dialog, ED_Y_UPDOWN));
    EXPECT_TRUE(isReadOnly(dialog, ED_X_EDIT));
    EXPECT_TRUE(isReadOnly(dialog, ED_Y_EDIT));
    EXPECT_FALSE(isEnabled(dialog, ED_APPLY));
    EXPECT_FALSE(isEnabled(dialog, ED_PREVIEW));

    // Showing rows copied nothing onto the selected rows.
    sendCommand(dialog, ED_SAVE);
    EXPECT_EQ(readEntry(1), (std::vector<std::string>{sampleBitmap(1), "1", "1", "1"}));
    EXPECT_EQ(readEntry(2), (std::vector<std::string>{sampleBitmap(2), "100", "50", "2"}));
    closeUnchanged(editor);
}

TEST_F(EditorLoad, AnEmptyListsNotificationChangesNoPlacementControl)
{
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    sendCommand(editor.dialog, ED_LIST);
    EXPECT_FALSE(isChecked(editor.dialog, ED_TILE));
    EXPECT_FALSE(isChecked(editor.dialog, ED_CENTER));
    EXPECT_FALSE(isChecked(editor.dialog, ED_DEFINED));
    EXPECT_TRUE(isEnabled(editor.dialog, ED_X_UPDOWN));
    EXPECT_FALSE(isReadOnly(editor.dialog, ED_X_EDIT));
    EXPECT_TRUE(isEnabled(editor.dialog, ED_APPLY));
    EXPECT_TRUE(isEnabled(editor.dialog, ED_PREVIEW));
    closeUnchanged(editor);
}

TEST_F(EditorLoad, TheCurrentWallpaperFollowsTheDesktopsAnnouncement)
{
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    std::string picture = sampleBitmap(3);
    // Another program sets the wallpaper; the platform tells every window.
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(picture.c_str()),
                                      SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE));
    std::string expected = picture;
    for (char& c : expected)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    DWORD start = GetTickCount();
    while (comboRows(editor.dialog, ED_CURRENT_WALLPAPER) != std::vector<std::string>{expected} &&
           GetTickCount() - start < 5000)
        pumpFor(50);
    EXPECT_EQ(comboRows(editor.dialog, ED_CURRENT_WALLPAPER), std::vector<std::string>{expected});
    EXPECT_EQ(comboSelection(editor.dialog, ED_CURRENT_WALLPAPER), 0);
    closeUnchanged(editor);
}

TEST_F(EditorLoad, UndoClearsThePlacementButtonsAndKeepsTheCoordinateControls)
{
    writeEntries({{sampleBitmap(0), 5, 6, 0}, {sampleBitmap(1), 100, 50, 2}});
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    HWND dialog = editor.dialog;
    HWND xUpDown = GetDlgItem(dialog, ED_X_UPDOWN);
    HWND yUpDown = GetDlgItem(dialog, ED_Y_UPDOWN);
    ASSERT_NE(xUpDown, (HWND)NULL);
    ASSERT_NE(yUpDown, (HWND)NULL);

    // The up arrow runs toward 1, the down arrow toward the screen's size.
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    LRESULT xRange = SendMessageA(xUpDown, UDM_GETRANGE, 0, 0);
    LRESULT yRange = SendMessageA(yUpDown, UDM_GETRANGE, 0, 0);
    EXPECT_EQ(LOWORD(xRange), 1);
    EXPECT_EQ(HIWORD(xRange), screen.right);
    EXPECT_EQ(LOWORD(yRange), 1);
    EXPECT_EQ(HIWORD(yRange), screen.bottom);

    selectRows(dialog, {0});
    setCaretRow(dialog, 0);
    sendCommand(dialog, ED_LIST);
    ASSERT_TRUE(isChecked(dialog, ED_TILE));
    ASSERT_FALSE(isEnabled(dialog, ED_X_UPDOWN));

    // Undo reads the file again: no placement is shown, the coordinate
    // controls stay as they were and are not made again.
    sendCommand(dialog, ED_UNDO);
    EXPECT_FALSE(isChecked(dialog, ED_TILE));
    EXPECT_FALSE(isChecked(dialog, ED_CENTER));
    EXPECT_FALSE(isChecked(dialog, ED_DEFINED));
    EXPECT_EQ(GetDlgItem(dialog, ED_X_UPDOWN), xUpDown);
    EXPECT_EQ(GetDlgItem(dialog, ED_Y_UPDOWN), yUpDown);
    EXPECT_FALSE(isEnabled(dialog, ED_X_UPDOWN));
    EXPECT_FALSE(isEnabled(dialog, ED_Y_UPDOWN));
    EXPECT_TRUE(isReadOnly(dialog, ED_X_EDIT));
    EXPECT_TRUE(isReadOnly(dialog, ED_Y_EDIT));
    EXPECT_EQ(SendMessageA(xUpDown, UDM_GETRANGE, 0, 0), xRange);
    EXPECT_EQ(SendMessageA(yUpDown, UDM_GETRANGE, 0, 0), yRange);
    closeUnchanged(editor);
}

TEST_F(EditorLoad, AStoredModeOutsideThePlacementsShowsNoneAndACoordinateChangeStoresNone)
{
    writeEntries({{sampleBitmap(0), 5, 6, 7}, {sampleBitmap(1), 1, 1, 1}});
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    HWND dialog = editor.dialog;

    selectRows(dialog, {0, 1});
    setCaretRow(dialog, 0);
    sendCommand(dialog, ED_LIST);
    EXPECT_FALSE(isChecked(dialog, ED_TILE));
    EXPECT_FALSE(isChecked(dialog, ED_CENTER));
    EXPECT_FALSE(isChecked(dialog, ED_DEFINED));
    EXPECT_EQ(controlText(dialog, ED_X_EDIT), "5");
    EXPECT_EQ(controlText(dialog, ED_Y_EDIT), "6");

    // With no placement checked, the change gives every selected row the
    // origin shown and the value of "no placement".
    sendCommand(dialog, ED_X_EDIT);
    sendCommand(dialog, ED_SAVE);
    EXPECT_EQ(readEntry(0), (std::vector<std::string>{sampleBitmap(0), "5", "6", "65535"}));
    EXPECT_EQ(readEntry(1), (std::vector<std::string>{sampleBitmap(1), "5", "6", "65535"}));
    closeUnchanged(editor);
}

TEST_F(EditorLoad, APositionPartlyOffTheScreenIsSavedAndRestoredUnchanged)
{
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    SetWindowPos(editor.dialog, NULL, -40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    closeUnchanged(editor);
    EXPECT_EQ(readSetting("Configuration", "Window X-pos"), "-40");
    EXPECT_EQ(readSetting("Configuration", "Window Y-pos"), "30");

    Editor again = startEditor();
    ASSERT_NE(again.dialog, (HWND)NULL);
    RECT place;
    GetWindowRect(again.dialog, &place);
    EXPECT_EQ(place.left, -40);
    EXPECT_EQ(place.top, 30);
    closeUnchanged(again);
}
