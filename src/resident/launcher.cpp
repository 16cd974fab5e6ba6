#include "launcher.h"

#include "programwindow.h"
#include "residentids.h"

void openEditor(HWND owner)
{
    HWND editor = FindWindowA(EDITOR_CLASS, NULL);
    if (editor) {
        bringForward(editor);
        return;
    }
    // The bare name: the platform's search starts in this program's directory.
    if (WinExec(EDITOR_PROGRAM, SW_SHOW) < 32)
        MessageBoxA(owner, LAUNCH_ERROR_TEXT, ERROR_TITLE, MB_ICONHAND);
}
