// The old shell's handle on the program: the "ENTRY" pop-up hung into the
// window's system menu.
#ifndef VISTRELL_SYSMENU_H
#define VISTRELL_SYSMENU_H

#include <windows.h>

// Appends a separator and the pop-up "Vistrell"; its items then arrive as
// WM_SYSCOMMAND with the item identifier.
void appendSystemMenuEntry(HWND window);

#endif
