#include "programwindow.h"

void fillProgramClass(WNDCLASSA* windowClass, HINSTANCE instance, WNDPROC procedure, const char* iconName,
                      const char* menuName, const char* className)
{
    windowClass->style = 0;
    windowClass->lpfnWndProc = procedure;
    windowClass->cbClsExtra = 0;
    windowClass->cbWndExtra = 0;
    windowClass->hInstance = instance;
    windowClass->hIcon = LoadIconA(instance, iconName);
    windowClass->hCursor = NULL;
    windowClass->hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass->lpszMenuName = menuName;
    windowClass->lpszClassName = className;
}

void bringForward(HWND window)
{
    ShowWindow(window, SW_SHOWMINIMIZED);
    ShowWindow(window, SW_SHOWNORMAL);
    SetActiveWindow(window);
}

int runMessageLoop()
{
    MSG message;
    message.wParam = 0;
    // -1 (an error) ends the loop too, rather than spinning on it.
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
