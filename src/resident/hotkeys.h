// Global hot keys for the changer's commands: next, previous, and never
// show this picture, chosen in the editor's display options.
#ifndef VISTRELL_HOTKEYS_H
#define VISTRELL_HOTKEYS_H

#include <windows.h>

// Registers the keys of section "Display" (each as a hot-key control gives
// it; a missing key means its default, 0 none), after giving up those held
// so far. A key another program holds is no error: it is noted for the
// editor in "Hot keys held", and told once per run in the tray's balloon.
void registerHotKeys(HWND window);
void unregisterHotKeys(HWND window);

// The command a hot key (WM_HOTKEY's identifier) stands for, or 0.
UINT hotKeyCommand(WPARAM id);

#endif
