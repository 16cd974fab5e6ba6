// Brings the configuration editor to the screen.
#ifndef VISTRELL_LAUNCHER_H
#define VISTRELL_LAUNCHER_H

#include <windows.h>

// Restores and activates a running editor, or starts "VISTEDIT.EXE"; when
// that fails, says so in a box owned by owner.
void openEditor(HWND owner);

#endif
