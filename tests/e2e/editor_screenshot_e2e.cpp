// Not a check: poses the editor with a preview drawn for the README's
// picture. scripts/screenshot-editor.sh runs it (it is disabled in ordinary
// runs) and takes the picture while the test waits.
#include "editor_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {
bool fileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
}  // namespace

TEST(EditorScreenshot, DISABLED_DialogWithAPreview)
{
    // A folder shared with the script: "ready" holds the dialog's place as
    // WxH+X+Y, and the script answers with "done" once the picture is taken.
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

    RECT place;
    GetWindowRect(editor.dialog, &place);
    {
        std::ofstream ready((folder + "ready").c_str());
        ready << place.right - place.left << "x" << place.bottom - place.top << "+" << place.left << "+"
              << place.top << "\n";
    }
    DWORD start = GetTickCount();
    while (!fileExists(folder + "done") && GetTickCount() - start < 60000)
        pumpFor(100);
    EXPECT_TRUE(fileExists(folder + "done"));

    PostMessageA(editor.dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(waitForEditorExit(editor), 0u);
    stopProgram(editor.program);
}
