// The command switch of the resident menu.
#ifndef VISTRELL_COMMANDS_H
#define VISTRELL_COMMANDS_H

#include <windows.h>

// Carries out the menu command in the low word of wParam (WM_COMMAND, and
// WM_SYSCOMMAND on the old shell); anything else goes to DefWindowProcA.
LRESULT dispatchResidentCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
