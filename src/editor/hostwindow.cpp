#include "hostwindow.h"

#include "contract.h"
#include "editorstate.h"
#include "ids.h"
#include "preview.h"
#include "settingsdialog.h"

// Gives the preview's device contexts back and asks the message loop to end.
// Safe to call more than once.
static void quitEditor()
{
    releasePreviewContexts();
    PostQuitMessage(0);
}

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        // The whole editor runs inside the host window's creation; when the
        // dialog ends, whichever way, so does the program.
        if (DialogBoxParamA(editorInstance, DIALOG_NAME, window, settingsDialogProc, 0) == -1)
            MessageBoxA(NULL, "The settings dialog could not be opened.", MSG_TITLE, MB_ICONHAND);
        quitEditor();
        return 0;
    case WM_DESTROY:
        quitEditor();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
