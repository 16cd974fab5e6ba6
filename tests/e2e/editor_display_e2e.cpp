// The display options of the editor's "Wallpaper" menu: the dialog shows what
// section "Display" holds, OK writes every option, and every other way out
// writes nothing; neither counts as an unsaved change of the editor.
#include "editor_driver.h"
#include "editortexts.h"
#include "ids.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>

namespace {
const char* const ABSENT = "<absent>";

// Opens the dialog through the menu bar's command; it shows once it has read
// the settings.
HWND openDisplayOptions(const Editor& editor)
{
    postCommand(editor.dialog, IDC_DISPLAY_OPTIONS);
    HWND options = waitForWindow("#32770", DISPLAY_OPTIONS_TITLE, 10000, editor.program.id);
    for (DWORD start = GetTickCount(); options && !IsWindowVisible(options) && GetTickCount() - start < 10000;)
        pumpFor(20);
    EXPECT_TRUE(options && IsWindowVisible(options)) << "the display options did not appear";
    EXPECT_EQ(GetWindow(options, GW_OWNER), editor.dialog);
    return options;
}

// The values whose buttons are checked in a group: one, in a sound group.
std::vector<int> checkedValues(HWND options, int first, int count)
{
    std::vector<int> values;
    for (int value = 0; value < count; ++value)
        if (isChecked(options, first + value))
            values.push_back(value);
    return values;
}

// The check boxes come in two kinds, on and off unless turned: waiting for a
// full screen and a folder's subfolders, waiting on battery and the fair
// random order. The cases turn each the other way, kind by kind.
void expectShown(HWND options, int monitors, int fit, bool onKind, bool offKind)
{
    EXPECT_EQ(checkedValues(options, IDC_MONITORS_SAME, 3), std::vector<int>{monitors});
    EXPECT_EQ(checkedValues(options, IDC_FIT_CENTER, 4), std::vector<int>{fit});
    EXPECT_EQ(isChecked(options, IDC_WAIT_FULL_SCREEN), onKind);
    EXPECT_EQ(isChecked(options, IDC_SUBFOLDERS), onKind);
    EXPECT_EQ(isChecked(options, IDC_WAIT_ON_BATTERY), offKind);
    EXPECT_EQ(isChecked(options, IDC_SHUFFLE), offKind);
}

// What the dialog shows for a stored value: the value, or the default.
int shownFor(const std::string& stored, int fallback = 0)
{
    return stored == ABSENT ? fallback : std::atoi(stored.c_str());
}

// The text a hot-key control shows for its key: the modifiers' and the
// key's names, joined by " + ". Windows names an extended key (the arrows
// beside the keypad) as such; Wine's control names the keypad's key.
std::string hotKeyText(HWND control, bool extended)
{
    LRESULT key = SendMessageA(control, HKM_GETHOTKEY, 0, 0);
    BYTE modifiers = HIBYTE(LOWORD(key));
    const struct {
        BYTE flag;
        UINT virtualKey;
    } parts[] = {{HOTKEYF_CONTROL, VK_CONTROL}, {HOTKEYF_SHIFT, VK_SHIFT}, {HOTKEYF_ALT, VK_MENU}};
    std::string text;
    char name[64];
    for (const auto& part : parts)
        if ((modifiers & part.flag) && GetKeyNameTextA(MapVirtualKeyA(part.virtualKey, 0) << 16, name, sizeof name))
            text = text + name + " + ";
    bool extendedBit = (modifiers & HOTKEYF_EXT) && extended;
    LONG scan = static_cast<LONG>(MapVirtualKeyA(LOBYTE(key), 0) << 16 | (extendedBit ? 1 << 24 : 0));
    return GetKeyNameTextA(scan, name, sizeof name) ? text + name : text;
}

// Where a control of the dialog's font (the templates' "MS Sans Serif" 8 at
// the display's scale) would cut its text: a note naming it, or nothing.
// Check boxes and radio buttons lose a box and a gap to their text, push
// buttons, hot-key fields and combo boxes their edges and drop-down button.
// Static texts and multi-line buttons wrap, and must not run out below.
std::string cutText(HWND control, HDC dc, int dpi)
{
    char className[32] = "";
    GetClassNameA(control, className, sizeof className);
    std::string kind = lowerAscii(className);
    DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
    RECT client;
    GetClientRect(control, &client);
    std::vector<std::string> texts;
    int spare = 0;
    bool wraps = false;
    if (kind == "combobox") {
        texts = comboRows(GetParent(control), GetDlgCtrlID(control));
        spare = GetSystemMetrics(SM_CXVSCROLL) + MulDiv(6, dpi, 96);
    } else if (kind == "msctls_hotkey32") {
        texts = {hotKeyText(control, true), hotKeyText(control, false)};
        spare = MulDiv(6, dpi, 96);
    } else {
        char text[256] = "";
        DWORD_PTR ignored;
        SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                            5000, &ignored);
        texts.push_back(text);
        DWORD type = style & BS_TYPEMASK;
        bool isButton = kind == "button" || kind == "borradio";
        if (isButton && type == BS_GROUPBOX)
            spare = MulDiv(16, dpi, 96);
        else if (isButton && type >= BS_CHECKBOX && type <= BS_AUTORADIOBUTTON)
            spare = MulDiv(13 + 4, dpi, 96);
        else if (isButton)
            spare = MulDiv(8, dpi, 96);
        else if (kind != "static" && kind != "borstatic")
            return "";
        wraps = !isButton || (style & BS_MULTILINE);
    }
    for (const std::string& text : texts) {
        RECT need = {0, 0, client.right - spare, 0};
        DrawTextA(dc, text.c_str(), -1, &need, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        if (!text.empty() && (need.right > client.right - spare || need.bottom > client.bottom))
            return "\"" + text + "\" needs " + std::to_string(need.right + spare) + " x " +
                   std::to_string(need.bottom) + " pixels, has " + std::to_string(client.right) + " x " +
                   std::to_string(client.bottom);
    }
    return "";
}

// The cut texts of every control of a dialog; counts the controls measured.
std::vector<std::string> cutTexts(HWND dialog, int dpi, int* measured)
{
    HFONT font = CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                             "MS Sans Serif");
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ held = SelectObject(dc, font);
    std::vector<std::string> cut;
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        std::string note = cutText(control, dc, dpi);
        ++*measured;
        if (!note.empty())
            cut.push_back(note);
    }
    SelectObject(dc, held);
    DeleteDC(dc);
    DeleteObject(font);
    return cut;
}

