// "BorRadio": the platform's button, so that auto radio buttons check
// themselves within their group, notify the parent with BN_CLICKED, answer
// BM_GETCHECK/BM_SETCHECK and take part in the dialog's arrow-key navigation.
#include "controls.h"

WNDPROC baseButtonProc = NULL;

LRESULT CALLBACK radioWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(baseButtonProc, window, message, wParam, lParam);
}
