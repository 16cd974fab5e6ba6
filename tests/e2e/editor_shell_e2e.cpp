// The editor as a program: one running copy, its hidden host window, the
// ways its dialog ends, and the resident changer opening it.
#include "editor_driver.h"
#include "residentdriver.h"
#include "residentmenuids.h"

#include <gtest/gtest.h>

namespace {
class EditorShell : public EditorFixture {};

int countVisibleDialogs()
{
    int count = 0;
    HWND window = NULL;
    while ((window = FindWindowExA(NULL, window, NULL, "Windows Scenara")) != NULL)
        count += IsWindowVisible(window) ? 1 : 0;
    return count;
}

// The window that has the keyboard focus in the editor's thread.
HWND focusedWindow(HWND dialog)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, NULL), &info);
    return info.hwndFocus;
}

void pressKey(HWND window, WPARAM key)
{
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}
}  // namespace

TEST_F(EditorShell, SecondStartBringsTheFirstForwardAndLeavesTheSettingsAlone)
{
    writeEntries({{sampleBitmap(0), 1, 1, 1}});
    writeSetting("Configuration", "Window X-pos", "40");
    Editor first = startEditor();
    ASSERT_NE(first.dialog, (HWND)NULL);
    ASSERT_NE(first.host, (HWND)NULL);
    EXPECT_FALSE(IsWindowVisible(first.host)) << "the host window is never shown by the editor itself";
    std::string before = settingsFileText();

    Program second = startProgram(editorPath());
    DWORD code = 1;
    ASSERT_TRUE(waitForExit(second, 10000, &code));
    stopProgram(second);
    EXPECT_EQ(code, 0u);

    EXPECT_TRUE(IsWindowVisible(first.host));
    EXPECT_FALSE(IsWindowEnabled(first.host));
    EXPECT_NE(GetMenu(first.host), (HMENU)NULL) << "the class menu belongs to the host window";
    char caption[64] = "";
    GetWindowTextA(first.host, caption, sizeof caption);
    EXPECT_STREQ(caption, "Scenara - GUI");
    RECT frame;
    GetWindowRect(first.host, &frame);
    EXPECT_EQ(frame.left, 50);
    EXPECT_EQ(frame.top, 50);
    EXPECT_EQ(countVisibleDialogs(), 1);
    EXPECT_EQ(countMessageBoxes("MSG"), 0);
    EXPECT_EQ(settingsFileText(), before);

    PostMessageA(first.dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(waitForEditorExit(first), 0u);
    stopProgram(first.program);
}

TEST_F(EditorShell, EnterAndEscapeLeaveTheDialogOpen)
{
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    PostMessageA(editor.dialog, WM_COMMAND, IDOK, 0);
    PostMessageA(editor.dialog, WM_COMMAND, IDCANCEL, 0);
    // The keys themselves, with the focus in the (empty) list rather than on
    // a push button, where Enter would press that button.
    HWND list = GetDlgItem(editor.dialog, ED_LIST);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    for (int i = 0; i < 100 && focusedWindow(editor.dialog) != list; ++i)
        pumpFor(20);
    EXPECT_EQ(focusedWindow(editor.dialog), list);
    pressKey(list, VK_RETURN);
    pressKey(list, VK_ESCAPE);
    // "&About" posted after the keys: its box shows only once they are
    // handled, and only in a dialog still open.
    postCommand(editor.dialog, ED_ABOUT);
    HWND about = waitForMessageBox("About Scenara", 5000, editor.program.id);
    ASSERT_NE(about, (HWND)NULL);
    ASSERT_TRUE(answerMessageBox(about, IDOK));
    EXPECT_TRUE(isRunning(editor.program));
    EXPECT_TRUE(IsWindowVisible(editor.dialog));
    EXPECT_EQ(findMessageBox("Add Bitmaps...", editor.program.id), (HWND)NULL);

    // Nothing of that was a change: closing does not ask.
    PostMessageA(editor.dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(waitForEditorExit(editor), 0u);
    EXPECT_EQ(countMessageBoxes("Query"), 0);
    stopProgram(editor.program);
}

TEST_F(EditorShell, CloseWindowInTheSystemMenuClosesTheDialog)
{
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    clickButton(editor.dialog, ED_RANDOM);
    PostMessageA(editor.dialog, WM_SYSCOMMAND, ED_CLOSE_WINDOW, 0);
    HWND box = waitForMessageBox("Query", 5000, editor.program.id);
    ASSERT_NE(box, (HWND)NULL) << "closing with a change asks first";
    EXPECT_EQ(messageBoxText(box), "Save changes before close window ?");
    ASSERT_TRUE(answerMessageBox(box, IDYES));
    EXPECT_EQ(waitForEditorExit(editor), 0u);
    stopProgram(editor.program);
    EXPECT_EQ(readSetting("Configuration", "Successive"), "0");
}

TEST_F(EditorShell, TheResidentChangerOpensTheEditorOnceAndThenActivatesIt)
{
    std::string resident = testDirectory() + "vistrell.exe";
    if (GetFileAttributesA(resident.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "vistrell.exe is not built";
    // "On Demand": the changer changes nothing at its start.
    writeEntries({{sampleBitmap(0), 1, 1, 1}});
    writeSetting("Configuration", "Change every", "1");
    Program changer = startProgram(resident);
    HWND menuWindow = waitForWindow("WALLPAPER-MENU", NULL, 10000, changer.id);
    ASSERT_NE(menuWindow, (HWND)NULL);

    PostMessageA(menuWindow, WM_COMMAND, IDM_OPEN_EDITOR, 0);
    HWND dialog = waitForWindow(NULL, "Windows Scenara", 15000);
    ASSERT_NE(dialog, (HWND)NULL) << "the editor did not start";
    DWORD editorId = 0;
    GetWindowThreadProcessId(dialog, &editorId);
    Editor editor;
    editor.dialog = dialog;
    editor.program.id = editorId;
    editor.program.process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, editorId);
    editor.host = waitForWindow("VISTRELL_GUI", NULL, 5000, editorId);
    ASSERT_NE(editor.host, (HWND)NULL);
    for (int i = 0; i < 100 && listRows(dialog).empty(); ++i)
        pumpFor(20);
    EXPECT_EQ(listRows(dialog), std::vector<std::string>{sampleBitmap(0)});

    ASSERT_FALSE(IsWindowVisible(editor.host));
    PostMessageA(menuWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitForExit(changer, 10000));
    stopProgram(changer);

    // Once it runs, the editor is brought forward. A changer with no editor
    // beside it shows that nothing was started instead: a launch would fail
    // there with its box, inside the command, which would not be answered.
    changer = startProgram(isolatedResidentCopy());
    menuWindow = waitForWindow("WALLPAPER-MENU", NULL, 10000, changer.id);
    ASSERT_NE(menuWindow, (HWND)NULL);
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutA(menuWindow, WM_COMMAND, IDM_OPEN_EDITOR, 0, SMTO_NORMAL, 5000, &result));
    for (int i = 0; i < 100 && !IsWindowVisible(editor.host); ++i)
        pumpFor(20);
    EXPECT_TRUE(IsWindowVisible(editor.host)) << "the running editor was not brought forward";
    EXPECT_EQ(countVisibleDialogs(), 1);
    EXPECT_EQ(countMessageBoxes("Vistrell reporting error:"), 0);

    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(waitForEditorExit(editor), 0u);
    stopProgram(editor.program);
    PostMessageA(menuWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitForExit(changer, 10000));
    stopProgram(changer);
}

TEST_F(EditorShell, MenuAndSystemMenuCommandsReachTheSharedCommands)
{
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);

    // "&About" of the menu bar is carried out as the system command.
    postCommand(editor.dialog, ED_ABOUT);
    HWND box = waitForMessageBox("About Scenara", 5000, editor.program.id);
    ASSERT_NE(box, (HWND)NULL);
    EXPECT_EQ(messageBoxText(box), "Vistedit - Scenara configuration editor\nVersion " VISTRELL_VERSION
                                   ", released " VISTRELL_RELEASE_DATE "\n\nWritten by the Scenara team.");
    EXPECT_EQ(messageBoxOwner(box), editor.dialog);
    ASSERT_TRUE(answerMessageBox(box, IDOK));

    // The editor's restart question has no blank before its question mark.
    const struct {
        int command;
        const char* question;
    } shutdowns[] = {{126, "You attempt to restart Windows.\nAre you sure?"},
                     {127, "You attempt to reboot machine.\nAre you sure ?"}};
    for (const auto& shutdown : shutdowns) {
        PostMessageA(editor.dialog, WM_SYSCOMMAND, shutdown.command, 0);
        box = waitForMessageBox("Caution", 5000, editor.program.id);
        ASSERT_NE(box, (HWND)NULL) << shutdown.command;
        EXPECT_EQ(messageBoxText(box), shutdown.question);
        EXPECT_EQ(messageBoxOwner(box), editor.dialog);
        ASSERT_TRUE(answerMessageBox(box, IDNO));
    }

    ASSERT_TRUE(answers(editor.dialog));
    EXPECT_TRUE(isRunning(editor.program)) << "No leaves everything as it was";
    PostMessageA(editor.dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(waitForEditorExit(editor), 0u);
    EXPECT_EQ(countMessageBoxes("Query"), 0) << "the commands changed nothing";
    stopProgram(editor.program);
}
