// The editor's host window when its dialog cannot be created: the user is
// told, creation still completes, and the program is asked to end with 0.
#include "contract.h"
#include "editorstate.h"
#include "harness.h"
#include "hostwindow.h"

#include <gtest/gtest.h>

namespace {
const char HOST_TEST_CLASS[] = "VistEditHostTest";

// Takes the quit message hostWindowProc posted to this thread, if any.
bool takeQuit(WPARAM* code)
{
    MSG message;
    if (!PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    *code = message.wParam;
    return true;
}
}  // namespace

TEST(EditorHostWindow, ADialogThatCannotBeCreatedIsToldAndEndsTheProgram)
{
    // This test program has no "DIALOG_1" among its resources.
    HINSTANCE instance = GetModuleHandleA(NULL);
    resetEditorState(instance);
    registerTestClass(HOST_TEST_CLASS, hostWindowProc);

    HWND host;
    WPARAM code = 99;
    {
        BoxWatcher watcher(MSG_TITLE, IDOK);
        // The box runs inside the window's creation.
        host = CreateWindowExA(0, HOST_TEST_CLASS, "host", WS_CAPTION | WS_DISABLED, 50, 50, 100, 100, NULL, NULL,
                               instance, NULL);
        EXPECT_TRUE(takeQuit(&code));
        ASSERT_TRUE(watcher.waitFor(1));
        EXPECT_EQ(watcher.texts()[0], "The settings dialog could not be opened.");
        EXPECT_EQ(watcher.icons()[0], static_cast<UINT>(MB_ICONHAND));
    }
    EXPECT_NE(host, (HWND)NULL) << "creation goes on after the dialog";
    EXPECT_EQ(code, 0u);

    // Destroying the window ends the program the same way, and releasing the
    // preview again does no harm.
    DestroyWindow(host);
    code = 99;
    EXPECT_TRUE(takeQuit(&code));
    EXPECT_EQ(code, 0u);

    resetEditorState(NULL);
}
