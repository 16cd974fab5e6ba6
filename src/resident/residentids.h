// Names, identifiers and texts of the resident changer.
#ifndef VISTRELL_RESIDENT_IDS_H
#define VISTRELL_RESIDENT_IDS_H

#include "contract.h"
#include "residentmenuids.h"

#include <windows.h>

#define RESIDENT_TITLE "Vistrell"

// Resource names.
#define MENU_NAME "MENU_3"
#define ICON_CLASS_NAME "ICON_1"
#define ICON_TRAY_NAME "ICON_2"
#define TRAY_ICON_WIDE_NAME L"ICON_2"

// Window styles: a visible minimized window with a system menu on the old
// shell; hidden and disabled on the new shell, where the tray icon is the
// program's only face.
const DWORD STYLE_OLD_SHELL = WS_OVERLAPPED | WS_MINIMIZE | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
const DWORD STYLE_NEW_SHELL = WS_OVERLAPPED | WS_DISABLED | WS_CAPTION;
static_assert(STYLE_OLD_SHELL == 0x30C80000, "the old shell's window style is 0x30C80000");
static_assert(STYLE_NEW_SHELL == 0x08C00000, "the new shell's window style is 0x08C00000");

// The minute timer and the tray icon share one identifier.
const unsigned int MINUTE_TIMER_ID = 666;
const unsigned int MINUTE_TIMER_MS = 60000;
const unsigned int TRAY_ICON_ID = 666;
// The tray calls back with WM_USER (0x400).
const unsigned int TRAY_CALLBACK = 0x400;
#define TRAY_TIP "Vistrell - Scenara"
// The tip names the picture shown after this.
#define TIP_PICTURE_PREFIX "Vistrell: "
// The tip while a timed change waits, by what it waits for.
#define TIP_WAITING_FULL_SCREEN "Vistrell: waiting while a program fills the screen"
#define TIP_WAITING_LOCKED "Vistrell: waiting while the computer is locked"
#define TIP_WAITING_BATTERY "Vistrell: waiting while the computer runs on battery"
// Sent by the shell to every top-level window when its taskbar (re)starts.
#define TASKBAR_CREATED_MESSAGE "TaskbarCreated"
// The tray record is passed in its first published form (88 bytes on 32-bit
// Windows, 104 on 64-bit: NOTIFYICONDATAA_V1_SIZE); its tip holds 64.
const int TRAY_TIP_SIZE = 64;

// The balloon that tells of hot keys another program holds.
#define HOT_KEYS_HELD_TITLE "Vistrell"
#define HOT_KEYS_HELD_TEXT \
    "Another program holds a hot key chosen for Vistrell; it does nothing here. Choose another in Display Options."
// A monitor's item of "Show Picture" with several monitors.
#define SHOW_MONITOR_TEXT "Monitor &%d: %s"

// Label of the pop-up hung into the system menu on the old shell.
#define SYSTEM_MENU_ENTRY "Vistrell"

// Texts and titles of the program's own boxes.
#define ERROR_TITLE "Vistrell reporting error:"
#define REGISTER_ERROR_TEXT "Error registering class,\ncaused by unknown factor."
#define LAUNCH_ERROR_TEXT                                   \
    "Scenara was unable to launch\npart of program ('" EDITOR_PROGRAM \
    "')\nPlease re-install to correct the problem.\n"
#define REMOVE_QUESTION "Remove from memory ?"
#define SETTINGS_UNREADABLE_TEXT "Cannot read " SETTINGS_FILE "."
#define SETTINGS_NOT_SAVED_TEXT "Cannot save settings to " SETTINGS_FILE "."

#endif
