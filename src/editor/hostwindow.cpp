#include "hostwindow.h"

#include "editorstate.h"
#include "ids.h"
#include "preview.h"
#include "settingsdialog.h"

void quitEditor()
{
    releasePreviewContexts();
    PostQuitMessage(0);
}

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        // The whole editor runs inside the host window's creation; when the
        // dialog ends, so does the program.
        if (DialogBoxParamA(editorInstance, DIALOG_NAME, window, settingsDialogProc, 0) == -1)
            MessageBoxA(NULL, "The settings dialog could not be opened.", "MSG", MB_ICONHAND);
        quitEditor();
        return 0;
    case WM_DESTROY:
        quitEditor();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