void pressOk(HWND options) { clickButton(options, IDOK); }
void pressCancel(HWND options) { clickButton(options, IDCANCEL); }
void pressEscape(HWND options) { PostMessageA(options, WM_KEYDOWN, VK_ESCAPE, 0); }
void closeBox(HWND options) { PostMessageA(options, WM_SYSCOMMAND, SC_CLOSE, 0); }
}  // namespace

// Stored before the editor starts (null: no section), shown, and stored after
// choosing "A different picture on each monitor" and "Stretch", turning the
// waits for a full screen off and on battery on, and leaving. Waiting for a
// full screen is on unless turned off.
struct DisplayCase {
    const char* name;
    const char* monitors;
    const char* fit;
    int shownMonitors;
    int shownFit;
    void (*leave)(HWND options);
    const char* savedMonitors;
    const char* savedFit;
    const char* savedWaitFullScreen;
    const char* savedWaitOnBattery;
};

const DisplayCase DISPLAY_CASES[] = {
    {"OkWritesEveryOption", "2", "1", 2, 1, pressOk, "1", "3", "0", "1"},
    {"CancelWritesNothing", "2", "1", 2, 1, pressCancel, "2", "1", ABSENT, ABSENT},
    {"EscapeWritesNothing", "2", "1", 2, 1, pressEscape, "2", "1", ABSENT, ABSENT},
    {"CloseBoxWritesNothing", "2", "1", 2, 1, closeBox, "2", "1", ABSENT, ABSENT},
    {"NoSectionShowsTheDefaults", nullptr, nullptr, 0, 0, pressCancel, ABSENT, ABSENT, ABSENT, ABSENT},
    {"ValuesOffTheListShowTheDefaults", "3", "-1", 0, 0, pressOk, "1", "3", "0", "1"},
};

