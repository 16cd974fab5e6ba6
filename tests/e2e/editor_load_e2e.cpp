// The editor's dialog filled from a prepared settings file, and the
// placement controls following the list's caret row.
#include "editor_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <ostream>
#include <utility>

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

// Whether the origin can be edited: both up-down controls enabled and both
// fields writable, neither, or a mixture (always a fault).
enum Origin { ORIGIN_EDITABLE, ORIGIN_FIXED, ORIGIN_MIXED };

// What the placement controls show: the one checked placement button (0 for
// none, -1 for several), the origin, and whether Apply and Preview, which
// act on one picture, are enabled.
struct PlacementView {
    int checked;
    Origin origin;
    bool onePicture;
    bool operator==(const PlacementView& other) const
    {
        return checked == other.checked && origin == other.origin && onePicture == other.onePicture;
    }
};

std::ostream& operator<<(std::ostream& out, const PlacementView& view)
{
    return out << "{checked " << view.checked << ", origin " << view.origin << ", one picture " << view.onePicture
               << "}";
}

PlacementView placementShown(HWND dialog)
{
    PlacementView view = {0, ORIGIN_MIXED, false};
    for (int id : {ED_TILE, ED_CENTER, ED_DEFINED})
        if (isChecked(dialog, id))
            view.checked = view.checked ? -1 : id;
    const bool editable[] = {isEnabled(dialog, ED_X_UPDOWN), isEnabled(dialog, ED_Y_UPDOWN),
                             !isReadOnly(dialog, ED_X_EDIT), !isReadOnly(dialog, ED_Y_EDIT)};
    bool all = true, none = true;
    for (bool each : editable) {
        all = all && each;
        none = none && !each;
    }
    view.origin = all ? ORIGIN_EDITABLE : none ? ORIGIN_FIXED : ORIGIN_MIXED;
    bool apply = isEnabled(dialog, ED_APPLY);
    view.onePicture = apply && isEnabled(dialog, ED_PREVIEW);
    EXPECT_EQ(apply, isEnabled(dialog, ED_PREVIEW)) << "Apply and Preview go together";
    return view;
}

// Right after loading nothing is shown: no placement until the list reports
// a row, the origin still editable, and the preview frame disabled.
const PlacementView NOTHING_SHOWN = {0, ORIGIN_EDITABLE, true};

// A settings file and what the dialog shows of it: the rows, the caret (an
// empty list has none: -1), the rotation, both schedule combos (-1: no row
// selected) and the position; the row of the picture the changer shows
// ("Now shown"), selected (-1: none).
struct LoadCase {
    const char* name;
    int entries;
    std::vector<std::pair<const char*, const char*>> configuration;
    int caret;
    bool random;
    int policy;
    int period;
    bool periodEnabled;
    POINT place;
    int shownRow;
};

const LoadCase LOAD_CASES[] = {
    {"Prepared",
     3,
     {{"Successive", "0"},
      {"Change every", "3"},
      {"Time period", "2"},
      {"Bitmap index", "2"},
      {"Window X-pos", "60"},
      {"Window Y-pos", "70"}},
     2, true, 3, 2, false, {60, 70}, 1},
    {"WithoutAFile", 0, {}, -1, false, 0, 0, true, {20, 20}, -1},
    {"ValuesOutsideTheCombos", 0, {{"Change every", "9"}, {"Time period", "7"}}, -1, false, -1, -1, false, {20, 20},
     -1},
    {"OnDemandWithAPeriod",
     2,
     {{"Change every", "1"}, {"Time period", "4"}, {"Bitmap index", "1"}},
     1, false, 1, 4, true, {20, 20}, -1},
};

class EditorLoading : public EditorLoad, public ::testing::WithParamInterface<LoadCase> {};
}  // namespace

