// Window procedures of the dialog-control classes, shared between their own
// files and the registration.
#ifndef VISTEDIT_CONTROLS_H
#define VISTEDIT_CONTROLS_H

#include <windows.h>

// The platform procedures that the radio and label superclasses pass on to;
// set when the classes are registered.
extern WNDPROC baseButtonProc;
extern WNDPROC baseStaticProc;

LRESULT CALLBACK radioWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK labelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK shadeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