class EditorDisplay : public EditorFixture, public ::testing::WithParamInterface<DisplayCase> {};

TEST_P(EditorDisplay, ShowsTheStoredOptionsAndOnlyOkWritesThem)
{
    const DisplayCase& display = GetParam();
    if (display.monitors) {
        writeSetting(SECTION_DISPLAY, KEY_MONITORS, display.monitors);
        writeSetting(SECTION_DISPLAY, KEY_FIT, display.fit);
    }
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    HWND options = openDisplayOptions(editor);
    ASSERT_NE(options, (HWND)NULL);
    expectShown(options, display.shownMonitors, display.shownFit, true, false);
    clickButton(options, IDC_MONITORS_EACH);
    clickButton(options, IDC_FIT_STRETCH);
    clickButton(options, IDC_WAIT_FULL_SCREEN);
    clickButton(options, IDC_WAIT_ON_BATTERY);
    clickButton(options, IDC_SUBFOLDERS);
    clickButton(options, IDC_SHUFFLE);
    expectShown(options, 1, 3, false, true);
    // The next-key shows its default, and becomes Ctrl+Alt+F as F is typed
    // alone (a key alone would be taken from every program); the desktop's
    // menu gets the verb.
    HWND nextKey = GetDlgItem(options, IDC_NEXT_KEY);
    EXPECT_EQ(SendMessageA(nextKey, HKM_GETHOTKEY, 0, 0), DEFAULT_NEXT_KEY);
    SendMessageA(nextKey, WM_KEYDOWN, 'F', 0);
    SendMessageA(nextKey, WM_KEYUP, 'F', 0xC0000000);
    EXPECT_EQ(SendMessageA(nextKey, HKM_GETHOTKEY, 0, 0), 0x0646);
    EXPECT_FALSE(isChecked(options, IDC_DESKTOP_VERB));
    clickButton(options, IDC_DESKTOP_VERB);
    bool ok = display.leave == pressOk;

    display.leave(options);
    // Gone, and the editor's dialog answers: the command has run its course.
    ASSERT_TRUE(waitUntilGone(options, 5000));
    ASSERT_TRUE(answers(editor.dialog));
    EXPECT_EQ(readSetting(SECTION_DISPLAY, KEY_MONITORS), display.savedMonitors);
    EXPECT_EQ(readSetting(SECTION_DISPLAY, KEY_FIT), display.savedFit);
    EXPECT_EQ(readSetting(SECTION_DISPLAY, KEY_WAIT_FULL_SCREEN), display.savedWaitFullScreen);
    EXPECT_EQ(readSetting(SECTION_DISPLAY, KEY_WAIT_ON_BATTERY), display.savedWaitOnBattery);
    EXPECT_EQ(readSetting(SECTION_DISPLAY, KEY_SUBFOLDERS), display.savedWaitFullScreen);
    EXPECT_EQ(readSetting(SECTION_DISPLAY, KEY_SHUFFLE), display.savedWaitOnBattery);
    EXPECT_EQ(readSetting(SECTION_DISPLAY, KEY_NEXT_KEY), ok ? "1606" : ABSENT);
    EXPECT_EQ(readUserRegistry(DESKTOP_VERB_KEY "\\command", "").find(" /next") != std::string::npos, ok);
    deleteUserRegistryKey(DESKTOP_VERB_KEY "\\command");
    deleteUserRegistryKey(DESKTOP_VERB_KEY);

    // Opened again, it shows what the file holds now.
    options = openDisplayOptions(editor);
    ASSERT_NE(options, (HWND)NULL);
    expectShown(options, shownFor(display.savedMonitors), shownFor(display.savedFit),
                shownFor(display.savedWaitFullScreen, 1) != 0, shownFor(display.savedWaitOnBattery) != 0);
    pressCancel(options);
    ASSERT_TRUE(waitUntilGone(options, 5000));
    closeUnchanged(editor);
}

