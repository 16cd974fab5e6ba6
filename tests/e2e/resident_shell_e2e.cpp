// The resident changer's face: one copy only, a hidden window with a tray
// icon on the new shell, a minimized window with a system-menu pop-up on the
// old shell, and what the tray's mouse messages do.
#include "residentdriver.h"
#include "residentmenuids.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <string>

namespace {
const char ERROR_TITLE[] = "Vistrell reporting error:";
const char LAUNCH_ERROR[] =
    "Scenara was unable to launch\npart of program ('VISTEDIT.EXE')\nPlease re-install to correct the problem.\n";
const UINT TRAY = WM_USER;
const int TRAY_ID = 666;

LRESULT sendTray(HWND window, LPARAM mouse)
{
    DWORD_PTR result = 0xBAD;
    EXPECT_TRUE(SendMessageTimeoutA(window, TRAY, TRAY_ID, mouse, SMTO_NORMAL, 5000, &result)) << mouse;
    return static_cast<LRESULT>(result);
}

VOID CALLBACK storeResult(HWND, UINT, ULONG_PTR data, LRESULT result)
{
    *reinterpret_cast<LRESULT*>(data) = result;
}

// The launch error box of the given resident: its text, icon, button and
// owner; answered with OK.
void expectLaunchErrorBox(const Resident& resident)
{
    HWND box = waitForMessageBox(ERROR_TITLE, 10000, resident.program.id);
    ASSERT_NE(box, (HWND)NULL) << "no launch error box";
    EXPECT_EQ(messageBoxText(box), LAUNCH_ERROR);
    EXPECT_EQ(messageBoxIcon(box), (UINT)MB_ICONHAND);
    EXPECT_EQ(messageBoxButtons(box), std::vector<int>{IDOK});
    EXPECT_EQ(messageBoxOwner(box), resident.window);
    EXPECT_TRUE(answerMessageBox(box, IDOK));
}

// What a restarted shell sends to every top-level window once its new tray
// is up (empty: the icons of the old one are gone).
void announceShellRestart(HWND window)
{
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_NORMAL, 5000,
                                    &result));
}

// Opens the window's system menu with the keyboard, goes to its last entry
// (the "Vistrell" pop-up, the resident menu's first pop-up) and chooses the
// command there, found in the menu resource of the program.
void chooseFromSystemMenu(const Resident& resident, UINT command)
{
    ResourceFile file(residentPath());
    HMENU bar = LoadMenuA(file.handle(), "MENU_3");
    ASSERT_NE(bar, (HMENU)NULL);
    std::vector<MenuStep> path = menuPath(GetSubMenu(bar, 0), command);
    DestroyMenu(bar);
    ASSERT_FALSE(path.empty()) << command << " is not in the menu";
    PostMessageA(resident.window, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    HWND menu = waitForPopupMenu(resident.program.id, 5000);
    ASSERT_NE(menu, (HWND)NULL) << "the system menu did not open";
    PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    pumpFor(50);
    for (const MenuStep& step : path) {
        PostMessageA(menu, WM_KEYDOWN, VK_RIGHT, 0);
        pumpFor(50);
        for (int i = 0; i < step.downs; ++i)
            PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    }
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
}

class ResidentShell : public ResidentTest {
protected:
    void SetUp() override
    {
        ResidentTest::SetUp();
        writeBitmapList(5);
        // No change at start unless a test asks for one.
        writeSetting("Configuration", "Change every", "1");
    }
};

class ResidentOldShell : public ResidentShell {
protected:
    void SetUp() override
    {
        ResidentShell::SetUp();
        setProgramVersion("vistrell.exe", "nt351");
    }
};
}  // namespace

TEST_F(ResidentShell, SecondCopyEndsAtOnceAndLeavesTheFirstAlone)
{
    Resident first = startResident();
    Program second = startProgram(residentPath());
    DWORD code = 1;
    ASSERT_TRUE(waitForExit(second, 5000, &code));
    EXPECT_EQ(code, 0u);
    stopProgram(second);

    EXPECT_TRUE(isRunning(first.program));
    EXPECT_TRUE(answers(first.window));
    EXPECT_FALSE(IsWindowVisible(first.window));
    EXPECT_EQ(FindWindowExA(NULL, first.window, RESIDENT_CLASS, NULL), (HWND)NULL);
    EXPECT_EQ(countMessageBoxes(ERROR_TITLE), 0);
    EXPECT_EQ(bitmapIndex(), -1000);
}

