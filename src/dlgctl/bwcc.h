// The editor's dialog classes: a gray dialog and its radio buttons, shaded
// panels, dividers and frames, and labels. The dialog itself runs through the
// platform's DialogBoxParamA; these classes only have to exist beforehand.
#ifndef VISTEDIT_BWCC_H
#define VISTEDIT_BWCC_H

#include <windows.h>

#define GRAY_DIALOG_CLASS "BorDlg_Gray"
#define RADIO_CLASS "BorRadio"
#define SHADE_CLASS "BorShade"
#define LABEL_CLASS "BorStatic"

// What a shade draws: the low bits of its style.
#define SHADE_KIND_MASK 0x000F
#define SHADE_RECESSED_FRAME 1
#define SHADE_HORIZONTAL_DIVIDER 2
#define SHADE_RAISED_PANEL 6

// Registers the four classes for the instance (and for every other module of
// the process, so any dialog template finds them). Calling it again is
// harmless. Returns TRUE when all four classes exist afterwards.
BOOL BWCCRegister(HINSTANCE instance);

// The display scale a window is drawn at, in dots per inch (96 at 100 %):
// its monitor's where Windows tells it (10 and later), else the screen's.
// What the classes draw in pixels of their own is scaled by it.
UINT windowDpi(HWND window);
int scaledForWindow(HWND window, int pixelsAt96);

#endif
