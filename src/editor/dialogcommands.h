// The command switches of the settings dialog: WM_COMMAND from its buttons,
// controls and menu bar, and WM_SYSCOMMAND from its system menu.
#ifndef VISTEDIT_DIALOGCOMMANDS_H
#define VISTEDIT_DIALOGCOMMANDS_H

#include <windows.h>

// Dispatches on the control or menu identifier alone; every notification of a
// control runs that control's command.
INT_PTR dispatchDialogCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR dispatchSystemCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
