// A bare program that shows the editor's settings dialog from its own
// template (DIALOG_1 of vistedit.rc, its control classes registered) and
// nothing else: the fair baseline of the editor's start, the time the
// platform takes to create and show those controls. The bench ends it with
// WM_CLOSE.
#include "bwcc.h"

#include <windows.h>

static INT_PTR CALLBACK bareDialogProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    BWCCRegister(instance);
    return DialogBoxParamA(instance, "DIALOG_1", NULL, bareDialogProc, 0) == -1;
}