TEST_P(EditorLoading, EveryControlShowsTheStoredSettingsAndSavesThemBack)
{
    const LoadCase& stored = GetParam();
    std::vector<StoredEntry> entries;
    std::vector<std::string> rows;
    for (int i = 0; i < stored.entries; ++i) {
        entries.push_back({sampleBitmap(i), 5 * i, 6 * i, i % 3});
        rows.push_back(sampleBitmap(i));
    }
    writeEntries(entries);
    for (const auto& setting : stored.configuration)
        writeSetting("Configuration", setting.first, setting.second);
    writeProfile("DESKTOP", "WALLPAPER", "C:\\Some Dir\\WALL.BMP");
    if (stored.shownRow >= 0)
        writeSetting("Now shown", "Monitor 1", sampleBitmap(stored.shownRow).c_str());

    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    HWND dialog = editor.dialog;
    EXPECT_EQ(listRows(dialog), rows);
    if (stored.entries > 0) {
        EXPECT_EQ(caretRow(dialog), stored.caret);
    }
    HWND list = GetDlgItem(dialog, ED_LIST);
    EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), stored.shownRow >= 0 ? 1 : 0);
    if (stored.shownRow >= 0) {
        EXPECT_GT(SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(stored.shownRow), 0), 0);
    }
    EXPECT_EQ(isChecked(dialog, ED_RANDOM), stored.random);
    EXPECT_EQ(isChecked(dialog, ED_SUCCESSIVE), !stored.random);
    EXPECT_EQ(comboRows(dialog, ED_CHANGE_EVERY), POLICY_ROWS);
    EXPECT_EQ(comboSelection(dialog, ED_CHANGE_EVERY), stored.policy);
    EXPECT_EQ(comboRows(dialog, ED_TIME_PERIOD), PERIOD_ROWS);
    EXPECT_EQ(comboSelection(dialog, ED_TIME_PERIOD), stored.period);
    EXPECT_EQ(isEnabled(dialog, ED_TIME_PERIOD), stored.periodEnabled)
        << "a period only goes with the policies 0 and 1";
    EXPECT_EQ(comboRows(dialog, ED_CURRENT_WALLPAPER), std::vector<std::string>{"c:\\some dir\\wall.bmp"});
    EXPECT_EQ(comboSelection(dialog, ED_CURRENT_WALLPAPER), 0);
    RECT place;
    GetWindowRect(dialog, &place);
    EXPECT_EQ(place.left, stored.place.x);
    EXPECT_EQ(place.top, stored.place.y);
    EXPECT_EQ(placementShown(dialog), NOTHING_SHOWN);
    EXPECT_FALSE(isEnabled(dialog, ED_PREVIEW_FRAME));
    if (stored.entries == 0) {
        // An empty list's notification has no row to show.
        sendCommand(dialog, ED_LIST);
        EXPECT_EQ(placementShown(dialog), NOTHING_SHOWN);
    }

    // Saved back as shown: a combo without a selection as -1, and the caret
    // row (-1 for an empty list) as the current entry.
    sendCommand(dialog, ED_SAVE);
    EXPECT_EQ(readSetting("Configuration", "Successive"), stored.random ? "0" : "1");
    EXPECT_EQ(readSetting("Configuration", "Change every"), std::to_string(stored.policy));
    EXPECT_EQ(readSetting("Configuration", "Time period"), std::to_string(stored.period));
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), std::to_string(stored.caret));
    closeUnchanged(editor);
    EXPECT_EQ(readSetting("Configuration", "Window X-pos"), std::to_string(stored.place.x));
    EXPECT_EQ(readSetting("Configuration", "Window Y-pos"), std::to_string(stored.place.y));
}