// "Skipped pictures..." lists the pictures no change shows, by their names
// in any script, and "Show again" takes the selected ones off the list; the
// hot keys another program held are named.
TEST_F(EditorFixture, TheSkippedPicturesCanBeShownAgain)
{
    writeSetting(SECTION_SKIP, "0123456789abcdef", "c:\\photos\\%E6%9D%B1%E4%BA%AC.jpg");
    writeSetting(SECTION_SKIP, "fedcba9876543210", "c:\\photos\\sea.jpg");
    writeSetting(SECTION_DISPLAY, KEY_KEYS_HELD, "Next key,Skip key");
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    HWND options = openDisplayOptions(editor);
    ASSERT_NE(options, (HWND)NULL);
    char note[128] = "";
    GetDlgItemTextA(options, IDC_KEYS_HELD, note, sizeof note);
    EXPECT_STREQ(note, "Held by another program: Next picture, Never show it");
    PostMessageA(options, WM_COMMAND, IDC_SKIPPED, 0);
    HWND skipped = waitForWindow("#32770", SKIPPED_TITLE, 10000, editor.program.id);
    ASSERT_NE(skipped, (HWND)NULL);
    HWND list = GetDlgItem(skipped, IDC_SKIPPED_LIST);
    for (int i = 0; i < 100 && SendMessageA(list, LB_GETCOUNT, 0, 0) < 2; ++i)
        pumpFor(20);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    WCHAR first[64] = L"";
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(first, L"c:\\photos\\\x6771\x4eac.jpg");
    SendMessageA(list, LB_SETSEL, TRUE, 0);
    clickButton(skipped, IDC_SHOW_AGAIN);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(readSetting(SECTION_SKIP, "0123456789abcdef"), ABSENT);
    EXPECT_EQ(readSetting(SECTION_SKIP, "fedcba9876543210"), "c:\\photos\\sea.jpg");
    clickButton(skipped, IDCANCEL);
    ASSERT_TRUE(waitUntilGone(skipped, 5000));
    pressCancel(options);
    ASSERT_TRUE(waitUntilGone(options, 5000));
    closeUnchanged(editor);
}

// Every text of the editor's dialog and of its display options shows whole
// at 100 %, 150 % and 200 %.
class EditorTextsFit : public EditorFixture, public ::testing::WithParamInterface<int> {};

TEST_P(EditorTextsFit, AtThisDisplayScale)
{
    int dpi = GetParam();
    ScreenDpi scale(dpi);
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    int measured = 0;
    std::vector<std::string> cut = cutTexts(editor.dialog, dpi, &measured);
    HWND options = openDisplayOptions(editor);
    ASSERT_NE(options, (HWND)NULL);
    std::vector<std::string> optionsCut = cutTexts(options, dpi, &measured);
    cut.insert(cut.end(), optionsCut.begin(), optionsCut.end());
    EXPECT_EQ(measured, 57);
    EXPECT_EQ(cut, std::vector<std::string>());
    pressCancel(options);
    ASSERT_TRUE(waitUntilGone(options, 5000));
    closeUnchanged(editor);
}

INSTANTIATE_TEST_SUITE_P(Dpi, EditorTextsFit, ::testing::Values(96, 144, 192));

INSTANTIATE_TEST_SUITE_P(EditorDisplay, EditorDisplay, ::testing::ValuesIn(DISPLAY_CASES),
                         [](const ::testing::TestParamInfo<DisplayCase>& info) {
                             return std::string(info.param.name);
                         });
