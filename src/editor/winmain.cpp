// Entry of vistedit.exe, the configuration editor: keeps to one running copy,
// registers the class the resident changer looks for, and runs the settings
// dialog from inside a hidden host window.
#include <windows.h>
#include <commctrl.h>

#include "bwcc.h"
#include "editorstate.h"
#include "hostwindow.h"
#include "ids.h"
#include "oldshell.h"

static const DWORD HOST_STYLE = WS_CAPTION | WS_DISABLED;  // 0x08C00000, never shown by the editor
static const int HOST_LEFT = 50;
static const int HOST_TOP = 50;
static const int HOST_SIZE = 100;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.style = 0;
    windowClass.lpfnWndProc = hostWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, ICON_LARGE_NAME);
    windowClass.hCursor = NULL;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MENU_SYSTEM_NAME;
    windowClass.lpszClassName = HOST_CLASS_NAME;
    editorInstance = instance;

    // A second start brings the running editor forward instead.
    HWND running = FindWindowA(HOST_CLASS_NAME, NULL);
    if (running) {
        ShowWindow(running, SW_SHOWMINIMIZED);
        ShowWindow(running, SW_SHOWNORMAL);
        SetActiveWindow(running);
        return 0;
    }

    BWCCRegister(instance);
    // The coordinate fields' up-down controls come from the common controls.
    InitCommonControls();

    if (LOWORD(RegisterClassA(&windowClass)) == 0) {
        MessageBoxA(NULL, "Already running!", "MSG", MB_ICONHAND);
        return 0;
    }

    detectOldShell();

    // The dialog runs, and ends, inside this call.
    HWND host = CreateWindowExA(0, HOST_CLASS_NAME, HOST_WINDOW_TITLE, HOST_STYLE, HOST_LEFT, HOST_TOP,
                                HOST_SIZE, HOST_SIZE, NULL, NULL, instance, NULL);
    if (!host) {
        // Without the window the dialog never ran and no quit message was
        // posted: the loop below would wait for ever.
        MessageBoxA(NULL, "The editor's window could not be created.", "MSG", MB_ICONHAND);
        return 0;
    }

    MSG message = {};
    // -1 (an error) ends the loop too, rather than spinning on it.
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
