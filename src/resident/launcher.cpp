#include "launcher.h"

#include "residentids.h"

void openEditor(HWND owner)
{
    HWND editor = FindWindowA(EDITOR_CLASS, NULL);
    if (editor) {
        // Minimizing first makes the restore bring the editor up even when it
        // was already shown behind other windows.
        ShowWindow(editor, SW_SHOWMINIMIZED);
        ShowWindow(editor, SW_SHOWNORMAL);
        SetActiveWindow(editor);
        return;
    }
    // The bare name: the platform's search starts in this program's directory.
    if (WinExec(EDITOR_PROGRAM, SW_SHOW) < 32)
        MessageBoxA(owner, LAUNCH_ERROR_TEXT, ERROR_TITLE, MB_ICONHAND);
}