INSTANTIATE_TEST_SUITE_P(EditorLoad, EditorLoading, ::testing::ValuesIn(LOAD_CASES),
                         [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

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

    // The caret row need not be selected; two selected rows disable the
    // commands that act on one picture.
    const struct {
        std::vector<int> selected;
        int caret;
        PlacementView shown;
        const char* x;
        const char* y;
    } rows[] = {
        {{2}, 2, {ED_DEFINED, ORIGIN_EDITABLE, true}, "100", "50"},
        {{1, 2}, 0, {ED_TILE, ORIGIN_FIXED, false}, "5", "6"},
        {{0}, 1, {ED_CENTER, ORIGIN_FIXED, true}, "1", "1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caret);
        selectRows(dialog, row.selected);
        setCaretRow(dialog, row.caret);
        sendCommand(dialog, ED_LIST);
        EXPECT_EQ(placementShown(dialog), row.shown);
        EXPECT_EQ(controlText(dialog, ED_X_EDIT), row.x);
        EXPECT_EQ(controlText(dialog, ED_Y_EDIT), row.y);
    }

    // Showing rows copied nothing onto the selected rows.
    sendCommand(dialog, ED_SAVE);
    EXPECT_EQ(readEntry(1), (std::vector<std::string>{sampleBitmap(1), "1", "1", "1"}));
    EXPECT_EQ(readEntry(2), (std::vector<std::string>{sampleBitmap(2), "100", "50", "2"}));
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
    std::string expected = lowerAscii(picture);
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
    ASSERT_EQ(placementShown(dialog), (PlacementView{ED_TILE, ORIGIN_FIXED, true}));

    // Undo reads the file again: no placement is shown, the coordinate
    // controls stay as they were and are not made again.
    sendCommand(dialog, ED_UNDO);
    EXPECT_EQ(placementShown(dialog), (PlacementView{0, ORIGIN_FIXED, true}));
    EXPECT_EQ(GetDlgItem(dialog, ED_X_UPDOWN), xUpDown);
    EXPECT_EQ(GetDlgItem(dialog, ED_Y_UPDOWN), yUpDown);
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
    EXPECT_EQ(placementShown(dialog), (PlacementView{0, ORIGIN_EDITABLE, false}));
    EXPECT_EQ(controlText(dialog, ED_X_EDIT), "5");
    EXPECT_EQ(controlText(dialog, ED_Y_EDIT), "6");

    // With no placement checked, the change gives every selected row the
    // origin shown and the value of "no placement".
    setControlText(dialog, ED_X_EDIT, "5");
    sendCommand(dialog, ED_SAVE);
    EXPECT_EQ(readEntry(0), (std::vector<std::string>{sampleBitmap(0), "5", "6", "65535"}));
    EXPECT_EQ(readEntry(1), (std::vector<std::string>{sampleBitmap(1), "5", "6", "65535"}));
    closeUnchanged(editor);
}

TEST_F(EditorLoad, APositionPartlyOffTheScreenIsKeptAndOneOffEveryScreenBroughtBack)
{
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    const struct {
        int x;
        int y;
        bool kept;
    } places[] = {
        {-40, 30, true},
        {screen.right - 60, screen.bottom - 40, true},
        {-30000, -30000, false},
        {screen.right + 200, 100, false},
        {100, -200, false},
        {100, screen.bottom + 5, false},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(std::to_string(place.x) + ", " + std::to_string(place.y));
        writeSetting("Configuration", "Window X-pos", std::to_string(place.x).c_str());
        writeSetting("Configuration", "Window Y-pos", std::to_string(place.y).c_str());
        Editor editor = startEditor();
        ASSERT_NE(editor.dialog, (HWND)NULL);
        RECT shown;
        GetWindowRect(editor.dialog, &shown);
        if (place.kept) {
            EXPECT_EQ(shown.left, place.x);
            EXPECT_EQ(shown.top, place.y);
        } else {
            // The whole title bar can be reached again.
            EXPECT_GE(shown.left, screen.left);
            EXPECT_GE(shown.top, screen.top);
            EXPECT_LE(shown.right, screen.right);
            EXPECT_LT(shown.top + GetSystemMetrics(SM_CYCAPTION), screen.bottom);
        }
        closeUnchanged(editor);
        EXPECT_EQ(readSetting("Configuration", "Window X-pos"), std::to_string(shown.left));
    }
}
