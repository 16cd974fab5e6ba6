// Entry of vistedit.exe, the configuration editor: keeps to one running copy,
// registers the class the resident changer looks for, and runs the settings
// dialog from inside a hidden host window.
#include <windows.h>
#include <commctrl.h>

#include "bwcc.h"
#include "contract.h"
#include "editorstate.h"
#include "hostwindow.h"
#include "ids.h"
#include "oldshell.h"
#include "programwindow.h"

// Never shown by the editor itself.
static const DWORD HOST_STYLE = WS_CAPTION | WS_DISABLED;
static_assert(HOST_STYLE == 0x08C00000, "the host window's style is 0x08C00000");
static const int HOST_LEFT = 50;
static const int HOST_TOP = 50;
static const int HOST_SIZE = 100;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass;
    fillProgramClass(&windowClass, instance, hostWindowProc, ICON_LARGE_NAME, MENU_SYSTEM_NAME, EDITOR_CLASS);
    resetEditorState(instance);

    // A second start brings the running editor forward instead.
    HWND running = FindWindowA(EDITOR_CLASS, NULL);
    if (running) {
        bringForward(running);
        return 0;
    }

    BWCCRegister(instance);
    // The coordinate fields' up-down controls come from the common controls.
    InitCommonControls();

    if (LOWORD(RegisterClassA(&windowClass)) == 0) {
        MessageBoxA(NULL, "Already running!", MSG_TITLE, MB_ICONHAND);
        return 0;
    }

    detectOldShell();

    // The dialog runs, and ends, inside this call.
    HWND host = CreateWindowExA(0, EDITOR_CLASS, HOST_WINDOW_TITLE, HOST_STYLE, HOST_LEFT, HOST_TOP,
                                HOST_SIZE, HOST_SIZE, NULL, NULL, instance, NULL);
    if (!host) {
        // Without the window the dialog never ran and no quit message was
        // posted: the loop below would wait for ever.
        MessageBoxA(NULL, "The editor's window could not be created.", MSG_TITLE, MB_ICONHAND);
        return 0;
    }
    return runMessageLoop();
}
