// What the two programs do alike around their one top-level window: the
// window class, bringing a running copy forward, and the message loop.
#ifndef VISTRELL_PROGRAMWINDOW_H
#define VISTRELL_PROGRAMWINDOW_H

#include <windows.h>

// Fills the class both programs register: no class style or extra bytes, the
// icon iconName of the program, no cursor, the window colour as background
// (COLOR_WINDOW + 1) and the class menu menuName.
void fillProgramClass(WNDCLASSA* windowClass, HINSTANCE instance, WNDPROC procedure, const char* iconName,
                      const char* menuName, const char* className);

// Shows a running program's window minimized, then normally, and activates
// it: the restore brings it up even when it was already shown behind others.
void bringForward(HWND window);

// Gets and dispatches messages until the quit message, or an error, ends the
// loop; returns the quit message's exit code.
int runMessageLoop();

#endif
