// The resident window's procedure, which routes every message to the
// procedures that do the work.
#ifndef VISTRELL_RESIDENTWND_H
#define VISTRELL_RESIDENTWND_H

#include <windows.h>

LRESULT CALLBACK residentWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
