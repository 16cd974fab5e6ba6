// Identifiers of the editor's dialog controls, commands and resources.
#ifndef VISTEDIT_IDS_H
#define VISTEDIT_IDS_H

// Resource names.
#define DIALOG_NAME "DIALOG_1"
#define MENU_SYSTEM_NAME "MENU_1"
#define MENU_BAR_NAME "MENU_2"
#define DISPLAY_DIALOG_NAME "DIALOG_2"
#define SKIPPED_DIALOG_NAME "DIALOG_3"
#define ICON_LARGE_NAME "ICON_1"
#define ICON_SMALL_NAME "ICON_2"

// Commands; a button and a menu item with the same identifier do the same.
// windows.h names a system cursor IDC_HELP; the editor never loads it, so the
// name is taken over for the help command.
#undef IDC_HELP
#define IDC_HELP 101
#define IDC_SAVE 103
#define IDC_ADD 104
#define IDC_REMOVE 105
#define IDC_Y_EDIT 106
#define IDC_REMOVE_ALL 107
#define IDC_APPLY 108
#define IDC_PREVIEW 109
#define IDC_PREVIEW_FRAME 110
#define IDC_X_EDIT 111
#define IDC_CHANGE_EVERY 113
#define IDC_LIST 114
#define IDC_CURRENT_WALLPAPER 115
#define IDC_UNDO 116
#define IDC_EXIT 117
#define IDC_TILE 118
#define IDC_SUCCESSIVE 119
#define IDC_TIME_PERIOD 120
#define IDC_RANDOM 121
#define IDC_CENTER 122
#define IDC_DEFINED 123
#define IDC_RESTART_WINDOWS 126
#define IDC_REBOOT 127
#define IDC_CLOSE_WINDOW 129
#define IDC_ABOUT 130
#define IDC_DISPLAY_OPTIONS 140
// The radio buttons of the display options dialog, each group in the order
// of the values it stands for: the button of a value is the first plus it.
#define IDC_MONITORS_SAME 141
#define IDC_MONITORS_EACH 142
#define IDC_MONITORS_SPAN 143
#define IDC_FIT_CENTER 144
#define IDC_FIT_FILL 145
#define IDC_FIT_FIT 146
#define IDC_FIT_STRETCH 147
// Its check boxes: when a timed change waits.
#define IDC_WAIT_FULL_SCREEN 148
#define IDC_WAIT_ON_BATTERY 149
// Folders: the command that adds one, and the options of their pictures.
#define IDC_ADD_FOLDER 152
#define IDC_SUBFOLDERS 153
#define IDC_SHUFFLE 154
#define IDC_X_UPDOWN 150
/* Display options: the hot keys, the note of those another program holds,
   the desktop's menu, and the skipped pictures. */
#define IDC_NEXT_KEY 155
#define IDC_PREVIOUS_KEY 156
#define IDC_SKIP_KEY 157
#define IDC_KEYS_HELD 158
#define IDC_DESKTOP_VERB 159
#define IDC_SKIPPED 160
/* The skipped pictures' dialog. */
#define IDC_SKIPPED_LIST 161
#define IDC_SHOW_AGAIN 162
#define IDC_Y_UPDOWN 151
#define IDC_ROTATION_FRAME 1212
#define IDC_PLACEMENT_FRAME 1313
#define IDC_UNNAMED 65535

#endif
