// A bare program that shows one window and runs its message loop: the
// baseline of the start-to-ready figures. The bench ends it with WM_CLOSE.
#include "benchnames.h"

#include <windows.h>

static LRESULT CALLBACK bareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = bareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = BARE_WINDOW_CLASS;
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowExA(0, BARE_WINDOW_CLASS, "Bare window", WS_OVERLAPPEDWINDOW, 40, 40, 200, 120, NULL,
                                  NULL, instance, NULL);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message = {};
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
