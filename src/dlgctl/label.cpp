// "BorStatic": the platform's static text, which draws in the dialog's font on
// the brush the dialog answers to WM_CTLCOLORSTATIC, the same gray as the
// dialog and its radio buttons.
#include "controls.h"

WNDPROC baseStaticProc = NULL;

LRESULT CALLBACK labelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(baseStaticProc, window, message, wParam, lParam);
}