TEST_F(ResidentShell, NewShellRunsHiddenWithATrayIconUntilItsWindowGoes)
{
    Resident resident = startResident();
    EXPECT_FALSE(IsWindowVisible(resident.window));
    EXPECT_FALSE(IsWindowEnabled(resident.window));
    EXPECT_FALSE(IsIconic(resident.window));
    EXPECT_TRUE(trayIconPresent(resident.window));
    // Nothing asked for the editor at start.
    EXPECT_EQ(countMessageBoxes(ERROR_TITLE), 0);

    // Every system command is swallowed: answered with 0, window unchanged.
    const WPARAM commands[] = {SC_CLOSE, SC_RESTORE, SC_MAXIMIZE, SC_KEYMENU, 106};
    for (WPARAM command : commands) {
        DWORD_PTR result = 0xBAD;
        ASSERT_TRUE(SendMessageTimeoutA(resident.window, WM_SYSCOMMAND, command, 0, SMTO_NORMAL, 5000, &result));
        EXPECT_EQ(result, 0u) << command;
    }
    // Each was answered once it was handled. A change asked for after them
    // is the first one (106 among them changed nothing): "Bitmap index"
    // goes from none to 1.
    EXPECT_EQ(bitmapIndex(), -1000);
    DWORD_PTR changed = 0xBAD;
    ASSERT_TRUE(SendMessageTimeoutA(resident.window, WM_COMMAND, IDM_CHANGE_NOW, 0, SMTO_NORMAL, 5000, &changed));
    EXPECT_EQ(bitmapIndex(), 1);
    EXPECT_TRUE(isRunning(resident.program));
    EXPECT_FALSE(IsWindowVisible(resident.window));
    EXPECT_EQ(findPopupMenu(resident.program.id), (HWND)NULL);

    HWND window = resident.window;
    DWORD code = 1;
    ASSERT_TRUE(closeResident(resident, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(trayIconPresent(window));
}

TEST_F(ResidentShell, TrayButtonsChangeOpenTheMenuOrDoNothing)
{
    Resident resident = startResident();

    // Right button: a change at once, no menu.
    EXPECT_EQ(sendTray(resident.window, WM_RBUTTONDOWN), 1);
    EXPECT_EQ(bitmapIndex(), 1);
    EXPECT_EQ(findPopupMenu(resident.program.id), (HWND)NULL);

    // Moves, releases and the middle button: the default answer, no action.
    for (LPARAM mouse : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_RBUTTONDBLCLK}) {
        EXPECT_EQ(sendTray(resident.window, mouse), 0) << mouse;
        EXPECT_EQ(findPopupMenu(resident.program.id), (HWND)NULL) << mouse;
    }
    EXPECT_EQ(bitmapIndex(), 1);

    // Left button: the pop-up menu, its right edge and top at the cursor.
    SetCursorPos(600, 400);
    LRESULT result = 0xBAD;
    ASSERT_TRUE(SendMessageCallbackA(resident.window, TRAY, TRAY_ID, WM_LBUTTONDOWN, storeResult,
                                     reinterpret_cast<ULONG_PTR>(&result)));
    HWND menu = waitForPopupMenu(resident.program.id, 5000);
    ASSERT_NE(menu, (HWND)NULL) << "no pop-up menu";
    RECT place;
    GetWindowRect(menu, &place);
    EXPECT_EQ(place.right, 600);
    EXPECT_EQ(place.top, 400);
    EXPECT_GT(place.bottom - place.top, 100);  // nine entries, not an empty menu
    ASSERT_TRUE(dismissPopupMenu(menu));
    for (int i = 0; i < 100 && result == 0xBAD; ++i)
        pumpFor(20);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(answers(resident.window));
    EXPECT_EQ(bitmapIndex(), 1);
}

// A copy with no editor beside it: only bringing the running editor forward
// shows it, where a launch would end in the launch error's box.
TEST_F(ResidentShell, DoubleClickShowsARunningEditor)
{
    HWND editor = createEditorStandIn();
    ShowWindow(editor, SW_MINIMIZE);
    Resident resident = startResident(isolatedResidentCopy());
    EXPECT_EQ(sendTray(resident.window, WM_LBUTTONDBLCLK), 1);
    EXPECT_TRUE(IsWindowVisible(editor));
    EXPECT_FALSE(IsIconic(editor));
    EXPECT_EQ(countMessageBoxes(ERROR_TITLE), 0);
    DestroyWindow(editor);
}

TEST_F(ResidentShell, DoubleClickWithoutAnEditorBesideItSaysSo)
{
    Resident resident = startResident(isolatedResidentCopy());
    PostMessageA(resident.window, TRAY, TRAY_ID, WM_LBUTTONDBLCLK);
    expectLaunchErrorBox(resident);
    EXPECT_TRUE(answers(resident.window));
    EXPECT_TRUE(isRunning(resident.program));
    EXPECT_TRUE(trayIconPresent(resident.window));
}

TEST_F(ResidentShell, TrayIconComesBackAfterAShellRestart)
{
    Resident resident = startResident();
    // Take the icon away as the shell's end does.
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = resident.window;
    icon.uID = TRAY_ID;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
    ASSERT_FALSE(trayIconPresent(resident.window));

    announceShellRestart(resident.window);
    EXPECT_TRUE(trayIconPresent(resident.window));
    // The icon answers a click with the menu, as before the restart.
    EXPECT_TRUE(waitUntilHandled(resident));
    EXPECT_EQ(sendTray(resident.window, WM_RBUTTONDOWN), 1);
    EXPECT_EQ(bitmapIndex(), 1);
}

TEST_F(ResidentOldShell, MinimizedVisibleWindowWithoutTrayIcon)
{
    Resident resident = startResident();
    EXPECT_TRUE(IsWindowVisible(resident.window));
    EXPECT_TRUE(IsIconic(resident.window));
    EXPECT_TRUE(IsWindowEnabled(resident.window));
    EXPECT_TRUE(GetWindowLongA(resident.window, GWL_STYLE) & WS_SYSMENU);
    EXPECT_FALSE(trayIconPresent(resident.window));
    EXPECT_EQ(countMessageBoxes(ERROR_TITLE), 0);
    // The old shell has no tray: a restarted taskbar gets no icon from it.
    announceShellRestart(resident.window);
    EXPECT_FALSE(trayIconPresent(resident.window));
}

// GetSystemMenu of another process's window gives nothing under Wine, so the
// pop-up is checked by using it: the last entry of the system menu opens the
// resident's commands, and its choices arrive as system commands.
TEST_F(ResidentOldShell, SystemMenuEndsWithTheResidentCommands)
{
    Resident resident = startResident();
    chooseFromSystemMenu(resident, IDM_CHANGE_NOW);
    EXPECT_EQ(waitForIndex(1), 1);
    chooseFromSystemMenu(resident, IDM_REMOVE);
    HWND box = waitForMessageBox("Query", 5000, resident.program.id);
    ASSERT_NE(box, (HWND)NULL);
    EXPECT_EQ(messageBoxText(box), "Remove from memory ?");
    ASSERT_TRUE(answerMessageBox(box, IDYES));
    DWORD code = 1;
    EXPECT_TRUE(waitForExit(resident.program, 5000, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(ResidentOldShell, RestoringMinimizesAgainAndShowsTheEditor)
{
    HWND editor = createEditorStandIn();
    Resident resident = startResident();

    // A size message that reports "minimized" does nothing. Checked before
    // any restore: Wine still delivers size messages of a restore or a
    // maximize now and then a while later, and each rightly opens the editor.
    // The reply comes once the handler has ended: a window it showed would
    // be shown by then (this thread handles the show while it waits).
    DWORD_PTR result = 0xBAD;
    ASSERT_TRUE(SendMessageTimeoutA(resident.window, WM_SIZE, SIZE_MINIMIZED, 0, SMTO_NORMAL, 5000, &result));
    EXPECT_EQ(result, 0u);
    EXPECT_FALSE(IsWindowVisible(editor));

    for (WPARAM command : {SC_RESTORE, SC_MAXIMIZE}) {
        ShowWindow(editor, SW_HIDE);
        PostMessageA(resident.window, WM_SYSCOMMAND, command, 0);
        for (int i = 0; i < 100 && !IsWindowVisible(editor); ++i)
            pumpFor(20);
        EXPECT_TRUE(IsWindowVisible(editor)) << command;
        ASSERT_TRUE(answers(resident.window));
        EXPECT_TRUE(IsIconic(resident.window)) << command;
        EXPECT_TRUE(IsWindowVisible(resident.window)) << command;
    }
    DestroyWindow(editor);
}

TEST_F(ResidentOldShell, RestoringWithoutAnEditorSaysSo)
{
    Resident resident = startResident(isolatedResidentCopy());
    PostMessageA(resident.window, WM_SYSCOMMAND, SC_RESTORE, 0);
    expectLaunchErrorBox(resident);
    ASSERT_TRUE(answers(resident.window));
    EXPECT_TRUE(IsIconic(resident.window));
}

TEST_F(ResidentOldShell, CloseFromTheSystemMenuEndsWithoutAQuestion)
{
    Resident resident = startResident();
    PostMessageA(resident.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD code = 1;
    ASSERT_TRUE(waitForExit(resident.program, 5000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(countMessageBoxes("Query"), 0);
}
