// Not a check: poses the editor with a preview drawn, then its display
// options, and the changer's tray pop-up, for the README's pictures.
// scripts/screenshot-editor.sh runs it (it is disabled in ordinary runs)
// and takes each picture while the test waits.
#include "editor_driver.h"
#include "editortexts.h"
#include "ids.h"
#include "residentdriver.h"
#include "residentmenuids.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {
bool fileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Tells the script where the window is ("<name>.ready" holds its place as
// WxH+X+Y) and waits until the script answers with "<name>.done", the
// picture taken.
void poseForPicture(const std::string& folder, HWND window, const std::string& name)
{
    RECT place;
    GetWindowRect(window, &place);
    {
        std::ofstream ready((folder + name + ".ready").c_str());
        ready << place.right - place.left << "x" << place.bottom - place.top << "+" << place.left << "+"
              << place.top << "\n";
    }
    DWORD start = GetTickCount();
    while (!fileExists(folder + name + ".done") && GetTickCount() - start < 60000)
        pumpFor(100);
    EXPECT_TRUE(fileExists(folder + name + ".done")) << name;
}
}  // namespace

TEST(EditorScreenshot, DISABLED_DialogWithAPreview)
{
    // A folder shared with the script.
    const char* exchange = std::getenv("SCREENSHOT_EXCHANGE");
    ASSERT_NE(exchange, nullptr) << "run through scripts/screenshot-editor.sh";
    std::string folder = std::string(exchange) + "\\";

    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    // Activation clears the preview: let it happen before drawing.
    SetForegroundWindow(editor.dialog);
    pumpFor(300);
    selectRows(editor.dialog, {2});
    setCaretRow(editor.dialog, 2);
    sendCommand(editor.dialog, ED_LIST);
    sendCommand(editor.dialog, ED_PREVIEW);
    pumpFor(300);
    poseForPicture(folder, editor.dialog, "editor");

    // The display options over the dialog, opened from the menu bar.
    postCommand(editor.dialog, IDC_DISPLAY_OPTIONS);
    HWND options = waitForWindow("#32770", DISPLAY_OPTIONS_TITLE, 10000, editor.program.id);
    ASSERT_NE(options, (HWND)NULL);
    for (DWORD start = GetTickCount(); !IsWindowVisible(options) && GetTickCount() - start < 10000;)
        pumpFor(20);
    pumpFor(300);
    poseForPicture(folder, options, "display-options");
    clickButton(options, IDCANCEL);
    EXPECT_TRUE(waitUntilGone(options, 5000));

    PostMessageA(editor.dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(waitForEditorExit(editor), 0u);
    stopProgram(editor.program);
}

// The changer's tray pop-up after two changes, opened at the tray as a
// click on the icon opens it.
TEST(EditorScreenshot, DISABLED_TrayMenu)
{
    const char* exchange = std::getenv("SCREENSHOT_EXCHANGE");
    ASSERT_NE(exchange, nullptr) << "run through scripts/screenshot-editor.sh";
    std::string folder = std::string(exchange) + "\\";
    Resident resident = startResident();
    ASSERT_NE(resident.window, (HWND)NULL);
    for (int i = 0; i < 2; ++i)
        SendMessageA(resident.window, WM_COMMAND, IDM_CHANGE_NOW, 0);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 40, GetSystemMetrics(SM_CYSCREEN) - 12);
    PostMessageA(resident.window, WM_USER, 666, WM_LBUTTONDOWN);
    HWND menu = waitForPopupMenu(resident.program.id, 10000);
    ASSERT_NE(menu, (HWND)NULL);
    pumpFor(300);
    poseForPicture(folder, menu, "tray-menu");
    dismissPopupMenu(menu);
    closeResident(resident);
}
