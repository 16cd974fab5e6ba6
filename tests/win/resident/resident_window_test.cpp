// The resident window made in this process with the program's own procedure
// and resources: what cannot be read from another process under Wine (the
// tray record, the system menu) and the tick counter's state.
#include "harness.h"
#include "lifecycle.h"
#include "oldshell.h"
#include "residentdriver.h"
#include "residentids.h"
#include "residentstate.h"
#include "residentwnd.h"
#include "timing.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const char TEST_CLASS[] = "WALLPAPER-MENU-INPROCESS";

class ResidentWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        removeSettings();
        // No change at creation, so nothing is applied or launched.
        writeSetting("Configuration", "Change every", "1");
        resources = LoadLibraryExA((testDirectory() + "vistrell.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(resources, (HMODULE)NULL);
        resetResidentState(resources);
        registerTestClass(TEST_CLASS, residentWindowProc);
        // Stands in for the editor, so that nothing here starts a program.
        editor = createEditorStandIn();
    }
    void TearDown() override
    {
        if (window && IsWindow(window))
            DestroyWindow(window);
        // The teardown posted a quit message to this thread; take it away.
        MSG message;
        while (PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        DestroyWindow(editor);
        resetOldShell(false);
        resetResidentState(NULL);
        FreeLibrary(resources);
        removeSettings();
    }
    void create(bool oldShell)
    {
        resetOldShell(oldShell);
        window = CreateWindowExA(0, TEST_CLASS, "Vistrell", oldShell ? STYLE_OLD_SHELL : STYLE_NEW_SHELL, 0, 0, 0, 0,
                                 NULL, NULL, GetModuleHandleA(NULL), NULL);
        ASSERT_NE(window, (HWND)NULL);
    }
    bool trayIconPresent()
    {
        NOTIFYICONDATAA probe = {};
        probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
        probe.hWnd = window;
        probe.uID = TRAY_ICON_ID;
        return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
    }
    std::string menuText(HMENU menu, int position)
    {
        char text[64] = "";
        GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
        return text;
    }
    HMODULE resources = NULL;
    HWND window = NULL;
    HWND editor = NULL;
};
}  // namespace

TEST_F(ResidentWindow, NewShellAddsTheTrayRecordAndTeardownDeletesIt)
{
    create(false);
    EXPECT_EQ(trayIconData.cbSize, NOTIFYICONDATAA_V1_SIZE);
    EXPECT_EQ(trayIconData.hWnd, window);
    EXPECT_EQ(trayIconData.uID, 666u);
    EXPECT_EQ(trayIconData.uFlags, 7u);
    EXPECT_EQ(trayIconData.uCallbackMessage, (UINT)WM_USER);
    EXPECT_NE(trayIconData.hIcon, (HICON)NULL);
    EXPECT_STREQ(trayIconData.szTip, "Vistrell - Scenara");
    EXPECT_TRUE(trayIconPresent());
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(IsWindowEnabled(window));
    // The platform's own system menu is left as it is.
    HMENU system = GetSystemMenu(window, FALSE);
    for (int i = 0; i < GetMenuItemCount(system); ++i)
        EXPECT_NE(menuText(system, i), "Vistrell");

    teardownResident(window);
    EXPECT_FALSE(trayIconPresent());
}

TEST_F(ResidentWindow, OldShellHangsTheEntryPopupIntoTheSystemMenu)
{
    create(true);
    EXPECT_FALSE(trayIconPresent());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(IsIconic(window));
    // Minimized at creation: not a restore, so the editor was not opened.
    EXPECT_FALSE(IsWindowVisible(editor));

    HMENU system = GetSystemMenu(window, FALSE);
    int count = GetMenuItemCount(system);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuState(system, count - 2, MF_BYPOSITION) & MF_SEPARATOR, (UINT)MF_SEPARATOR);
    EXPECT_EQ(menuText(system, count - 1), "Vistrell");
    HMENU entry = GetSubMenu(system, count - 1);
    ASSERT_NE(entry, (HMENU)NULL);
    ASSERT_EQ(GetMenuItemCount(entry), 9);
    const UINT ids[] = {101, 0, 106, 107, 130, 131, 0, 128};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(GetMenuItemID(entry, i), ids[i]) << i;
    EXPECT_EQ(menuText(entry, 8), "Windows Shutdown");
    EXPECT_EQ(GetMenuItemID(GetSubMenu(entry, 8), 1), 127u);
}

TEST_F(ResidentWindow, TickCounterRunsOnlyUnderAPeriodAndRestartsAfterAChange)
{
    writeBitmapList(3);
    writeSetting("Configuration", "Change every", "1");
    create(false);
    ASSERT_EQ(currentTimePeriod, 0);

    // "Once": the counter stands still.
    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_EQ(minuteCounter, 0u);

    writeSetting("Configuration", "Time period", "4");
    SendMessageA(window, WM_COMMAND, IDM_RELOAD_PERIOD, 0);
    EXPECT_EQ(currentTimePeriod, 4);
    for (int tick = 0; tick < 40; ++tick)
        SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_EQ(minuteCounter, 40u);
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "<absent>");

    // A shorter period loaded while the counter stands above it changes at
    // the next tick; the reload itself leaves the counter alone.
    writeSetting("Configuration", "Time period", "1");
    SendMessageA(window, WM_COMMAND, IDM_RELOAD_PERIOD, 0);
    EXPECT_EQ(minuteCounter, 40u);
    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_EQ(minuteCounter, 0u);
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1");

    // A missing key keeps the period in force.
    writeSetting("Configuration", "Time period", NULL);
    reloadTimePeriod();
    EXPECT_EQ(currentTimePeriod, 1);
}
